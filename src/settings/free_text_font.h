#pragma once

#include "settings/color_value.h"

#include <QString>

// The font dialog of the platform the documents come from keeps at most 31 characters of a
// font name; every way of naming the font keeps to it, so that a name shown, saved and opened
// again stays the same.
inline constexpr int kMaxFontNameLength = 31;

// The font of the free text. Documents store all of it but the style.
struct FreeTextFont {
    enum Pitch : quint8 { DefaultPitch = 0, VariablePitch = 1, FixedPitch = 2 };

    QString name = QStringLiteral("Arial");
    ColorValue color = kSystemWindowTextColor;
    quint8 charset = 0; // 0 is the Western (ANSI) character set
    qint32 sizePoints = 9;
    quint8 pitch = DefaultPitch;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FreeTextFont&) const = default;
};
