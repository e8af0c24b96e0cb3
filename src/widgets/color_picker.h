#pragma once

#include "settings/color_picker_model.h"

#include <QComboBox>

#include <functional>
#include <optional>

// A drop-down list of sixteen named colours and "More...", each entry drawn as a swatch and
// the colour's name. "More..." asks the colour chooser for any other colour.
class ColorPicker : public QComboBox {
    Q_OBJECT
  public:
    // Shows a colour dialog preset to the given colour; nothing when the user cancels.
    using ColorChooser = std::function<std::optional<ColorValue>(QWidget*, ColorValue)>;

    explicit ColorPicker(QWidget* parent = nullptr);

    void setColorChooser(ColorChooser chooser) { m_chooser = std::move(chooser); }

    ColorValue colorValue() const { return m_model.colorValue(); }
    void setColorValue(ColorValue value);
    const QString& htmlColor() const { return m_model.htmlColor(); }
    bool setHtmlColor(const QString& text);
    TCLanguage language() const { return m_model.language(); }
    void setLanguage(TCLanguage language);

    const ColorPickerModel& model() const { return m_model; }
    // The name the closed picker shows: the chosen entry's, or for a desktop colour, which
    // "More..." holds, what that colour is.
    QString shownName() const;

  signals:
    // The user chose an entry; raised after the colour has been set.
    void Change();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void userSelected(int index);
    void showModel();

    ColorPickerModel m_model;
    ColorChooser m_chooser;
};

// Draws one entry: the background, a framed swatch and the name. `rect` is the entry's
// rectangle in the painter's coordinates.
void paintColorEntry(QPainter& painter, const QRect& rect, const QColor& background,
                     const QColor& textColor, QRgb swatch, const QString& name);
