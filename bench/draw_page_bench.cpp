// DrawPage on a 600-dpi printable area, reported as a ratio to filling the same surface with
// white in the same run ("x_fill"), so that the figures mean something on a busy machine.
#include "bench_support.h"
#include "render/draw_page.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kWidth = 4760;
constexpr int kHeight = 6814;

PageScale printScale() {
    PageScale scale;
    scale.SurfaceWidth = kWidth;
    scale.SurfaceHeight = kHeight;
    scale.DotsPerInch = 600;
    return scale;
}

void drawPageBenchmark(benchmark::State& state, bool checkered, bool xorPen) {
    PaperSettings settings;
    if (checkered)
        settings.setPaperKind(PaperKind::KariertCheck);
    const XorLayers xorLayers;
    const PageLayers plainLayers;
    const PageLayers& layers = xorPen ? static_cast<const PageLayers&>(xorLayers) : plainLayers;
    const PageScale scale = printScale();

    // One surface for the whole run, as a printer page or a preview keeps theirs.
    QImage target(kWidth, kHeight, QImage::Format_RGB32);
    auto fill = [&] {
        target.fill(0xffffffffu);
        benchmark::DoNotOptimize(target.constBits());
    };
    auto draw = [&] {
        ImageSurface surface(std::move(target), QPoint(0, 0));
        surface.setBrushColor(0xffffffff);
        surface.setPenColor(0xffffffff);
        surface.rectangle(0, 0, kWidth, kHeight); // a blank page, as the printer starts it
        DrawPage(surface, scale, settings, layers);
        target = surface.image();
        benchmark::DoNotOptimize(target.constBits());
    };

    const double fillSeconds = secondsPerRun(fill);
    for (auto _ : state)
        draw();
    const double drawSeconds = secondsPerRun(draw);
    state.counters["x_fill"] = drawSeconds / fillSeconds;
    state.counters["fill_ms"] = fillSeconds * 1000;
    state.counters["draw_ms"] = drawSeconds * 1000;
}

} // namespace

BENCHMARK_CAPTURE(drawPageBenchmark, ruled_default, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawPageBenchmark, checkered_default, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawPageBenchmark, checkered_xor, true, true)->Unit(benchmark::kMillisecond);
