#pragma once

#include "settings/color_value.h"

#include <QString>

// The languages in which a colour picker names its colours.
enum class TCLanguage { lgEnglish = 0, lgDeutsch = 1, lgFrensh = 2 };

// What a colour picker holds, without the widget: sixteen named colours and a seventeenth
// entry "More..." that stands for any other colour, the current colour value, its HTML text
// and the language of the names.
class ColorPickerModel {
  public:
    static constexpr int kEntryCount = 17;
    static constexpr int kMoreEntry = 16;

    // The colour of a table entry (entry 16 has white in the table but never shows it).
    static ColorValue tableColor(int index);
    // The name of an entry in `language`; any language value but German and French reads
    // as English.
    static QString entryName(int index, TCLanguage language);

    ColorValue colorValue() const { return m_colorValue; }
    // Makes `value` current: selects the named entry of that colour, or "More..." showing it.
    void setColorValue(ColorValue value);

    const QString& htmlColor() const { return m_htmlColor; }
    // Takes "#RRGGBB" (any case). A text that is not hexadecimal changes nothing and returns
    // false.
    bool setHtmlColor(const QString& text);

    TCLanguage language() const { return m_language; }
    void setLanguage(TCLanguage language) { m_language = language; }

    int selectedIndex() const { return m_selectedIndex; }
    // The colour that the swatch of entry `index` shows: "More..." shows the current colour.
    ColorValue swatchColor(int index) const;
    QString entryName(int index) const { return entryName(index, m_language); }

  private:
    TCLanguage m_language = TCLanguage::lgEnglish;
    ColorValue m_colorValue = 0;
    QString m_htmlColor = QStringLiteral("#000000");
    int m_selectedIndex = 0;
};
