// The length fields and their inch twins, driven by typing into the real window.
#include "window_fixture.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QStyleOption>

#include <functional>

namespace {

using MeasurementFields = WindowTest;

TEST_F(MeasurementFields, TwinsShowTheDefaultsConvertedAtStart) {
    const std::pair<const char*, const char*> expected[] = {
        {"LineSpaceinEd", "0.35"},   {"CaretSpaceinED", "0.20"}, {"LeftBorderinEd", "0.98"},
        {"RightBorderinEd", "0.98"}, {"BorderTopinEd", "0.20"},  {"BorderBottominEd", "0.20"},
        {"PosXinEd", "0.20"},        {"PosYinEd", "0.20"},       {"BreitinEd", "0.59"},
        {"HochinEd", "0.59"},        {"BreitinEd2", "1.97"},     {"HochinEd2", "1.97"},
    };
    for (const auto& [twin, text] : expected)
        EXPECT_EQ(shown(twin), text) << twin;
    EXPECT_EQ(shown("PageNumberMargininEd"), "0.39");
}

TEST_F(MeasurementFields, TabbingThroughTwinsChangesNoLength) {
    // Converting the rounded twins back would make 8.89 mm and 0.51 cm of these.
    for (const char* twin : {"LineSpaceinEd", "BorderBottominEd", "LeftBorderinEd"}) {
        focus(spin(twin));
        leave(spin(twin));
    }
    EXPECT_EQ(shown("LineSpaceEd"), "9.00");
    EXPECT_EQ(shown("BorderBottomEd"), "0.50");
    EXPECT_EQ(shown("LeftBorderEd"), "2.50");
}

TEST_F(MeasurementFields, TypingInATwinConvertsOnlyWhenLeftAndTheTwinThenClampsItself) {
    typeInto(spin("LineSpaceinEd"), "20");
    EXPECT_EQ(shown("LineSpaceinEd"), "20");
    EXPECT_EQ(shown("LineSpaceEd"), "9.00");
    leave(spin("LineSpaceinEd"));
    EXPECT_EQ(shown("LineSpaceEd"), "508.00"); // 20 x 25.39995 = 507.999
    EXPECT_EQ(shown("LineSpaceinEd"), "10.00");
}

TEST_F(MeasurementFields, TypingALengthRewritesItsTwinAtOnceClampedToTenInches) {
    typeInto(spin("LeftBorderEd"), "30");
    EXPECT_EQ(shown("LeftBorderinEd"), "10.00"); // not 11.81
    EXPECT_DOUBLE_EQ(app.settings.field(Setting::LeftBorderEd).value(), 30);
}

TEST_F(MeasurementFields, AClearedTwinSetsItsLengthFieldToTheMinimum) {
    typeInto(spin("LineSpaceinEd"), "");
    leave(spin("LineSpaceinEd"));
    EXPECT_EQ(shown("LineSpaceEd"), "1.00");

    typeInto(spin("BorderTopinEd"), "");
    leave(spin("BorderTopinEd"));
    EXPECT_EQ(shown("BorderTopEd"), "0.00");
}

TEST_F(MeasurementFields, ValuesAreTakenAsTypedAndClampedWhenTheFieldIsLeft) {
    struct Row {
        const char* field;
        const char* typed;
        const char* afterLeaving;
    };
    const Row rows[] = {
        {"LineSpaceEd", "12345", "10000.00"},
        {"LineSpaceEd", "0.5", "1.00"},
        {"LineSpaceEd", "9.456", "9.456"},
        {"BorderTopEd", "0", "0"},
        {"PosXEd", "0", "0.01"},
        {"LineWidthEd", "0.001", "0.01"},
        {"ZoomEd", "5", "10"},
        {"ZoomEd", "4000", "1000"},
    };
    for (const Row& row : rows) {
        RealSpinEdit* edit = spin(row.field);
        typeInto(edit, row.typed);
        EXPECT_EQ(edit->text(), row.typed) << row.field;
        EXPECT_EQ(edit->field().text(), row.typed) << row.field;
        leave(edit);
        EXPECT_EQ(edit->text(), row.afterLeaving) << row.field << " " << row.typed;
    }
}

TEST_F(MeasurementFields, KeyFilterRefusesWhatCannotBeANumber) {
    struct Row {
        const char* field;
        const char* typed;
        const char* shown;
        int refused;
    };
    const Row rows[] = {
        {"LineSpaceEd", "1x2", "12", 1},      {"LineSpaceEd", "1.5.2", "1.52", 1},
        {"LineSpaceEd", "1e2E3e", "1e23", 2}, {"LineSpaceEd", "-+7", "-+7", 0},
        {"ZoomEd", "1.5", "15", 1},           {"ZoomEd", "2e2", "22", 1},
        {"LeftBorderinEd", "a,b 1", "1", 4},
    };
    for (const Row& row : rows) {
        RealSpinEdit* edit = spin(row.field);
        QSignalSpy refused(edit, &RealSpinEdit::keyRefused);
        typeInto(edit, row.typed);
        EXPECT_EQ(edit->text(), row.shown) << row.field << " " << row.typed;
        EXPECT_EQ(refused.count(), row.refused) << row.field << " " << row.typed;
    }
}

TEST_F(MeasurementFields, TextThatCannotBeANumberIsRefusedHoweverItArrives) {
    // Each way of putting `text` at the end of a field's text. (Nothing can be dropped on a
    // spin edit: the toolkit's spin box takes no drops.)
    struct Way {
        const char* name;
        std::function<void(QLineEdit*, const QString& text)> deliver;
    };
    const Way ways[] = {
        {"keys with Alt",
         [](QLineEdit* edit, const QString& text) {
             for (const QChar c : text)
                 QTest::keyClick(edit, c.toLatin1(), Qt::AltModifier);
         }},
        {"paste",
         [](QLineEdit* edit, const QString& text) {
             QApplication::clipboard()->setText(text);
             QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
         }},
        {"input method",
         [](QLineEdit* edit, const QString& text) {
             QInputMethodEvent commit;
             commit.setCommitString(text);
             QApplication::sendEvent(edit, &commit);
         }},
    };
    RealSpinEdit* edit = spin("LineSpaceEd");
    QLineEdit* line = edit->findChild<QLineEdit*>();
    for (const Way& way : ways) {
        typeInto(edit, "12");
        way.deliver(line, "sxq");
        EXPECT_EQ(edit->text(), "12") << way.name;
        way.deliver(line, "5");
        EXPECT_EQ(edit->text(), "125") << way.name << " takes what can be a number";
        EXPECT_EQ(edit->field().text(), "125") << way.name;
    }
}

TEST_F(MeasurementFields, ASecondSeparatorIsAcceptedWhenItReplacesTheSelectedFirstOne) {
    RealSpinEdit* edit = spin("LineSpaceEd");
    focus(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QSignalSpy refused(edit, &RealSpinEdit::keyRefused);
    QTest::keyClicks(edit, ".5");
    EXPECT_EQ(refused.count(), 0);
    EXPECT_EQ(edit->text(), ".5");
}

TEST_F(MeasurementFields, ArrowKeysStepByTheFieldsStepAndRewriteTheTwin) {
    RealSpinEdit* lineSpace = spin("LineSpaceEd");
    focus(lineSpace);
    QTest::keyClick(lineSpace, Qt::Key_Up);
    EXPECT_EQ(shown("LineSpaceEd"), "9.10");
    EXPECT_EQ(shown("LineSpaceinEd"), "0.36"); // 9.1 / 25.39995 = 0.3583

    RealSpinEdit* zoom = spin("ZoomEd");
    focus(zoom);
    QTest::keyClick(zoom, Qt::Key_Down);
    EXPECT_EQ(shown("ZoomEd"), "90");

    RealSpinEdit* twin = spin("HochinEd2");
    focus(twin);
    QTest::keyClick(twin, Qt::Key_Up);
    EXPECT_EQ(shown("HochinEd2"), "1.98");
    EXPECT_EQ(shown("HochEd2"), "5.00"); // a twin converts back only when it is left
}

TEST_F(MeasurementFields, TheStepButtonsStepToo) {
    RealSpinEdit* edit = spin("RRLineWidthED");
    focus(edit);
    QStyleOptionSpinBox option;
    option.initFrom(edit);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    option.buttonSymbols = edit->buttonSymbols();
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    const QRect down =
        edit->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxDown, edit);
    QTest::mouseClick(edit, Qt::LeftButton, {}, down.center());
    EXPECT_EQ(shown("RRLineWidthED"), "1.40");
}

TEST_F(MeasurementFields, ProgramChangesShowInTheFieldsWithoutTouchingTheirFocus) {
    app.settings.field(Setting::CaretSpaceED).setValue(12.345);
    EXPECT_EQ(shown("CaretSpaceED"), "12.35");
    EXPECT_EQ(shown("CaretSpaceinED"), "0.49");
}

} // namespace
