// Printing a texture page whose lines merge with it by XOR, at 600 dpi, through the print job
// of the window and the print verb. The job goes to a PDF file: the print server is spooled the
// very same PDF, and a benchmark should not depend on one running. Reported: the time of the
// job, the peak memory it added to the process, and the size of what was spooled.
#include "bench_support.h"
#include "calibration/calibration.h"
#include "page/picture_page_layers.h"
#include "printing/current_printer.h"
#include "printing/print_job.h"
#include "render/device_scales.h"
#include "settings/paper_settings.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// The process's peak resident size in kilobytes since the peak was last reset.
qint64 peakKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Makes the peak the present resident size, so that the next peak is this run's alone.
void resetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

qint64 residentKilobytes() {
    resetPeak();
    return peakKilobytes();
}

// A scanned texture of that size whose pixels no compression can shorten: the largest spool.
PictureRecord noiseTexture() {
    QImage image(640, 480, QImage::Format_BGR888);
    quint32 state = 1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            image.setPixel(x, y, state >> 8);
        }
    }
    return PictureRecord::fromTrueColor(image);
}

void printTexturePageBenchmark(benchmark::State& state, bool noise) {
    PaperSettings settings;
    settings.setMergeMode(MergeMode::Merge1Check);
    const PictureRecord texture = noise ? noiseTexture() : benchTexture();
    const PictureRecord noPicture;
    const CalibrationSettings calibration;
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("page.pdf"));

    double seconds = 0;
    qint64 addedKilobytes = 0;
    QSize page;
    for (auto _ : state) {
        CurrentPrinter printer;
        printer.printer().setOutputFormat(QPrinter::PdfFormat);
        printer.printer().setOutputFileName(pdf);
        printer.printer().setPageSize(QPageSize(QPageSize::A4));
        printer.printer().setResolution(600);
        const qint64 before = residentKilobytes();
        const auto start = std::chrono::steady_clock::now();
        // Fresh layers, as every print makes: the tile is stretched within the job.
        page = printer.page().printableArea;
        const PicturePageLayers layers(texture, noPicture);
        const PageScale scale = printScale(printer.page(), calibration.forPage());
        const Failure failure = printDesign(printer, {scale, pageDesignOf(settings), layers}, 1);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        addedKilobytes = peakKilobytes() - before;
        if (failure.failed())
            state.SkipWithError(failure.message().toUtf8().constData());
    }
    state.counters["job_ms"] = seconds * 1000;
    state.counters["peak_added_MB"] = addedKilobytes / 1024.0;
    state.counters["spool_MB"] = QFileInfo(pdf).size() / (1024.0 * 1024.0);
    state.counters["page_px"] = double(page.width()) * page.height();
}

} // namespace

BENCHMARK_CAPTURE(printTexturePageBenchmark, smooth_texture, false)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(printTexturePageBenchmark, noise_texture, true)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
