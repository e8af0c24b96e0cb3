#include "settings/color_picker_model.h"

#include <array>

namespace {

struct NamedColor {
    ColorValue value;
    const char* english;
    const char* german;
    const char* french;
};

constexpr std::array<NamedColor, ColorPickerModel::kEntryCount> kColorTable{{
    {colorValueFromRgb(0, 0, 0), "Black", "Schwarz", "Noir"},
    {colorValueFromRgb(128, 0, 0), "Maroon", "Dunkelrot", "Rouge foncé"},
    {colorValueFromRgb(0, 128, 0), "Green", "Grün", "Vert"},
    {colorValueFromRgb(128, 128, 0), "Olive", "Oliv", "Marron clair"},
    {colorValueFromRgb(0, 0, 128), "Navy", "Dunkelblau", "Bleu foncé"},
    {colorValueFromRgb(128, 0, 128), "Purple", "Purpur", "Violet"},
    {colorValueFromRgb(0, 128, 128), "Teal", "Grünblau", "Bleu-vert"},
    {colorValueFromRgb(128, 128, 128), "Gray", "Grau", "Gris"},
    {colorValueFromRgb(192, 192, 192), "Silver", "Silber", "Argenté"},
    {colorValueFromRgb(255, 0, 0), "Red", "Rot", "Rouge"},
    {colorValueFromRgb(0, 255, 0), "Lime", "Hellgrün", "Vert"},
    {colorValueFromRgb(255, 255, 0), "Yellow", "Gelb", "Jaune"},
    {colorValueFromRgb(0, 0, 255), "Blue", "Blau", "Bleu"},
    {colorValueFromRgb(255, 0, 255), "Fuchsia", "Rosa", "Fuchsia"},
    {colorValueFromRgb(0, 255, 255), "Aqua", "Hellblau", "Vert d'eau"},
    {colorValueFromRgb(255, 255, 255), "White", "Weiß", "Blanc"},
    {colorValueFromRgb(255, 255, 255), "More...", "Mehr...", "Autres...."},
}};

constexpr int kHtmlColorMaxLength = 255;

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

} // namespace

ColorValue ColorPickerModel::tableColor(int index) {
    return kColorTable.at(index).value;
}

QString ColorPickerModel::entryName(int index, TCLanguage language) {
    const NamedColor& entry = kColorTable.at(index);
    switch (language) {
    case TCLanguage::lgDeutsch:
        return QString::fromUtf8(entry.german);
    case TCLanguage::lgFrensh:
        return QString::fromUtf8(entry.french);
    default:
        return QString::fromUtf8(entry.english);
    }
}

void ColorPickerModel::setColorValue(ColorValue value) {
    // "More..." is never matched by colour: white is always entry 15.
    m_selectedIndex = kMoreEntry;
    for (int index = 0; index < kMoreEntry; ++index) {
        if (kColorTable[index].value == value)
            m_selectedIndex = index;
    }
    m_colorValue = value;
    m_htmlColor = colorValueToHtml(value);
}

bool ColorPickerModel::setHtmlColor(const QString& text) {
    QString upper = text.isEmpty() ? QStringLiteral("#000000") : text;
    for (QChar& c : upper) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    // The digits are taken as blue, green, red, which is the order of a colour value; the
    // leading "#" is not looked at, and digits missing at the end count as nothing.
    const QString digits =
        QStringLiteral("00") + upper.mid(5, 2) + upper.mid(3, 2) + upper.mid(1, 2);
    for (QChar c : digits) {
        if (!isHexDigit(c))
            return false;
    }
    const ColorValue value = ColorValue(digits.toUInt(nullptr, 16));
    if (value != m_colorValue)
        setColorValue(value);
    m_htmlColor = upper.left(kHtmlColorMaxLength);
    return true;
}

ColorValue ColorPickerModel::swatchColor(int index) const {
    return index == kMoreEntry ? m_colorValue : tableColor(index);
}
