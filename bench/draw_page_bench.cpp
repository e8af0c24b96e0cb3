// DrawPage on a 600-dpi printable area, reported as a ratio to streaming white over the same
// surface, the two run in turn ("x_fill"), so that the figures mean something on a busy machine.
#include "bench_support.h"
#include "page/draw_page.h"
#include "page/picture_page_layers.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"
#include "settings/presets.h"

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

// DrawPage on the whole printable area against streaming white over it. One surface serves the
// whole run, as a printer page or a preview keeps theirs.
void measurePage(benchmark::State& state, const PageDesign& design, const PageLayers& layers) {
    const PageScale scale = printScale();
    QImage target(kWidth, kHeight, QImage::Format_RGB32);
    reportAgainstFill(state, target, [&] {
        ImageSurface surface(std::move(target), QPoint(0, 0));
        surface.setBrushColor(0xffffffff);
        surface.setPenColor(0xffffffff);
        surface.rectangle(0, 0, kWidth, kHeight); // a blank page, as the printer starts it
        DrawPage(surface, scale, design, layers);
        target = surface.image();
        benchmark::DoNotOptimize(target.constBits());
    });
}

// The paper of a page: New's ruled paper, or New's with another kind or a preset.
using Paper = void (*)(PaperSettings&);
void ruled(PaperSettings&) {}
void checkered(PaperSettings& s) {
    s.setPaperKind(PaperKind::Checkered);
}
void dotGrid(PaperSettings& s) {
    (void)applyPreset(s, QStringLiteral("dots"));
}
void engineering(PaperSettings& s) {
    (void)applyPreset(s, QStringLiteral("engineering"));
}
void slantLines(PaperSettings& s) {
    (void)applyPreset(s, QStringLiteral("copperplate"));
}

void drawPageBenchmark(benchmark::State& state, Paper paper, bool xorPen) {
    PaperSettings settings;
    paper(settings);
    const XorLayers xorLayers;
    const PageLayers plainLayers;
    const PageLayers& layers = xorPen ? static_cast<const PageLayers&>(xorLayers) : plainLayers;

    measurePage(state, pageDesignOf(settings), layers);
}

} // namespace

BENCHMARK_CAPTURE(drawPageBenchmark, ruled_default, ruled, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawPageBenchmark, checkered_default, checkered, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawPageBenchmark, checkered_xor, checkered, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawPageBenchmark, dot_grid, dotGrid, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawPageBenchmark, engineering, engineering, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawPageBenchmark, slant_lines, slantLines, false)->Unit(benchmark::kMillisecond);

namespace {

// A texture page: 5 x 5 cm tiles of a 24-bit picture under the default ruling, the tile
// stretched once and kept, as the preview and the print keep it.
void texturePageBenchmark(benchmark::State& state, MergeMode merge) {
    PaperSettings settings;
    settings.setMergeMode(merge);
    settings.setFlag(Setting::SVerh2Check, false);
    const PictureRecord texture = benchTexture();
    const PictureRecord noPicture;
    const PicturePageLayers layers(texture, noPicture);
    measurePage(state, pageDesignOf(settings), layers);
}

// New's page as a lattice of 5 mm, as the presets draw them.
void latticePageBenchmark(benchmark::State& state, PaperKind kind) {
    PageDesign design = newPageDesign();
    design.kind = kind;
    design.lineSpacingMm = 5;
    measurePage(state, design, PageLayers());
}

} // namespace

BENCHMARK_CAPTURE(texturePageBenchmark, texture_no_merge, MergeMode::NOMergeCheck)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(texturePageBenchmark, texture_xor, MergeMode::Merge1Check)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(latticePageBenchmark, isometric, PaperKind::Isometric)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(latticePageBenchmark, hexagonal, PaperKind::Hexagonal)
    ->Unit(benchmark::kMillisecond);
