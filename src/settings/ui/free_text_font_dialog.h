#pragma once

#include "settings/free_text_font.h"

#include <QDialog>
#include <QFont>

#include <functional>
#include <optional>
#include <vector>

class ColorPicker;
class QComboBox;
class QFontDialog;

// The font dialog of the free text: name, style, size, underline and strike-out as the
// toolkit's own font dialog offers them, plus the colour and the character set that it lacks.
class FreeTextFontDialog : public QDialog {
    Q_OBJECT
  public:
    using ColorChooser = std::function<std::optional<ColorValue>(QWidget*, ColorValue)>;

    FreeTextFontDialog(const FreeTextFont& font, ColorChooser moreColors,
                       QWidget* parent = nullptr);

    // The font as the dialog shows it now. The pitch is kept from the font it started with.
    FreeTextFont chosenFont() const;

  private:
    // The sample of the font part shows its text in the chosen colour, as the page will.
    void showColorInSample();

    FreeTextFont m_initial;
    QFont m_initialShown; // what the font part showed at first
    QFontDialog* m_fontPart;
    ColorPicker* m_color;
    QComboBox* m_charset;
};

// The character sets by their numbers as documents store them, with the names the dialog
// shows.
struct CharsetName {
    quint8 number;
    const char* name;
};
const std::vector<CharsetName>& freeTextCharsets();
