// A dot-grid page over a texture, printed at 600 dpi to a PDF file as the Print button prints
// it, with its dots merged by XOR, reported as a ratio to the same page in copy mode printed in
// the same run ("x_copy"): merging should cost about as much as the page's area, not grow with
// the square of its dots. The sheets are A5, A4 and A3.
#include "bench_support.h"
#include "calibration/calibration.h"
#include "page/picture_page_layers.h"
#include "printing/current_printer.h"
#include "printing/print_job.h"
#include "render/device_scales.h"
#include "settings/paper_settings.h"
#include "settings/presets.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void mergedDotGridBenchmark(benchmark::State& state, QPageSize::PageSizeId sheet) {
    const PictureRecord texture = benchTexture();
    const PictureRecord noPicture;
    const CalibrationSettings calibration;
    QTemporaryDir folder;
    CurrentPrinter printer;
    printer.printer().setOutputFormat(QPrinter::PdfFormat);
    printer.printer().setOutputFileName(folder.filePath(QStringLiteral("page.pdf")));
    printer.printer().setPageSize(QPageSize(sheet));
    printer.printer().setResolution(600);
    printer.followPrinter();

    const auto print = [&](MergeMode merge) {
        PaperSettings settings;
        (void)applyPreset(settings, QStringLiteral("dots"));
        settings.setMergeMode(merge);
        // Fresh layers, as every print makes: the tile is stretched within the job.
        const PicturePageLayers layers(texture, noPicture);
        const PageScale scale = printScale(printer.page(), calibration.forPage());
        if (const Failure failure =
                printDesign(printer, {scale, pageDesignOf(settings), layers}, 1);
            failure.failed())
            state.SkipWithError(failure.message().toUtf8().constData());
    };
    reportAgainst(
        state, "copy", [&] { print(MergeMode::NOMergeCheck); },
        [&] { print(MergeMode::Merge1Check); }, 3, 2);
}

} // namespace

BENCHMARK_CAPTURE(mergedDotGridBenchmark, xor_A5, QPageSize::A5)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(mergedDotGridBenchmark, xor_A4, QPageSize::A4)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(mergedDotGridBenchmark, xor_A3, QPageSize::A3)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
