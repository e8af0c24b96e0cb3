// The preview pane on the offscreen screen (96 dots per inch), with a printer of a given
// resolution and printable area.
#include "calibration/calibration.h"
#include "page/draw_page.h"
#include "page/ui/preview_pane.h"
#include "render/device_scales.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"
#include "support/image_compare.h"

#include <QPaintEvent>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Counts the paints that reach a widget.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

class XorLayers : public PageLayers {
  public:
    PenMode drawBackground(Surface&, const PageScale&, const PageDesign&) const override {
        return PenMode::Xor;
    }
};

class PreviewPaneTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(pane.logicalDpiX(), 96); }

    void showPane(QSize size) {
        pane.resize(size);
        pane.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
        pane.refresh();
        QCoreApplication::processEvents();
    }
    QWidget* box() const { return pane.pageBox(); }
    int horizontal() const { return pane.horizontalScrollBar()->value(); }
    int vertical() const { return pane.verticalScrollBar()->value(); }

    PaperSettings settings;
    CalibrationSettings calibration;
    PrinterPage printer{600, QSize(4760, 6814)};
    PreviewPane pane{settings, [this] { return calibration.forPage(); },
                     [this] { return printer; }};
};

TEST_F(PreviewPaneTest, FitPageZoomIsTheLargestAtWhichTheWholePageShows) {
    const auto fits = [this](int zoom) {
        const QSize box = previewBoxSize(printer, 96, zoom);
        const QSize view = pane.maximumViewportSize();
        return box.width() <= view.width() && box.height() <= view.height();
    };
    for (const QSize size : {QSize(400, 300), QSize(300, 800), QSize(900, 1300), QSize(60, 60)}) {
        showPane(size);
        const int zoom = pane.fitPageZoom();
        EXPECT_TRUE(fits(zoom)) << size.width() << "x" << size.height();
        EXPECT_FALSE(fits(zoom + 1)) << size.width() << "x" << size.height();
    }
    // A page that fits many times over is shown at the largest zoom the field takes.
    printer = PrinterPage{600, QSize(60, 60)};
    showPane(QSize(900, 1300));
    EXPECT_EQ(pane.fitPageZoom(), settings.ZoomEd.range().maximum);
}

TEST_F(PreviewPaneTest, BoxHasThePrintableAreaAtTheScreensResolutionTimesTheZoom) {
    struct Row {
        const char* name;
        PrinterPage printer;
        const char* zoom;
        QSize box;
    };
    const Row rows[] = {
        {"zoom 100", {600, QSize(4760, 6814)}, "100", QSize(761, 1090)},
        {"zoom 200", {600, QSize(4760, 6814)}, "200", QSize(1523, 2180)},
        {"zoom 50", {600, QSize(4760, 6814)}, "50", QSize(380, 545)},
        // A 600 x 1200 dpi printer: its height is converted with the horizontal resolution.
        {"tall pixels", {600, QSize(4760, 13628)}, "100", QSize(761, 2180)},
        {"zoom 1000 at 300 dpi", {300, QSize(2479, 3508)}, "1000", QSize(7932, 11225)},
    };
    // The calibration does not enter the box size.
    calibration.BreitEd.setValue(130);
    calibration.HochEd.setValue(70);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        printer = row.printer;
        settings.ZoomEd.setText(row.zoom);
        pane.refresh(); // as after the printer setup
        EXPECT_EQ(box()->size(), row.box);
    }
}

TEST_F(PreviewPaneTest, ZoomAsTypedUntilTheFieldIsLeft) {
    EXPECT_EQ(box()->size(), QSize(105, 105)); // before the first sizing
    settings.ZoomEd.setText("5");
    EXPECT_EQ(box()->size(), QSize(38, 54));
    settings.ZoomEd.leave();
    EXPECT_EQ(settings.ZoomEd.text(), "10");
    EXPECT_EQ(box()->size(), QSize(76, 109));
    settings.ZoomEd.setText("300");
    settings.ZoomEd.setText("");
    EXPECT_EQ(box()->size(), QSize(76, 109));
}

TEST_F(PreviewPaneTest, RefreshDrawsAtOnceOnlyWhenTheSizeWasRight) {
    showPane(QSize(400, 300));
    const PaintCounter paints(box());

    pane.refresh();
    EXPECT_EQ(paints.count, 1) << "an unchanged box is drawn at once, in one pass";

    printer.printableArea = QSize(4960, 7016); // the setup dialog chose another paper
    pane.refresh();
    EXPECT_EQ(paints.count, 1) << "a box that changes size is not drawn in the same pass";
    EXPECT_EQ(box()->size(), QSize(793, 1122));
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.count, 2) << "the new size brings the paint that draws";
}

