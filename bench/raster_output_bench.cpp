// PNG settings on whole pages at 300 dpi: the time to encode each kind of page with each zlib
// level, strategy and row filter, and the file's size ("bytes"). The fast choice is reported
// against the best one of the same page in the same run ("x_best"), so that the choice of the
// default can be read from one run.
#include "bench_support.h"
#include "output/png_encoder.h"
#include "page/draw_page.h"
#include "page/picture_page_layers.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"
#include "settings/presets.h"

#include <QIODevice>

#include <benchmark/benchmark.h>
#include <png.h>
#include <zlib.h>

#include <map>

namespace {

// Counts what is written and keeps none of it: the disk is not measured.
class CountingDevice : public QIODevice {
  public:
    CountingDevice() { open(QIODevice::WriteOnly); }
    qint64 written = 0;

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override {
        written += size;
        return size;
    }
};

enum class Page { Ruled, Checkered, DotGrid, Texture };

// Each page drawn once, A4 at 300 dpi.
const QImage& pageOf(Page kind) {
    static std::map<Page, QImage> pages;
    if (auto found = pages.find(kind); found != pages.end())
        return found->second;
    PaperSettings settings;
    if (kind == Page::Checkered)
        settings.setPaperKind(PaperKind::Checkered);
    if (kind == Page::DotGrid)
        (void)applyPreset(settings, QStringLiteral("dots"));
    const PictureRecord texture = kind == Page::Texture ? benchTexture() : PictureRecord();
    const PictureRecord noPicture;
    const PicturePageLayers layers(texture, noPicture);
    PageScale scale;
    scale.SurfaceWidth = 2480;
    scale.SurfaceHeight = 3508;
    scale.DotsPerInch = 300;
    ImageSurface surface(QSize(scale.SurfaceWidth, scale.SurfaceHeight));
    DrawPage(surface, scale, pageDesignOf(settings), layers);
    return pages[kind] = surface.image();
}

qint64 encode(const QImage& page, const PngSettings& settings) {
    CountingDevice device;
    PngEncoder encoder(device, page.size(), 11811, settings, PngColours::Rgb);
    if (encoder.start().succeeded() && encoder.write(page).succeeded())
        (void)encoder.finish();
    return device.written;
}

void pngSettingsBenchmark(benchmark::State& state, Page kind) {
    const QImage& page = pageOf(kind);
    const PngSettings settings{int(state.range(0)), int(state.range(1)), int(state.range(2))};
    qint64 bytes = 0;
    for (auto _ : state)
        bytes = encode(page, settings);
    state.counters["bytes"] = double(bytes);
    state.counters["bytes_per_raw"] = double(bytes) / (double(page.width()) * page.height() * 3);
}

// The default against the smallest, measured in the same run.
void fastAgainstBestBenchmark(benchmark::State& state, Page kind) {
    const QImage& page = pageOf(kind);
    reportAgainst(
        state, "best", [&] { encode(page, pngSettingsFor(PngCompression::Best)); },
        [&] { encode(page, pngSettingsFor(PngCompression::Fast)); }, 3, 1);
    state.counters["fast_bytes"] = double(encode(page, pngSettingsFor(PngCompression::Fast)));
    state.counters["best_bytes"] = double(encode(page, pngSettingsFor(PngCompression::Best)));
}

// Level, strategy and filters of every choice measured.
void everyChoice(benchmark::internal::Benchmark* b) {
    b->ArgNames({"level", "strategy", "filters"});
    const std::pair<int, int> levelsAndStrategies[] = {{1, Z_RLE},
                                                       {1, Z_DEFAULT_STRATEGY},
                                                       {3, Z_DEFAULT_STRATEGY},
                                                       {6, Z_DEFAULT_STRATEGY},
                                                       {9, Z_DEFAULT_STRATEGY},
                                                       {6, Z_FILTERED},
                                                       {9, Z_FILTERED}};
    for (int filters : {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_ALL_FILTERS}) {
        for (auto [level, strategy] : levelsAndStrategies)
            b->Args({level, strategy, filters});
    }
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK_CAPTURE(pngSettingsBenchmark, ruled, Page::Ruled)->Apply(everyChoice);
BENCHMARK_CAPTURE(pngSettingsBenchmark, checkered, Page::Checkered)->Apply(everyChoice);
BENCHMARK_CAPTURE(pngSettingsBenchmark, dot_grid, Page::DotGrid)->Apply(everyChoice);
BENCHMARK_CAPTURE(pngSettingsBenchmark, texture, Page::Texture)->Apply(everyChoice);
BENCHMARK_CAPTURE(fastAgainstBestBenchmark, ruled, Page::Ruled)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fastAgainstBestBenchmark, texture, Page::Texture)->Unit(benchmark::kMillisecond);
