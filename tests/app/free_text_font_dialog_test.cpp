// The font dialog of the free text: what it gives back when the user changes nothing, and
// the colour and character set that it adds to the toolkit's font dialog.
#include "qt_printing.h"
#include "settings/ui/free_text_font_dialog.h"
#include "widgets/color_picker.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

FreeTextFont startFont() {
    FreeTextFont font;  // "Arial", the window text colour, 9 points
    font.charset = 200; // a number the list does not name, as a document may hold
    font.pitch = FreeTextFont::FixedPitch;
    font.bold = true;
    return font;
}

class FontDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    template <class Widget> Widget* part(const char* name) {
        auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    FreeTextFontDialog dialog{startFont(), [](QWidget*, ColorValue) { return std::nullopt; }};
};

TEST_F(FontDialogTest, ConfirmingUnchangedGivesTheFontBackAsItCame) {
    // "Arial" is an alias the font list may show as another family: the name stays.
    EXPECT_EQ(dialog.chosenFont(), startFont());
    EXPECT_EQ(part<QComboBox>("FontCharset")->currentText(), "Other (200)");
}

TEST(FontDialogStart, ShowsTheFontReallyUsedAndGivesTheStoredOneBackUnchanged) {
    struct Row {
        const char* name;
        qint32 points;
        bool bold;
        bool italic;
    };
    const Row rows[] = {
        {"Arial", 9, false, false}, // an alias of another family
        {"Arial", 9, true, false},
        {"Arial", 12, false, true},
        {"DejaVu Serif", 14, true, true},
    };
    for (const Row& row : rows) {
        FreeTextFont font;
        font.name = row.name;
        font.sizePoints = row.points;
        font.bold = row.bold;
        font.italic = row.italic;
        FreeTextFontDialog dialog(font, [](QWidget*, ColorValue) { return std::nullopt; });
        const QFont shown = dialog.findChild<QFontDialog*>()->currentFont();
        const QString used = QFontInfo(QFont(row.name)).family();
        EXPECT_EQ(shown.family(), used) << row.name;
        EXPECT_EQ(shown.bold(), row.bold) << row.name;
        EXPECT_EQ(shown.italic(), row.italic) << row.name;
        EXPECT_EQ(shown.pointSize(), row.points) << row.name;
        EXPECT_EQ(dialog.chosenFont(), font) << row.name;
    }
}

TEST_F(FontDialogTest, ColourAndCharacterSetAreChosenBesideTheFont) {
    auto* colour = part<ColorPicker>("FontColor");
    colour->setFocus();
    QTest::keyClick(colour, Qt::Key_Home);
    QTest::keyClick(colour, Qt::Key_Down);
    auto* charset = part<QComboBox>("FontCharset");
    charset->setCurrentIndex(charset->findText("Greek"));

    const FreeTextFont chosen = dialog.chosenFont();
    EXPECT_EQ(chosen.color, colorValueFromRgb(128, 0, 0));
    EXPECT_EQ(chosen.charset, 161);
    EXPECT_EQ(chosen.pitch, FreeTextFont::FixedPitch);
    EXPECT_TRUE(chosen.bold);
    EXPECT_EQ(chosen.sizePoints, 9);
}

TEST_F(FontDialogTest, TheSampleTakesTheChosenColourAndThePickerNamesTheStartColour) {
    auto* colour = part<ColorPicker>("FontColor");
    auto* sample = part<QLineEdit>("qt_fontDialog_sampleEdit");
    ASSERT_NE(sample, nullptr);
    // The desktop's text colour, which "More..." holds, is named for what it is.
    EXPECT_NE(colour->shownName(), colour->itemText(ColorPickerModel::kMoreEntry));
    EXPECT_EQ(sample->palette().color(QPalette::Text).rgb(),
              colorValueToRgb(kSystemWindowTextColor));

    colour->setFocus();
    QTest::keyClick(colour, Qt::Key_Home);
    QTest::keyClick(colour, Qt::Key_Down);
    EXPECT_EQ(colour->shownName(), colour->currentText());
    EXPECT_EQ(sample->palette().color(QPalette::Text), QColor(128, 0, 0));
}

TEST_F(FontDialogTest, EffectsChosenInTheFontPartAreTaken) {
    auto* fontPart = dialog.findChild<QFontDialog*>();
    ASSERT_NE(fontPart, nullptr);
    QFont font = fontPart->currentFont();
    font.setUnderline(true);
    font.setPointSize(14);
    fontPart->setCurrentFont(font);

    const FreeTextFont chosen = dialog.chosenFont();
    EXPECT_TRUE(chosen.underline);
    EXPECT_EQ(chosen.sizePoints, 14);
    EXPECT_EQ(chosen.charset, 200);
}

} // namespace
