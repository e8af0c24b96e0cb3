// Opening a 4000 x 3000 picture of each format of our own readers, decoded from its bytes in
// memory, reported as a ratio to copying 36 MB (4000 x 3000 x 3) into fresh memory in the same
// run ("x_copy"); and PNG and JPEG of a noisy photograph through our layer as a ratio to Qt's
// reader alone ("x_qt").
#include "bench_support.h"
#include "picture/gif_reader.h"
#include "picture/iff_reader.h"
#include "picture/open_picture.h"
#include "picture/pcx_reader.h"
#include "picture/tga_reader.h"

#include "../tests/picture/picture_files.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

using namespace picture_files;

constexpr int kWidth = 4000, kHeight = 3000;

// Photo-like content: smooth gradients with a little noise, and flat areas between them.
const Pixels& photo() {
    static const Pixels pixels = [] {
        Pixels p;
        p.width = kWidth, p.height = kHeight;
        p.index.reserve(size_t(kWidth) * kHeight);
        p.color.reserve(size_t(kWidth) * kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const bool flat = (x / 500 + y / 400) % 3 == 0;
                const unsigned noise = (unsigned(x) * 2654435761u ^ unsigned(y) * 40503u) >> 29;
                const int r = flat ? 200 : x * 255 / kWidth + int(noise);
                const int g = flat ? 180 : y * 255 / kHeight;
                const int b = flat ? 90 : ((x + y) / 40) & 255;
                p.color.push_back(qRgb(qMin(r, 255), g, b));
                p.index.push_back(flat ? 17 : (x / 16 + y / 12 + int(noise)) & 255);
            }
        for (int i = 0; i < 256; ++i)
            p.palette.append(qRgb(i / 32 * 36, i / 4 % 8 * 36, i % 4 * 85));
        return p;
    }();
    return pixels;
}

double copySeconds() {
    static const double seconds = [] {
        const size_t bytes = size_t(kWidth) * kHeight * 3;
        const std::unique_ptr<char[]> source(new char[bytes]);
        std::memset(source.get(), 7, bytes);
        return secondsPerRun([&] {
            const std::unique_ptr<char[]> copy(new char[bytes]);
            std::memcpy(copy.get(), source.get(), bytes);
            benchmark::DoNotOptimize(copy.get());
        });
    }();
    return seconds;
}

void report(benchmark::State& state, const std::function<void()>& work, double baseline,
            const char* ratioName) {
    for (auto _ : state)
        work();
    const double seconds = secondsPerRun(work, 5, 2);
    state.counters[ratioName] = seconds / baseline;
    state.counters["ms"] = seconds * 1000;
    state.counters["baseline_ms"] = baseline * 1000;
}

void ourReader(benchmark::State& state, QByteArray (*write)(),
               DecodedPicture (*read)(QByteArrayView, const PictureLimits&,
                                      const PictureProgress&)) {
    const QByteArray file = write();
    state.counters["file_MB"] = double(file.size()) / 1e6;
    report(
        state,
        [&] {
            const DecodedPicture decoded = read(file, {}, {});
            if (!decoded.ok())
                state.SkipWithError(decoded.error.toUtf8().constData());
            benchmark::DoNotOptimize(decoded.picture.image().constBits());
        },
        copySeconds(), "x_copy");
}

QByteArray pcx8() {
    return pcx(photo(), 8, 1);
}
QByteArray pcx24() {
    return pcx(photo(), 8, 3);
}
QByteArray ilbm8() {
    return iff(photo(), {});
}
QByteArray tgaOf(int type) {
    TgaOptions o;
    o.type = type;
    return tga(photo(), o);
}
QByteArray tgaRaw() {
    return tgaOf(2);
}
QByteArray tgaRle() {
    return tgaOf(10);
}
QByteArray gif8() {
    GifOptions o;
    o.compressed = true;
    return gif(photo(), o);
}

// What a camera gives: smooth gradients under noise in every channel of every pixel, which PNG
// and JPEG compress about as little as they compress photographs.
QImage noisyPhoto() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    quint32 random = 1;
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            random = random * 1664525u + 1013904223u;
            auto noisy = [&](int level, int shift) {
                return std::clamp(level + int(random >> shift & 31) - 16, 0, 255);
            };
            row[x] = qRgb(noisy(x * 255 / kWidth, 8), noisy(y * 255 / kHeight, 16),
                          noisy((x + y) * 255 / (kWidth + kHeight), 24));
        }
    }
    return image;
}

void throughQt(benchmark::State& state, const char* format) {
    const QImage image = noisyPhoto();
    QByteArray file;
    QBuffer out(&file);
    out.open(QIODevice::WriteOnly);
    QImageWriter(&out, format).write(image);
    state.counters["file_MB"] = double(file.size()) / 1e6;
    const double qtAlone = secondsPerRun(
        [&] {
            QBuffer in(&file);
            in.open(QIODevice::ReadOnly);
            QImageReader reader(&in, format);
            reader.setAllocationLimit(1024);
            benchmark::DoNotOptimize(reader.read().constBits());
        },
        5, 2);
    report(
        state,
        [&] {
            const DecodedPicture decoded = readPicture(file);
            benchmark::DoNotOptimize(decoded.picture.image().constBits());
        },
        qtAlone, "x_qt");
}

} // namespace

BENCHMARK_CAPTURE(ourReader, pcx_8bit, pcx8, readPcx)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ourReader, pcx_24bit, pcx24, readPcx)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ourReader, ilbm_8planes_byterun1, ilbm8, readIff)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ourReader, tga_24bit_raw, tgaRaw, readTga)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ourReader, tga_24bit_rle, tgaRle, readTga)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ourReader, gif_256_colours, gif8, readGif)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(throughQt, png, "png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(throughQt, jpeg, "jpeg")->Unit(benchmark::kMillisecond);
