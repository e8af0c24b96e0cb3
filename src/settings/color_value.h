#pragma once

#include <QRgb>
#include <QString>
#include <QtGlobal>

// A colour as the design stores it: red in the low byte, then green, then blue, high byte 0.
// A value with the high bit set names one of the desktop's system colours by its index.
using ColorValue = qint32;

constexpr ColorValue colorValueFromRgb(int red, int green, int blue) {
    return ColorValue(red | (green << 8) | (blue << 16));
}

constexpr ColorValue kSystemColorFlag = ColorValue(0x80000000u);
constexpr ColorValue kSystemWindowTextColor = ColorValue(0x80000008u);

constexpr bool isSystemColor(ColorValue value) {
    return (value & kSystemColorFlag) != 0;
}

// The plain colour a value stands for right now; a system colour is looked up in the
// application's palette.
QRgb colorValueToRgb(ColorValue value);

// "#RRGGBB" in upper case.
QString colorValueToHtml(ColorValue value);
