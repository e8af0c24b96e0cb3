#include "settings/color_value.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

struct SystemColorRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The desktop colour that best plays the part of each classic system colour index.
constexpr SystemColorRole kSystemColorRoles[] = {
    {QPalette::Active, QPalette::Mid},             // scroll bar
    {QPalette::Active, QPalette::Window},          // desktop background
    {QPalette::Active, QPalette::Highlight},       // active caption
    {QPalette::Inactive, QPalette::Window},        // inactive caption
    {QPalette::Active, QPalette::Window},          // menu
    {QPalette::Active, QPalette::Base},            // window
    {QPalette::Active, QPalette::Shadow},          // window frame
    {QPalette::Active, QPalette::WindowText},      // menu text
    {QPalette::Active, QPalette::Text},            // window text
    {QPalette::Active, QPalette::HighlightedText}, // caption text
    {QPalette::Active, QPalette::Window},          // active border
    {QPalette::Inactive, QPalette::Window},        // inactive border
    {QPalette::Active, QPalette::Dark},            // application workspace
    {QPalette::Active, QPalette::Highlight},       // highlight
    {QPalette::Active, QPalette::HighlightedText}, // highlighted text
    {QPalette::Active, QPalette::Button},          // button face
    {QPalette::Active, QPalette::Dark},            // button shadow
    {QPalette::Disabled, QPalette::Text},          // grey text
    {QPalette::Active, QPalette::ButtonText},      // button text
    {QPalette::Inactive, QPalette::WindowText},    // inactive caption text
    {QPalette::Active, QPalette::Light},           // button highlight
    {QPalette::Active, QPalette::Shadow},          // 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 3-D light
    {QPalette::Active, QPalette::ToolTipText},     // info text
    {QPalette::Active, QPalette::ToolTipBase},     // info background
    {QPalette::Active, QPalette::Window},          // (unused index)
    {QPalette::Active, QPalette::Link},            // hot light
    {QPalette::Active, QPalette::Highlight},       // gradient active caption
    {QPalette::Inactive, QPalette::Window},        // gradient inactive caption
    {QPalette::Active, QPalette::Highlight},       // menu highlight
    {QPalette::Active, QPalette::Window},          // menu bar
};

QPalette applicationPalette() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QGuiApplication::palette();
    return QPalette(Qt::black, Qt::lightGray, Qt::white, Qt::darkGray, Qt::gray, Qt::black,
                    Qt::white);
}

} // namespace

QRgb colorValueToRgb(ColorValue value) {
    if (!isSystemColor(value)) {
        return qRgb(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
    }
    const quint32 index = quint32(value) & 0xffu;
    if (index >= std::size(kSystemColorRoles))
        return qRgb(0, 0, 0);
    const SystemColorRole& entry = kSystemColorRoles[index];
    return applicationPalette().color(entry.group, entry.role).rgb() | 0xff000000u;
}

QString colorValueToHtml(ColorValue value) {
    const QRgb rgb = colorValueToRgb(value);
    return QStringLiteral("#%1%2%3")
        .arg(qRed(rgb), 2, 16, QLatin1Char('0'))
        .arg(qGreen(rgb), 2, 16, QLatin1Char('0'))
        .arg(qBlue(rgb), 2, 16, QLatin1Char('0'))
        .toUpper();
}
