// Opening a PNG that carries 100 compressed text chunks, each inflating to 8 MB, reported as a
// ratio to opening the same picture without them ("x_plain"): the chunks are stepped over, so
// the ratio stays near 1 however many there are.
#include "bench_support.h"
#include "picture/open_picture.h"

#include "../tests/picture/picture_files.h"

#include <benchmark/benchmark.h>

namespace {

using namespace picture_files;

constexpr int kSide = 1000, kChunks = 100;

void pngWithCompressedText(benchmark::State& state) {
    std::vector<QByteArray> rows;
    for (int y = 0; y < kSide; ++y) {
        QByteArray row(kSide, '\0');
        for (int x = 0; x < kSide; ++x)
            row[x] = char((x * 7 + y * 3 + x * y / 50) & 255);
        rows.push_back(row);
    }
    const QByteArray plain = png(kSide, kSide, 8, 0, rows);
    const qsizetype end = plain.size() - 12; // where IEND starts
    const QByteArray text =
        "Comment" + QByteArray(2, '\0') + qCompress(QByteArray(8 << 20, 'a')).mid(4);
    QByteArray chunks;
    for (int i = 0; i < kChunks; ++i)
        pngChunk(chunks, "zTXt", text);
    const QByteArray withText = plain.left(end) + chunks + plain.mid(end);
    state.counters["file_MB"] = double(withText.size()) / 1e6;
    const auto open = [](const QByteArray& file) {
        return [&file] {
            const DecodedPicture decoded = readPicture(file);
            benchmark::DoNotOptimize(decoded.picture.image().constBits());
        };
    };
    reportAgainst(state, "plain", open(plain), open(withText), 3, 2);
}

} // namespace

BENCHMARK(pngWithCompressedText)->Unit(benchmark::kMillisecond);
