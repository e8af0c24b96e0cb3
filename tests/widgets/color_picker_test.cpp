// The colour picker: its colour, HTML text and language rules, its "More..." entry and how
// it draws the current colour.
#include "app/scripted_dialogs.h"
#include "widgets/color_picker.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr ColorValue kRed = colorValueFromRgb(255, 0, 0);

TEST(ColorPickerModelTest, ColourValuesSelectTheirNamedEntryOrMore) {
    struct Row {
        const char* name;
        ColorValue value;
        int entry;
        const char* html;
    };
    const Row rows[] = {
        {"gray", colorValueFromRgb(128, 128, 128), 7, "#808080"},
        {"unnamed", colorValueFromRgb(18, 52, 86), 16, "#123456"},
        {"white is never More", colorValueFromRgb(255, 255, 255), 15, "#FFFFFF"},
        {"black", 0, 0, "#000000"},
    };
    for (const Row& row : rows) {
        ColorPickerModel model;
        model.setColorValue(row.value);
        EXPECT_EQ(model.selectedIndex(), row.entry) << row.name;
        EXPECT_EQ(model.htmlColor(), row.html) << row.name;
        EXPECT_EQ(model.swatchColor(ColorPickerModel::kMoreEntry), row.value) << row.name;
    }
}

TEST(ColorPickerModelTest, ASystemColourIsKeptAndItsHtmlTextIsWhatItStandsFor) {
    ColorPickerModel model;
    model.setColorValue(kSystemWindowTextColor);
    EXPECT_EQ(model.colorValue(), kSystemWindowTextColor);
    EXPECT_EQ(model.selectedIndex(), ColorPickerModel::kMoreEntry);
    EXPECT_EQ(model.htmlColor(), colorValueToHtml(kSystemWindowTextColor));
}

TEST(ColorPickerModelTest, HtmlTextsSetTheColourOrChangeNothing) {
    struct Row {
        const char* text;
        bool accepted;
        ColorValue value;
        const char* storedText;
    };
    const Row rows[] = {
        {"#ff0000", true, kRed, "#FF0000"},
        {"#123456", true, colorValueFromRgb(0x12, 0x34, 0x56), "#123456"},
        {"", true, 0, "#000000"},
        {"#GG0000", false, colorValueFromRgb(1, 2, 3), "#010203"},
        {"# 00000", false, colorValueFromRgb(1, 2, 3), "#010203"},
        {"#0000ff", true, colorValueFromRgb(0, 0, 255), "#0000FF"},
    };
    for (const Row& row : rows) {
        ColorPickerModel model;
        model.setColorValue(colorValueFromRgb(1, 2, 3));
        EXPECT_EQ(model.setHtmlColor(row.text), row.accepted) << row.text;
        EXPECT_EQ(model.colorValue(), row.value) << row.text;
        EXPECT_EQ(model.htmlColor(), row.storedText) << row.text;
    }
}

TEST(ColorPickerModelTest, NamesFollowTheLanguage) {
    EXPECT_EQ(ColorPickerModel::entryName(15, TCLanguage::lgDeutsch), "Weiß");
    EXPECT_EQ(ColorPickerModel::entryName(2, TCLanguage::lgFrensh), "Vert");
    EXPECT_EQ(ColorPickerModel::entryName(10, TCLanguage::lgFrensh), "Vert");
    EXPECT_EQ(ColorPickerModel::entryName(16, TCLanguage::lgFrensh), "Autres....");
    EXPECT_EQ(ColorPickerModel::entryName(1, TCLanguage(7)), "Maroon");
}

class ColorPickerWidget : public ::testing::Test {
  protected:
    void SetUp() override {
        picker.setColorChooser([this](QWidget* parent, ColorValue current) {
            return dialogs.chooseColor(parent, current);
        });
        picker.show();
        QApplication::setActiveWindow(&picker);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&picker));
        picker.setFocus();
    }

    // The colour painted in the middle of the swatch of the closed picker.
    QColor shownSwatch() {
        const QImage image = picker.grab().toImage();
        return image.pixelColor(14, image.height() / 2);
    }

    ScriptedDialogs dialogs;
    ColorPicker picker;
};

TEST_F(ColorPickerWidget, ChoosingANamedEntryByKeySetsItsColourAndRaisesChange) {
    QSignalSpy changes(&picker, &ColorPicker::Change);
    QTest::keyClick(&picker, Qt::Key_Down);
    EXPECT_EQ(picker.colorValue(), colorValueFromRgb(128, 0, 0));
    EXPECT_EQ(picker.currentText(), "Maroon");
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(shownSwatch(), QColor(128, 0, 0));
    EXPECT_TRUE(dialogs.coloursAsked.empty());
}

TEST_F(ColorPickerWidget, MoreOffersTheCurrentColourAndTakesTheChosenOne) {
    picker.setColorValue(kRed);
    dialogs.colorAnswer = colorValueFromRgb(18, 52, 86);
    QSignalSpy changes(&picker, &ColorPicker::Change);
    QTest::keyClick(&picker, Qt::Key_End);
    ASSERT_EQ(dialogs.coloursAsked.size(), 1u);
    EXPECT_EQ(dialogs.coloursAsked[0], kRed);
    EXPECT_EQ(picker.colorValue(), colorValueFromRgb(18, 52, 86));
    EXPECT_EQ(picker.htmlColor(), "#123456");
    EXPECT_EQ(picker.currentIndex(), ColorPickerModel::kMoreEntry);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(shownSwatch(), QColor(18, 52, 86));
}

TEST_F(ColorPickerWidget, MoreWithANamedColourSelectsThatName) {
    dialogs.colorAnswer = colorValueFromRgb(0, 0, 255);
    QTest::keyClick(&picker, Qt::Key_End);
    EXPECT_EQ(picker.currentText(), "Blue");
}

TEST_F(ColorPickerWidget, CancellingMoreKeepsThePreviousColour) {
    picker.setColorValue(kRed);
    QTest::keyClick(&picker, Qt::Key_End);
    EXPECT_EQ(picker.colorValue(), kRed);
    EXPECT_EQ(picker.htmlColor(), "#FF0000");
    // "More..." stays chosen and shows the colour that stays.
    EXPECT_EQ(picker.currentIndex(), ColorPickerModel::kMoreEntry);
    EXPECT_EQ(shownSwatch(), QColor(255, 0, 0));
}

TEST_F(ColorPickerWidget, TheLanguageRenamesEveryEntry) {
    picker.setColorValue(colorValueFromRgb(255, 255, 255));
    picker.setLanguage(TCLanguage::lgDeutsch);
    EXPECT_EQ(picker.currentText(), "Weiß");
    EXPECT_EQ(picker.itemText(16), "Mehr...");
    EXPECT_EQ(picker.currentIndex(), 15);
}

} // namespace
