#pragma once

#include "settings/color_value.h"

#include <QString>

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
