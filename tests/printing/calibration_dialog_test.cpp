// The calibration dialog driven with keys: its inch twins, its ranges and its keyboard order.
#include "calibration/calibration.h"
#include "printing/ui/calibration_dialog.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

class CalibrationDialogTest : public ::testing::Test {
  protected:
    void show() {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QApplication::setActiveWindow(&dialog);
    }
    QAbstractSpinBox* field(const char* name) {
        return dialog.findChild<QAbstractSpinBox*>(QString::fromLatin1(name));
    }
    // Selects the field's text and types `text` over it, as a user replaces a value.
    void replaceText(const char* name, const QString& text) {
        QAbstractSpinBox* edit = field(name);
        ASSERT_NE(edit, nullptr) << name;
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    std::string shown(const char* name) { return field(name)->text().toStdString(); }
    std::vector<std::string> shownRow(std::initializer_list<const char*> names) {
        std::vector<std::string> texts;
        for (const char* name : names)
            texts.push_back(shown(name));
        return texts;
    }

    CalibrationSettings calibration;
    int testPrints = 0;
    TKalForm dialog{calibration, [this] { ++testPrints; }};
};

TEST_F(CalibrationDialogTest, TwinsShowTheValuesTheDialogStartsWith) {
    EXPECT_EQ(shownRow({"LinksEd", "ObenEd", "BreitEd", "HochEd"}),
              std::vector<std::string>({"0.00", "0.00", "100.00", "100.00"}));
    EXPECT_EQ(shownRow({"LinksEDin", "ObenEdin", "BreitEdin", "HochEdin"}),
              std::vector<std::string>({"0.00", "0.00", "3.94", "3.94"}));

    // Values loaded before the dialog exists, including some that changed no text.
    CalibrationSettings loaded;
    QByteArray bytes(32, '\0');
    const double values[] = {1.5, 2.25, 99.456, 101};
    for (int i = 0; i < 4; ++i)
        qToLittleEndian(values[i], bytes.data() + 8 * i);
    loaded.setFromBytes(bytes);
    const TKalForm other(loaded, [] {});
    EXPECT_EQ(other.LinksEDin.text(), "0.06");
    EXPECT_EQ(other.ObenEdin.text(), "0.09");
    EXPECT_EQ(other.BreitEdin.text(), "3.92");
    EXPECT_EQ(other.HochEdin.text(), "3.98");
}

TEST_F(CalibrationDialogTest, AnInchFieldKeepsWhatIsTypedAndIsRewrittenWhenLeft) {
    struct Row {
        const char* inchField;
        const char* typed;
        const char* millimetreField;
        const char* millimetres; // at once, while the inch field is still being typed in
        const char* inchesWhenLeft;
    };
    const Row rows[] = {
        {"BreitEdin", "4.5", "BreitEd", "114.30", "4.50"},
        // 25.39995 mm, limited to the range.
        {"LinksEDin", "1", "LinksEd", "10.00", "0.39"},
        {"HochEdin", "4.0001", "HochEd", "101.60", "4.00"},
    };
    show();
    for (const Row& row : rows) {
        replaceText(row.inchField, row.typed);
        EXPECT_EQ(shown(row.inchField), row.typed);
        EXPECT_EQ(shown(row.millimetreField), row.millimetres) << row.inchField;
        QTest::keyClick(field(row.inchField), Qt::Key_Tab);
        EXPECT_EQ(shown(row.inchField), row.inchesWhenLeft);
    }
    EXPECT_DOUBLE_EQ(calibration.forPage().MmPerInchX, 114.3 * 25.39995 / 100);
}

TEST_F(CalibrationDialogTest, TypingInAMillimetreFieldIsNeverRewrittenUntilItIsLeft) {
    show();
    replaceText("BreitEd", "2");
    EXPECT_EQ(shown("BreitEd"), "2");
    EXPECT_EQ(shown("BreitEdin"), "0.08");
    replaceText("LinksEd", "0.5");
    EXPECT_EQ(shown("LinksEd"), "0.5");
    EXPECT_EQ(shown("LinksEDin"), "0.02");
    // Leaving the width for the left distance brought the width into its range.
    EXPECT_EQ(shown("BreitEd"), "70.00");
    EXPECT_EQ(shown("BreitEdin"), "2.76");
}

TEST_F(CalibrationDialogTest, ClosingBringsAFieldStillBeingTypedInIntoItsRange) {
    show();
    replaceText("HochEd", "250");
    QTest::keyClick(field("HochEd"), Qt::Key_Return); // the OK button is the default
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(calibration.HochEd.text(), "130.00");
    EXPECT_EQ(dialog.HochEdin.text(), "5.12");

    show();
    replaceText("BreitEdin", "4.5");
    QTest::keyClick(field("BreitEdin"), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.BreitEdin.text(), "4.50");
}

TEST_F(CalibrationDialogTest, KeyboardOrderAndTestPrintButton) {
    show();
    auto* testButton = dialog.findChild<QPushButton*>("BitBtn1");
    ASSERT_NE(testButton, nullptr);
    testButton->setFocus(Qt::TabFocusReason);
    std::vector<std::string> order = {dialog.focusWidget()->objectName().toStdString()};
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        // The line edit inside a spin edit holds the focus for it.
        QWidget* focus = dialog.focusWidget();
        if (qobject_cast<QLineEdit*>(focus))
            focus = focus->parentWidget();
        order.push_back(focus->objectName().toStdString());
    }
    EXPECT_EQ(order, std::vector<std::string>({"BitBtn1", "LinksEd", "ObenEd", "BreitEd", "HochEd",
                                               "BitBtn2", "LinksEDin", "ObenEdin", "BreitEdin",
                                               "HochEdin"}));

    QTest::mouseClick(testButton, Qt::LeftButton);
    EXPECT_EQ(testPrints, 1);
    EXPECT_TRUE(dialog.isVisible()) << "printing the rectangle keeps the dialog open";
}

} // namespace
