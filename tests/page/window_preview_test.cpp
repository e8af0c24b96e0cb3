// The window's preview over the application's pictures.
#include "app/ui/artwork.h"
#include "app/window_fixture.h"
#include "page/ui/preview_pane.h"

#include <QAbstractButton>
#include <QScrollBar>
#include <QTabWidget>

namespace {

int nonWhitePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xffffffu) != 0xffffffu;
    return count;
}

class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// A texture that is loaded shows at once, on the whole page, without another refresh.
TEST_F(WindowTest, PreviewShowsATextureFromTheMomentItIsLoaded) {
    window->pages()->setCurrentIndex(int(PageId::Print));
    QWidget* box = window->preview().pageBox();
    const int linesOnly = nonWhitePixels(box->grab().toImage());
    QCoreApplication::processEvents(); // the box's first sizing and paints
    const PaintCounter paints(box);

    QImage dark(4, 4, QImage::Format_RGB32);
    dark.fill(qRgb(60, 20, 20));
    ASSERT_TRUE(dark.save(folder.filePath("dark.png")));
    app.settings.setText(Setting::FilenameEdit2, folder.filePath("dark.png"));
    ASSERT_FALSE(app.loaded.TextureDib.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_GT(paints.count, 0);
    const QImage shown = box->grab().toImage();
    EXPECT_GT(nonWhitePixels(shown), linesOnly + shown.width() * shown.height() / 2);
}

// "Fit page" beside the zoom shows the whole page at once, however large the zoom was.
TEST_F(WindowTest, FitPageShowsTheWholePage) {
    window->pages()->setCurrentIndex(int(PageId::Print));
    app.settings.ZoomEd.setValue(400);
    QCoreApplication::processEvents();
    PreviewPane& pane = window->preview();
    ASSERT_TRUE(pane.horizontalScrollBar()->isVisible());

    auto* fitPage = window->findChild<QAbstractButton*>("FitPageBtn");
    ASSERT_NE(fitPage, nullptr);
    QTest::mouseClick(fitPage, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_LT(app.settings.ZoomEd.value(), 100);
    EXPECT_FALSE(pane.horizontalScrollBar()->isVisible());
    EXPECT_FALSE(pane.verticalScrollBar()->isVisible());
    EXPECT_TRUE(pane.viewport()->rect().contains(pane.pageBox()->geometry()));
}

} // namespace
