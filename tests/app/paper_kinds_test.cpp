// The paper kinds on the Basic settings page and the presets of the tool strip.
#include "window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QTimer>
#include <QToolButton>

namespace {

class PaperKindsTest : public WindowTest {};

TEST_F(PaperKindsTest, ThePageShowsThePropertiesOfTheChosenKind) {
    struct Row {
        const char* button;
        const char* shown;
        const char* hidden;
    };
    const Row rows[] = {{"DotGridCheck", "DotSizeEd", "Guide1Ed"},
                        {"DotGridCheck", "Major2WidthEd", "CueWidthEd"},
                        {"LiniertCheck", "Guide1Ed", "MajorEveryEd"},
                        {"LiniertCheck", "SlantAngleEd", "Major2EveryEd"},
                        {"LiniertCheck", "SummaryHeightEd", "Major2WidthEd"},
                        {"IsoCheck", "Isometric.LineSpaceEd", "LineSpaceEd"},
                        {"IsoCheck", "Isometric.DotSizeEd", "Hexagonal.LineSpaceEd"},
                        {"HexCheck", "Hexagonal.LineSpaceEd", "Isometric.LineSpaceEd"},
                        {"HexCheck", "Hexagonal.LineSpaceEd", "MajorEveryEd"},
                        {"KariertCheck", "Major2EveryEd", "SlantSpaceEd"},
                        {"KariertCheck", "MajorEveryEd", "LineSpaceEd"}};
    for (const Row& row : rows) {
        QTest::mouseClick(control<QRadioButton>(row.button), Qt::LeftButton, {}, QPoint(4, 4));
        EXPECT_TRUE(spin(row.shown)->isVisible()) << row.button;
        EXPECT_FALSE(spin(row.hidden)->isVisible()) << row.button;
    }
    EXPECT_EQ(app.settings.paperKind(), PaperKind::Checkered);
}

TEST_F(PaperKindsTest, NoControlOfAKindsPropertiesOverlapsAnother) {
    auto* properties = control<QStackedWidget>("PaperKindProperties");
    for (const PaperKindDescription& kind : paperKinds()) {
        QTest::mouseClick(control<QRadioButton>(kind.controlName), Qt::LeftButton, {},
                          QPoint(4, 4));
        QApplication::processEvents();
        const QList<QWidget*> controls =
            properties->currentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* one : controls) {
            for (QWidget* other : controls) {
                if (one == other || !one->isVisible() || !other->isVisible())
                    continue;
                EXPECT_FALSE(one->geometry().intersects(other->geometry()))
                    << kind.controlName << ": " << one->objectName().toStdString() << " and "
                    << other->objectName().toStdString();
            }
        }
    }
}

TEST_F(PaperKindsTest, DotsCanBeSetOnlyForADotGridAndItsSpacingIsBetweenDots) {
    QLabel* spacingCaption = nullptr;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() == spin("CaretSpaceED"))
            spacingCaption = label;
    }
    ASSERT_NE(spacingCaption, nullptr);
    struct Row {
        const char* button;
        bool dots;
    };
    for (const Row& row : {Row{"DotGridCheck", true}, Row{"KariertCheck", false}}) {
        QTest::mouseClick(control<QRadioButton>(row.button), Qt::LeftButton, {}, QPoint(4, 4));
        for (const char* dotControl : {"DotSizeEd", "MajorDotSizeEd", "DotRoundCheck"})
            EXPECT_EQ(control(dotControl)->isEnabled(), row.dots) << row.button << dotControl;
        EXPECT_EQ(spacingCaption->text().contains("dots"), row.dots) << row.button;
        EXPECT_EQ(spacingCaption->text().contains("lines"), !row.dots) << row.button;
    }
}

// The presets' button has an arrow of its own beside its caption, and both open the menu.
TEST_F(PaperKindsTest, ThePresetButtonIsAMenuButtonWhoseCaptionAndArrowOpenTheMenu) {
    auto* button = control<QToolButton>("PresetBtn");
    QStyleOptionToolButton option;
    option.initFrom(button);
    option.features = QStyleOptionToolButton::HasMenu;
    if (button->popupMode() == QToolButton::MenuButtonPopup)
        option.features |= QStyleOptionToolButton::MenuButtonPopup;
    const QRect arrow = button->style()->subControlRect(QStyle::CC_ToolButton, &option,
                                                        QStyle::SC_ToolButtonMenu, button);
    const QRect caption = button->style()->subControlRect(QStyle::CC_ToolButton, &option,
                                                          QStyle::SC_ToolButton, button);
    ASSERT_FALSE(arrow.isEmpty());
    EXPECT_FALSE(arrow.intersects(caption));
    EXPECT_GE(button->width(), button->sizeHint().width());
    for (const QPoint at : {caption.center(), arrow.center()}) {
        QMenu* opened = nullptr;
        QTimer::singleShot(0, [&opened] {
            opened = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (opened)
                opened->close();
        });
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
        QTest::qWait(50);
        EXPECT_EQ(opened, button->menu()) << at.x();
    }
}

TEST_F(PaperKindsTest, APresetFromTheMenuSetsThePaperAndKeepsTheText) {
    app.settings.setText(Setting::Edit1, "Name:");
    auto* button = control<QToolButton>("PresetBtn");
    QAction* dots = nullptr;
    for (QAction* action : button->menu()->actions()) {
        if (action->text().startsWith("Dot grid"))
            dots = action;
    }
    ASSERT_NE(dots, nullptr);
    dots->trigger();
    EXPECT_EQ(app.settings.paperKind(), PaperKind::DotGrid);
    EXPECT_TRUE(spin("DotSizeEd")->isVisible());
    EXPECT_EQ(app.settings.text(Setting::Edit1), "Name:");
}

} // namespace
