// The progress bar in the status bar, checked on the pixels the status bar paints.
#include "app/ui/progress_status_bar.h"
#include "window_fixture.h"

#include <QScreen>

namespace {

class ProgressBarTest : public WindowTest {
  protected:
    ProgressStatusBar* bar() const { return window->progressStatusBar(); }

    // How many pixels from the panel's left edge are navy, and whether any navy lies beyond.
    int paintedBarWidth(bool& navyBeyond) const {
        // What the window shows now, not a fresh rendering of the status bar.
        const QPoint origin = bar()->mapTo(window.get(), QPoint(0, 0));
        const QImage image = window->screen()
                                 ->grabWindow(window->winId(), origin.x(), origin.y(),
                                              bar()->width(), bar()->height())
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        const QRect panel = bar()->progressPanelRect();
        const int y = panel.center().y();
        int width = 0;
        while (width < panel.width() &&
               image.pixel(panel.left() + width, y) == ProgressStatusBar::kBarColor)
            ++width;
        navyBeyond = false;
        for (int x = panel.left() + width; x <= panel.right(); ++x)
            navyBeyond |= image.pixel(x, y) == ProgressStatusBar::kBarColor;
        return width;
    }

    int expectedWidth(int percent) const {
        return bar()->progressPanelRect().width() * percent / 100;
    }
};

TEST_F(ProgressBarTest, ThePanelsHaveTheirSizes) {
    EXPECT_EQ(bar()->height(), 19);
    EXPECT_EQ(bar()->progressPanelRect().left(), ProgressStatusBar::kFirstPanelWidth + 3);
    EXPECT_EQ(bar()->progressPanelRect().right(), bar()->width() - 2);
}

TEST_F(ProgressBarTest, TheBarCoversItsShareOfThePanelRoundedDown) {
    bool navyBeyond = false;
    for (int percent : {0, 50, 100, 33}) {
        window->WMUser(percent);
        EXPECT_EQ(bar()->proStatus(), percent);
        EXPECT_EQ(paintedBarWidth(navyBeyond), expectedWidth(percent)) << percent;
        EXPECT_FALSE(navyBeyond) << percent;
    }
}

TEST_F(ProgressBarTest, ASmallerValueErasesTheLongerBar) {
    bool navyBeyond = false;
    for (int percent : {30, 60, 20})
        window->WMUser(percent);
    EXPECT_EQ(paintedBarWidth(navyBeyond), expectedWidth(20));
    EXPECT_FALSE(navyBeyond);

    window->WMUser(40);
    window->WMUser(40);
    EXPECT_EQ(paintedBarWidth(navyBeyond), expectedWidth(40));
}

TEST_F(ProgressBarTest, ValuesOutsideZeroToHundredAreLimited) {
    bool navyBeyond = false;
    window->WMUser(250);
    EXPECT_EQ(bar()->proStatus(), 100);
    EXPECT_EQ(paintedBarWidth(navyBeyond), expectedWidth(100));
    window->WMUser(-7);
    EXPECT_EQ(bar()->proStatus(), 0);
    EXPECT_EQ(paintedBarWidth(navyBeyond), 0);
    EXPECT_FALSE(navyBeyond);
}

} // namespace