TEST_F(PreviewPaneTest, AnyExposedRectangleShowsThatRectangleOfTheWholePage) {
    settings.setPaperKind(PaperKind::Checkered);
    settings.setFlag(Setting::LeftBorderLineCheck, true);
    settings.setFlag(Setting::RightBorderLineCheck, true);
    settings.setFlag(Setting::NoLeftBorderFillCheck, true);
    calibration.BreitEd.setValue(101);
    calibration.HochEd.setValue(98);
    calibration.LinksEd.setValue(4); // the preview has no left offset
    const XorLayers xorLayers;
    const PageLayers noLayers;
    const QRect exposed[] = {QRect(0, 0, 1, 1), QRect(13, 7, 250, 190), QRect(300, 900, 461, 190),
                             QRect(700, 1000, 500, 400)};

    for (const char* zoom : {"100", "400"}) {
        for (const PageLayers* layers : {static_cast<const PageLayers*>(nullptr),
                                         static_cast<const PageLayers*>(&xorLayers)}) {
            SCOPED_TRACE(std::string("zoom ") + zoom + (layers ? ", XOR" : ", copy"));
            settings.ZoomEd.setText(zoom);
            pane.setPageLayers(layers);
            pane.refresh();
            PageScale scale;
            scale.SurfaceWidth = box()->width();
            scale.SurfaceHeight = box()->height();
            scale.DotsPerInch = 96;
            scale.ZoomPercent = settings.ZoomEd.value();
            scale.MmPerInchX = 101 * 25.39995 / 100;
            scale.MmPerInchY = 98 * 25.39995 / 100;
            ImageSurface whole(box()->size());
            DrawPage(whole, scale, pageDesignOf(settings), layers ? *layers : noLayers);
            for (const QRect& rect : exposed) {
                const QRect inside = rect.intersected(box()->rect());
                EXPECT_TRUE(imagesEqual(
                    whole.image().copy(inside), box()->grab(inside).toImage(),
                    QString("preview-%1-%2-%3").arg(zoom).arg(inside.x()).arg(inside.y())));
            }
        }
    }
}

// The drag in page-box coordinates: the box moves with the view, so every position is taken
// where the box is at that moment.
TEST_F(PreviewPaneTest, DraggingMovesTheViewWithinTheScrollLimits) {
    showPane(QSize(300, 200));
    const int maxH = pane.horizontalScrollBar()->maximum();
    const int maxV = pane.verticalScrollBar()->maximum();
    ASSERT_GT(maxH, 100);
    ASSERT_GT(maxV, 100);

    QTest::mousePress(box(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(box(), QPoint(60, 100));
    EXPECT_EQ(horizontal(), 40) << "the pointer went 40 to the left, the view 40 to the right";
    EXPECT_EQ(vertical(), 0);
    QTest::mouseMove(box(), QPoint(-5000, 100));
    EXPECT_EQ(horizontal(), maxH);
    QTest::mouseMove(box(), QPoint(100 + maxH + 10, 90));
    EXPECT_EQ(horizontal(), 0) << "past the left limit";
    EXPECT_EQ(vertical(), 10);
    QTest::mouseMove(box(), QPoint(100, -5000));
    EXPECT_EQ(vertical(), maxV) << "past the bottom limit";
    EXPECT_EQ(horizontal(), 0) << "an overrun in one direction leaves the other";
    QTest::mouseMove(box(), QPoint(100, 150 + maxV));
    EXPECT_EQ(vertical(), 0) << "past the top limit";

    // Releasing outside the pane ends the drag; moving then scrolls nothing.
    QTest::mouseRelease(box(), Qt::LeftButton, {}, QPoint(-400, -300));
    QTest::mouseMove(box(), QPoint(10, 10));
    EXPECT_EQ(horizontal(), 0);
    EXPECT_EQ(vertical(), 0);
}

TEST_F(PreviewPaneTest, PageSmallerThanTheViewHasNoScrollBarsAndDoesNotMove) {
    settings.ZoomEd.setText("10");
    showPane(QSize(300, 200));
    EXPECT_EQ(box()->size(), QSize(76, 109));
    EXPECT_FALSE(pane.horizontalScrollBar()->isVisible());
    EXPECT_FALSE(pane.verticalScrollBar()->isVisible());
    QTest::mousePress(box(), Qt::RightButton, Qt::ShiftModifier, QPoint(50, 50));
    QTest::mouseMove(box(), QPoint(10, 5));
    EXPECT_EQ(box()->pos(), QPoint(0, 0));
    QTest::mouseRelease(box(), Qt::RightButton, {}, QPoint(10, 5));
}

TEST_F(PreviewPaneTest, ThePageLiesOnTheWorkspaceColourNotTheWindows) {
    settings.ZoomEd.setValue(10);
    showPane(QSize(300, 300));
    const QImage shot = pane.viewport()->grab().toImage();
    const QRgb workspace = pane.palette().color(QPalette::Dark).rgb();
    ASSERT_NE(workspace, pane.palette().color(QPalette::Window).rgb());
    EXPECT_EQ(shot.pixel(shot.width() - 2, shot.height() - 2), workspace);
    EXPECT_EQ(shot.pixel(1, 1), qRgb(255, 255, 255)) << "the page's white corner";
}

} // namespace
