// The progress bar in the status bar, checked on the pixels the status bar paints.
#include "app/ui/picture_loader.h"
#include "app/ui/progress_status_bar.h"
#include "window_fixture.h"

#include <QFile>

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

TEST_F(ProgressBarTest, TheBarGrowsWhileAPictureIsReadAndKeepsItsLengthAfterwards) {
    // An uncompressed 24-bit TGA of many rows, which is read row by row.
    constexpr int kWidth = 64, kHeight = 400;
    QByteArray tga(18, '\0');
    tga[2] = 2;
    tga[12] = char(kWidth), tga[14] = char(kHeight & 255), tga[15] = char(kHeight >> 8);
    tga[16] = 24;
    tga.append(QByteArray(kWidth * kHeight * 3, '\x55'));
    QFile file(folder.filePath(QStringLiteral("tall.tga")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(tga);
    file.close();

    int halfwayPercent = -1, halfwayWidth = -1;
    bool navyBeyond = false;
    QObject::connect(&window->pictureLoader(), &PictureLoader::progress, [&](int percent) {
        if (percent >= 50 && halfwayPercent < 0) {
            halfwayPercent = percent;
            halfwayWidth = paintedBarWidth(navyBeyond);
        }
    });
    app.settings.setText(Setting::FilenameEdit1, file.fileName());
    ASSERT_FALSE(app.loaded.PictureDib.isEmpty());
    ASSERT_LT(halfwayPercent, 100);
    EXPECT_EQ(halfwayWidth, expectedWidth(halfwayPercent));
    EXPECT_FALSE(navyBeyond);

    app.settings.setText(Setting::FilenameEdit1, QString());
    EXPECT_EQ(paintedBarWidth(navyBeyond), expectedWidth(100));
}

} // namespace
