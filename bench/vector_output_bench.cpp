// The A4 dot grid written through the output table as a vector PDF and as SVG, each reported as
// a ratio to the exact PDF of the same page at 600 dpi written in the same run ("x_exact"), with
// the files' sizes. The files go to a temporary folder: writing them is part of the work.
#include "bench_support.h"
#include "output/output_formats.h"
#include "output/paper_sizes.h"
#include "render/device_scales.h"
#include "settings/page_design.h"
#include "settings/paper_settings.h"
#include "settings/presets.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kDotsPerInch = 600;

void vectorOutputBenchmark(benchmark::State& state, OutputFormatId vectorId) {
    const OutputFormat* exact = &outputFormat(OutputFormatId::ExactPdf);
    const OutputFormat* vector = &outputFormat(vectorId);
    PaperSettings settings;
    (void)applyPreset(settings, QStringLiteral("dots"));
    const PageDesign design = pageDesignOf(settings);
    const PageLayers layers;
    const QSize sheet = paperNamed(QStringLiteral("A4")).value_or(QSize());
    const PageScale scale =
        printScale({kDotsPerInch, paperPixels(sheet, kDotsPerInch)}, PageCalibration{});
    const PageToDraw page{scale, design, layers};
    QTemporaryDir folder;
    const QString exactFile = folder.filePath(QStringLiteral("exact.pdf"));
    const QString vectorFile = folder.filePath(QStringLiteral("page.") + vector->suffixes.first());
    const auto write = [&](const OutputFormat& format, const QString& file) {
        if (const Failure failure = writePageFile(format, file, page); failure.failed())
            state.SkipWithError(failure.message().toStdString().c_str());
    };
    reportAgainst(
        state, "exact", [&] { write(*exact, exactFile); }, [&] { write(*vector, vectorFile); }, 3,
        1);
    state.counters["exact_KB"] = double(QFileInfo(exactFile).size()) / 1024;
    state.counters["file_KB"] = double(QFileInfo(vectorFile).size()) / 1024;
}

} // namespace

BENCHMARK_CAPTURE(vectorOutputBenchmark, a4_dot_grid_vector_pdf, OutputFormatId::VectorPdf)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(vectorOutputBenchmark, a4_dot_grid_svg, OutputFormatId::Svg)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
