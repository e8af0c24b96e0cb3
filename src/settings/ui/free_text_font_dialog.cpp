#include "settings/ui/free_text_font_dialog.h"

#include "widgets/color_picker.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The font the free text is really drawn with: a stored name such as "Arial" is an alias that
// the font list does not hold, so the dialog is given the family the name stands for.
QFont fontInUse(const FreeTextFont& font) {
    QFont qfont(font.name);
    qfont.setPointSize(std::max(1, int(font.sizePoints)));
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    qfont.setFamily(QFontInfo(qfont).family());
    return qfont;
}

} // namespace

const std::vector<CharsetName>& freeTextCharsets() {
    static const std::vector<CharsetName> charsets = {
        {0, "Western"},
        {1, "Default"},
        {2, "Symbol"},
        {77, "Mac"},
        {128, "Japanese"},
        {129, "Korean (Hangul)"},
        {130, "Korean (Johab)"},
        {134, "Chinese (simplified)"},
        {136, "Chinese (traditional)"},
        {161, "Greek"},
        {162, "Turkish"},
        {163, "Vietnamese"},
        {177, "Hebrew"},
        {178, "Arabic"},
        {186, "Baltic"},
        {204, "Cyrillic"},
        {222, "Thai"},
        {238, "Central European"},
        {255, "OEM"},
    };
    return charsets;
}

FreeTextFontDialog::FreeTextFontDialog(const FreeTextFont& font, ColorChooser moreColors,
                                       QWidget* parent)
    : QDialog(parent), m_initial(font), m_fontPart(new QFontDialog(fontInUse(font), this)),
      m_color(new ColorPicker(this)), m_charset(new QComboBox(this)) {
    setWindowTitle(tr("Font"));
    // The toolkit's dialog serves as a part of this one, without its own buttons.
    m_fontPart->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fontPart->setWindowFlags(Qt::Widget);
    m_fontPart->setSizeGripEnabled(false);
    // Unless the user picks another font, the stored name stays, alias or not.
    m_initialShown = m_fontPart->currentFont();

    m_color->setObjectName(QStringLiteral("FontColor"));
    m_color->setColorChooser(std::move(moreColors));
    m_color->setColorValue(font.color);
    showColorInSample();
    connect(m_color, &ColorPicker::Change, this, &FreeTextFontDialog::showColorInSample);

    m_charset->setObjectName(QStringLiteral("FontCharset"));
    for (const CharsetName& charset : freeTextCharsets())
        m_charset->addItem(tr(charset.name), charset.number);
    int charsetIndex = m_charset->findData(font.charset);
    if (charsetIndex < 0) {
        // A number from a document that the list does not name is kept as it is.
        m_charset->addItem(tr("Other (%1)").arg(font.charset), font.charset);
        charsetIndex = m_charset->count() - 1;
    }
    m_charset->setCurrentIndex(charsetIndex);

    auto* extras = new QFormLayout;
    extras->addRow(tr("Color:"), m_color);
    extras->addRow(tr("Script:"), m_charset);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fontPart);
    layout->addLayout(extras);
    layout->addWidget(buttons);
}

void FreeTextFontDialog::showColorInSample() {
    // The toolkit's dialog names its sample so.
    auto* sample = m_fontPart->findChild<QLineEdit*>(QStringLiteral("qt_fontDialog_sampleEdit"));
    if (!sample)
        return;
    QPalette palette = sample->palette();
    palette.setColor(QPalette::Text, QColor(colorValueToRgb(m_color->colorValue())));
    sample->setPalette(palette);
}

FreeTextFont FreeTextFontDialog::chosenFont() const {
    FreeTextFont font = m_initial;
    const QFont chosen = m_fontPart->currentFont();
    if (chosen != m_initialShown) {
        if (chosen.family() != m_initialShown.family())
            font.name = chosen.family();
        if (chosen.pointSizeF() > 0)
            font.sizePoints = qint32(std::lround(chosen.pointSizeF()));
        font.bold = chosen.bold();
        font.italic = chosen.italic();
        font.underline = chosen.underline();
        font.strikeOut = chosen.strikeOut();
    }
    font.color = m_color->colorValue();
    font.charset = quint8(m_charset->currentData().toUInt());
    return font;
}
