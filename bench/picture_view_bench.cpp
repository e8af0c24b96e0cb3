// What the picture viewer does for one paint: draw a full-screen exposed rectangle (1920 x
// 1080) of a 4000 x 3000 picture at zoom 100, 1000 and 9000 in the middle of the paint box,
// reported as a ratio to streaming white over that rectangle in the same run ("x_fill"). At
// 9000 % the paint box is 360 000 x 270 000 pixels; the time and the memory of a paint must not
// grow with it.
#include "bench_support.h"
#include "viewer/picture_view_drawing.h"

#include <QImage>

#include <benchmark/benchmark.h>

namespace {

const QSize kExposed(1920, 1080);
constexpr int kTrueColourDisplay = 32;

PictureRecord benchPhoto() {
    QImage image(4000, 3000, QImage::Format_BGR888);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x ^ y) % 256));
    }
    return PictureRecord::fromTrueColor(image);
}

void pictureViewBenchmark(benchmark::State& state) {
    static const PictureRecord photo = benchPhoto();
    const ZoomedSize box =
        zoomedPictureSize(DibWidth(photo), DibHeight(photo), int(state.range(0)));
    // The view scrolled to the middle of the paint box, or its top-left part when smaller.
    const QPoint scroll(int(std::max<qint64>((box.width - kExposed.width()) / 2, 0)),
                        int(std::max<qint64>((box.height - kExposed.height()) / 2, 0)));
    QImage scratch(kExposed, QImage::Format_RGB32);
    QImage exposedFill(kExposed, QImage::Format_RGB32);
    reportAgainstFill(state, exposedFill, [&] {
        drawPictureView(scratch, QPoint(0, 0), photo, box, scroll, kTrueColourDisplay);
        benchmark::DoNotOptimize(scratch.constBits());
    });
    state.counters["box_megapixels"] = double(box.width) * double(box.height) / 1e6;
}

} // namespace

BENCHMARK(pictureViewBenchmark)->Arg(100)->Arg(1000)->Arg(9000)->Unit(benchmark::kMillisecond);
