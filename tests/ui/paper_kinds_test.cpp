// The paper kinds on the Basic settings page and the presets of the tool strip.
#include "window_fixture.h"

#include <QAction>
#include <QMenu>
#include <QRadioButton>
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
                        {"LiniertCheck", "Guide1Ed", "MajorEveryEd"},
                        {"KariertCheck", "MajorEveryEd", "LineSpaceEd"}};
    for (const Row& row : rows) {
        QTest::mouseClick(control<QRadioButton>(row.button), Qt::LeftButton, {}, QPoint(4, 4));
        EXPECT_TRUE(spin(row.shown)->isVisible()) << row.button;
        EXPECT_FALSE(spin(row.hidden)->isVisible()) << row.button;
    }
    EXPECT_EQ(app.settings.paperKind(), PaperKind::KariertCheck);
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
    EXPECT_EQ(app.settings.paperKind(), PaperKind::DotGridCheck);
    EXPECT_TRUE(spin("DotSizeEd")->isVisible());
    EXPECT_EQ(app.settings.text(Setting::Edit1), "Name:");
}

} // namespace
