#include "widgets/color_picker.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

constexpr int kPickerWidth = 120;
// The swatch ends at this x no matter where the entry starts, and the name starts at 30.
constexpr int kSwatchRight = 24;
constexpr int kNameLeft = 30;

class ColorEntryDelegate : public QStyledItemDelegate {
  public:
    ColorEntryDelegate(const ColorPicker& picker, QObject* parent)
        : QStyledItemDelegate(parent), m_picker(picker) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        const ColorPickerModel& model = m_picker.model();
        paintColorEntry(
            *painter, option.rect,
            selected ? palette.color(QPalette::Highlight) : palette.color(QPalette::Base),
            selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text),
            colorValueToRgb(model.swatchColor(index.row())), model.entryName(index.row()));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {kPickerWidth, option.fontMetrics.height() + 2};
    }

  private:
    const ColorPicker& m_picker;
};

} // namespace

void paintColorEntry(QPainter& painter, const QRect& rect, const QColor& background,
                     const QColor& textColor, QRgb swatch, const QString& name) {
    painter.save();
    painter.fillRect(rect, background);
    // Right and bottom are exclusive here, as the rectangle is filled and then framed.
    const QRect swatchRect(QPoint(rect.left() + 4, rect.top() + 1),
                           QPoint(kSwatchRight - 1, rect.bottom() - 1));
    if (swatchRect.isValid()) {
        painter.fillRect(swatchRect, QColor(swatch));
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(swatchRect.adjusted(0, 0, -1, -1));
    }
    painter.setPen(textColor);
    const QRect textRect(QPoint(rect.left() + kNameLeft, rect.top()), rect.bottomRight());
    // No accelerator prefix: an "&" in a name is shown as it is.
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, name);
    painter.restore();
}

ColorPicker::ColorPicker(QWidget* parent) : QComboBox(parent) {
    setFixedWidth(kPickerWidth);
    setItemDelegate(new ColorEntryDelegate(*this, this));
    for (int index = 0; index < ColorPickerModel::kEntryCount; ++index)
        addItem(m_model.entryName(index));
    setMaxVisibleItems(ColorPickerModel::kEntryCount);
    showModel();
    connect(this, &QComboBox::activated, this, &ColorPicker::userSelected);
}

void ColorPicker::showModel() {
    for (int index = 0; index < ColorPickerModel::kEntryCount; ++index)
        setItemText(index, m_model.entryName(index));
    setCurrentIndex(m_model.selectedIndex());
    update();
}

void ColorPicker::setColorValue(ColorValue value) {
    m_model.setColorValue(value);
    showModel();
}

bool ColorPicker::setHtmlColor(const QString& text) {
    if (!m_model.setHtmlColor(text))
        return false;
    showModel();
    return true;
}

void ColorPicker::setLanguage(TCLanguage language) {
    m_model.setLanguage(language);
    showModel();
}

void ColorPicker::userSelected(int index) {
    if (index == ColorPickerModel::kMoreEntry) {
        const std::optional<ColorValue> chosen =
            m_chooser ? m_chooser(this, m_model.colorValue()) : std::nullopt;
        if (chosen)
            m_model.setColorValue(*chosen);
        // After a cancel "More..." stays selected and shows the colour that stays current.
        showModel();
        setCurrentIndex(chosen ? m_model.selectedIndex() : ColorPickerModel::kMoreEntry);
    } else {
        setColorValue(ColorPickerModel::tableColor(index));
    }
    emit Change();
}

QString ColorPicker::shownName() const {
    const int index = currentIndex() < 0 ? 0 : currentIndex();
    if (index != ColorPickerModel::kMoreEntry || !isSystemColor(colorValue()))
        return m_model.entryName(index);
    // The free text starts in the desktop's text colour, which is no entry of the list.
    const bool text = colorValue() == kSystemWindowTextColor;
    switch (language()) {
    case TCLanguage::lgDeutsch:
        return text ? QStringLiteral("Textfarbe") : QStringLiteral("Systemfarbe");
    case TCLanguage::lgFrensh:
        return text ? QStringLiteral("Couleur du texte") : QStringLiteral("Couleur système");
    default:
        return text ? QStringLiteral("Text color") : QStringLiteral("System color");
    }
}

void ColorPicker::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const int index = currentIndex() < 0 ? 0 : currentIndex();
    const bool focused = hasFocus() && !view()->isVisible();
    paintColorEntry(
        painter, field,
        focused ? palette().color(QPalette::Highlight) : palette().color(QPalette::Base),
        focused ? palette().color(QPalette::HighlightedText) : palette().color(QPalette::Text),
        colorValueToRgb(m_model.swatchColor(index)), shownName());
}
