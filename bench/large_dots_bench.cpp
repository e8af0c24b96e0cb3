// A dot grid whose round dots are far larger than their spacing, so that each one is drawn
// over many others, rendered to a PDF as the render verb writes one, reported as a ratio to
// rendering the same page to a PNG in the same run ("x_png"). The PDF should cost about as
// much as the picture, not grow with every row of every dot.
#include "bench_support.h"
#include "page/draw_page.h"
#include "render/image_surface.h"
#include "render/painter_surface.h"
#include "settings/paper_settings.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

namespace {

// A4 at 300 dpi.
constexpr int kDotsPerInch = 300;
constexpr int kWidth = 2480;
constexpr int kHeight = 3507;

void largeDotsBenchmark(benchmark::State& state, double spacingMm, double dotPoints) {
    PaperSettings settings;
    settings.setPaperKind(PaperKind::DotGrid);
    settings.field(Setting::CaretSpaceED).setValue(spacingMm);
    settings.field(Setting::DotSizeEd).setValue(dotPoints);
    settings.field(Setting::MajorDotSizeEd).setValue(dotPoints);
    PageScale scale;
    scale.SurfaceWidth = kWidth;
    scale.SurfaceHeight = kHeight;
    scale.DotsPerInch = kDotsPerInch;
    const PageLayers layers;

    qint64 pdfBytes = 0;
    reportAgainst(
        state, "png",
        [&] {
            ImageSurface surface(QSize(kWidth, kHeight));
            DrawPage(surface, scale, pageDesignOf(settings), layers);
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter(&buffer, "png").write(surface.image());
            benchmark::DoNotOptimize(png.constData());
        },
        [&] {
            QByteArray pdf;
            {
                QBuffer buffer(&pdf);
                buffer.open(QIODevice::WriteOnly);
                QPdfWriter writer(&buffer);
                writer.setResolution(kDotsPerInch);
                writer.setPageSize(QPageSize(QPageSize::A4));
                writer.setPageMargins(QMarginsF(0, 0, 0, 0));
                QPainter painter(&writer);
                PainterSurface surface(painter);
                DrawPage(surface, scale, pageDesignOf(settings), layers);
            }
            pdfBytes = pdf.size();
        },
        2, 1);
    state.counters["pdf_MB"] = pdfBytes / (1024.0 * 1024.0);
}

} // namespace

BENCHMARK_CAPTURE(largeDotsBenchmark, dots_1000pt_every_5mm, 5.0, 1000.0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(largeDotsBenchmark, dots_50pt_every_5mm, 5.0, 50.0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(largeDotsBenchmark, dots_1000pt_every_1mm, 1.0, 1000.0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
