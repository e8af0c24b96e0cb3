#pragma once

#include "page/draw_page.h"
#include "picture/picture_record.h"

#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The lines of a page over a texture whose merge choice is "Combine colors".
class XorLayers : public PageLayers {
  public:
    PenMode drawBackground(Surface&, const PageScale&, const PageDesign&) const override {
        return PenMode::Xor;
    }
};

// Seconds per run of `work`, the best of several batches: the least disturbed measurement on
// a shared machine.
inline double secondsPerRun(const std::function<void()>& work, int batches = 7,
                            int runsPerBatch = 8) {
    using Clock = std::chrono::steady_clock;
    double best = 1e9;
    for (int batch = 0; batch < batches; ++batch) {
        const auto start = Clock::now();
        for (int i = 0; i < runsPerBatch; ++i)
            work();
        best = std::min(best,
                        std::chrono::duration<double>(Clock::now() - start).count() / runsPerBatch);
    }
    return best;
}

// Seconds per run of `baseline` and of `draw`, and their ratio, from rounds that run each in
// turn: a round runs the baseline, then the draw, `runsPerRound` times each. Each figure is
// the median over the rounds, the ratio the median of the rounds' own ratios, so that a change
// of load on a shared machine moves both sides of a round alike rather than one of them. The
// ratio of the processor time the process spent is taken too: it leaves out the time other
// programs had the processor.
struct Interleaved {
    double baselineSeconds;
    double drawSeconds;
    double ratio;
    double processorRatio;
};

inline double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 != 0 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline double processorSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

inline Interleaved interleavedRuns(const std::function<void()>& baseline,
                                   const std::function<void()>& draw, int rounds,
                                   int runsPerRound) {
    using Clock = std::chrono::steady_clock;
    // Wall-clock and processor seconds per run of `work`.
    const auto timed = [&](const std::function<void()>& work) {
        const auto start = Clock::now();
        const double processorStart = processorSeconds();
        for (int i = 0; i < runsPerRound; ++i)
            work();
        return std::pair(std::chrono::duration<double>(Clock::now() - start).count() / runsPerRound,
                         (processorSeconds() - processorStart) / runsPerRound);
    };
    std::vector<double> baselineSeconds, drawSeconds, ratios, processorRatios;
    for (int round = 0; round < rounds; ++round) {
        const auto [baselineWall, baselineProcessor] = timed(baseline);
        const auto [drawWall, drawProcessor] = timed(draw);
        baselineSeconds.push_back(baselineWall);
        drawSeconds.push_back(drawWall);
        ratios.push_back(drawWall / baselineWall);
        processorRatios.push_back(drawProcessor / baselineProcessor);
    }
    return {medianOf(baselineSeconds), medianOf(drawSeconds), medianOf(ratios),
            medianOf(processorRatios)};
}

// Runs `draw` as the benchmark and reports it as a ratio to `baseline`, the two measured in
// turn in the same run: of wall-clock time ("x_<name>") and of processor time
// ("x_<name>_cpu"), with both wall-clock times in milliseconds ("<name>_ms", "draw_ms").
template <class State>
void reportAgainst(State& state, const std::string& name, const std::function<void()>& baseline,
                   const std::function<void()>& draw, int rounds = 15, int runsPerRound = 4) {
    for (auto _ : state)
        draw();
    const Interleaved measured = interleavedRuns(baseline, draw, rounds, runsPerRound);
    state.counters["x_" + name] = measured.ratio;
    state.counters["x_" + name + "_cpu"] = measured.processorRatio;
    state.counters[name + "_ms"] = measured.baselineSeconds * 1000;
    state.counters["draw_ms"] = measured.drawSeconds * 1000;
}

// Writes white over all bytes of `image` with non-temporal stores, which skip the cache and so
// never read a line before writing it: no drawing can write the same bytes faster, so a ratio
// to it of 1.0 is the memory limit. Plain memset where the processor has no such stores.
inline void streamWhite(QImage& image) {
    auto* bytes = image.bits();
    size_t count = size_t(image.sizeInBytes());
#if defined(__SSE2__)
    const size_t head = std::min(count, size_t(-reinterpret_cast<std::uintptr_t>(bytes) & 15));
    std::memset(bytes, 0xff, head);
    bytes += head;
    count -= head;
    const __m128i white = _mm_set1_epi8(char(0xff));
    for (; count >= 16; bytes += 16, count -= 16)
        _mm_stream_si128(reinterpret_cast<__m128i*>(bytes), white);
    _mm_sfence();
#endif
    std::memset(bytes, 0xff, count);
}

// The same against streaming white over `target`, the image `draw` draws into ("x_fill").
template <class State>
void reportAgainstFill(State& state, QImage& target, const std::function<void()>& draw) {
    reportAgainst(
        state, "fill", [&] { streamWhite(target); }, draw);
}

// A 24-bit picture of the size of a scanned texture, with pixels that vary everywhere.
inline PictureRecord benchTexture() {
    QImage image(640, 480, QImage::Format_BGR888);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    }
    return PictureRecord::fromTrueColor(image);
}
