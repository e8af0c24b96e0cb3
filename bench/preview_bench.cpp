// What the preview does for one paint: draw a 1280 x 1024 exposed rectangle of the page box
// at zoom 100, 400 and 1000, reported as a ratio to streaming white over that rectangle in the
// same run ("x_fill"). "draw" is the page drawn into the rectangle; "shown" adds putting it on
// the window's backing store, as the pane does.
#include "bench_support.h"
#include "page/draw_page.h"
#include "page/picture_page_layers.h"
#include "render/device_scales.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

const QSize kExposed(1280, 1024);
const PrinterPage kPrinter{600, QSize(4760, 6814)};
constexpr int kScreenDotsPerInch = 96;

enum class PreviewPage { Default, CheckeredXor, TextureXor };

void previewBenchmark(benchmark::State& state, PreviewPage page) {
    const int zoom = int(state.range(0));
    PaperSettings settings;
    if (page != PreviewPage::Default)
        settings.setPaperKind(PaperKind::Checkered);
    settings.setMergeMode(MergeMode::Merge1Check);
    const PictureRecord texture = benchTexture();
    const PictureRecord noPicture;
    const XorLayers xorLayers;
    const PageLayers plainLayers;
    const PicturePageLayers textureLayers(texture, noPicture);
    const PageLayers* layersOf[] = {&plainLayers, &xorLayers, &textureLayers};
    const PageLayers& layers = *layersOf[int(page)];

    const PageScale scale = previewScale(kPrinter, PageCalibration(), kScreenDotsPerInch, zoom);
    const QSize box(scale.SurfaceWidth, scale.SurfaceHeight);
    // The middle of the page where it is larger than the rectangle, else its top-left part.
    const QPoint middle((box.width() - kExposed.width()) / 2,
                        (box.height() - kExposed.height()) / 2);
    const QRect exposed = QRect(middle.x() > 0 ? middle.x() : 0, middle.y() > 0 ? middle.y() : 0,
                                kExposed.width(), kExposed.height())
                              .intersected(QRect(QPoint(), box));

    // The pane keeps the pixels of its last paint for the next one, as these do.
    QImage backingStore(kExposed, QImage::Format_RGB32);
    QImage scratch(exposed.size(), QImage::Format_RGB32);
    QImage exposedFill(exposed.size(), QImage::Format_RGB32);
    auto fill = [&] {
        streamWhite(exposedFill);
        benchmark::DoNotOptimize(exposedFill.constBits());
    };
    auto draw = [&] {
        ImageSurface surface(std::move(scratch), exposed.topLeft());
        DrawPage(surface, scale, pageDesignOf(settings), layers);
        scratch = surface.image();
        benchmark::DoNotOptimize(scratch.constBits());
    };
    auto show = [&] {
        draw();
        QPainter painter(&backingStore);
        painter.drawImage(0, 0, scratch);
    };

    const double fillSeconds = secondsPerRun(fill);
    for (auto _ : state)
        draw();
    const double drawSeconds = secondsPerRun(draw);
    const double showSeconds = secondsPerRun(show);
    state.counters["x_fill"] = drawSeconds / fillSeconds;
    state.counters["shown_x_fill"] = showSeconds / fillSeconds;
    state.counters["fill_ms"] = fillSeconds * 1000;
    state.counters["draw_ms"] = drawSeconds * 1000;
    state.counters["shown_ms"] = showSeconds * 1000;
    state.counters["exposed_px"] = double(exposed.width()) * exposed.height();
}

} // namespace

BENCHMARK_CAPTURE(previewBenchmark, default_page, PreviewPage::Default)
    ->Arg(100)
    ->Arg(400)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(previewBenchmark, checkered_xor, PreviewPage::CheckeredXor)
    ->Arg(100)
    ->Arg(400)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(previewBenchmark, texture_xor, PreviewPage::TextureXor)
    ->Arg(100)
    ->Arg(400)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
