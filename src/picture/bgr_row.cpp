#include "picture/bgr_row.h"

#include <QColor>

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#define LINEAVO_SHUFFLE_BYTES 1
#endif

namespace {

void bgrToRgb32Plain(const uchar* bgr, size_t count, quint32* out) {
    for (size_t k = 0; k < count; ++k, bgr += 3)
        out[k] = qRgb(bgr[2], bgr[1], bgr[0]);
}

#ifdef LINEAVO_SHUFFLE_BYTES
// Four pixels from the first twelve bytes of `bgr`, in memory order blue, green, red, 0xff.
__attribute__((target("ssse3"))) __m128i fourPixels(__m128i bgr) {
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    return _mm_or_si128(_mm_shuffle_epi8(bgr, spread), _mm_set1_epi32(int(0xff000000u)));
}

// Sixteen pixels from each 48 bytes read in three loads, so that nothing past the row is read.
__attribute__((target("ssse3"))) void bgrToRgb32Shuffled(const uchar* bgr, size_t count,
                                                         quint32* out) {
    size_t k = 0;
    for (; k + 16 <= count; k += 16, bgr += 48) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr + 16));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr + 32));
        auto* o = reinterpret_cast<__m128i*>(out + k);
        _mm_storeu_si128(o, fourPixels(a));
        _mm_storeu_si128(o + 1, fourPixels(_mm_alignr_epi8(b, a, 12)));
        _mm_storeu_si128(o + 2, fourPixels(_mm_alignr_epi8(c, b, 8)));
        _mm_storeu_si128(o + 3, fourPixels(_mm_srli_si128(c, 4)));
    }
    bgrToRgb32Plain(bgr, count - k, out + k);
}
#endif

} // namespace

void bgrToRgb32(const uchar* bgr, size_t count, quint32* out) {
#ifdef LINEAVO_SHUFFLE_BYTES
    static const bool canShuffle = __builtin_cpu_supports("ssse3");
    if (canShuffle) {
        bgrToRgb32Shuffled(bgr, count, out);
        return;
    }
#endif
    bgrToRgb32Plain(bgr, count, out);
}
