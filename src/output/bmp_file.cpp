#include "output/bmp_file.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;

void put16(char*& at, quint16 value) {
    qToLittleEndian(value, at);
    at += 2;
}

void put32(char*& at, quint32 value) {
    qToLittleEndian(value, at);
    at += 4;
}

} // namespace

qsizetype bmpRowBytes(int width) {
    return (qsizetype(width) * 3 + 3) / 4 * 4;
}

QByteArray bmpHeader(QSize size, int dotsPerMetre) {
    const quint32 imageBytes = quint32(bmpRowBytes(size.width()) * size.height());
    QByteArray header(kFileHeaderBytes + kInfoHeaderBytes, '\0');
    char* at = header.data();
    *at++ = 'B';
    *at++ = 'M';
    put32(at, kFileHeaderBytes + kInfoHeaderBytes + imageBytes);
    put32(at, 0); // reserved
    put32(at, kFileHeaderBytes + kInfoHeaderBytes);
    put32(at, kInfoHeaderBytes);
    put32(at, quint32(size.width()));
    put32(at, quint32(size.height())); // positive: the rows go from the bottom up
    put16(at, 1);                      // planes
    put16(at, 24);                     // bits a pixel
    put32(at, 0);                      // uncompressed
    put32(at, imageBytes);
    put32(at, quint32(dotsPerMetre));
    put32(at, quint32(dotsPerMetre));
    // No colour table, and every colour important: the two counts stay 0.
    return header;
}

namespace {

// Four pixels make three whole words, each stored as it is made: a word put together in memory
// first would be read back before it is complete. Returns the first pixel not converted.
int toBmpWords(const QRgb* pixels, int width, char* to) {
    int x = 0;
    for (; x + 4 <= width; x += 4, to += 12) {
        const quint32 p0 = pixels[x], p1 = pixels[x + 1], p2 = pixels[x + 2], p3 = pixels[x + 3];
        const quint32 first = (p0 & 0xffffff) | (p1 << 24);
        const quint32 second = ((p1 >> 8) & 0xffff) | (p2 << 16);
        const quint32 third = ((p2 >> 16) & 0xff) | (p3 << 8);
        std::memcpy(to, &first, 4);
        std::memcpy(to + 4, &second, 4);
        std::memcpy(to + 8, &third, 4);
    }
    return x;
}

#if defined(__x86_64__)
// Four pixels a step with one shuffle, on processors that have it (all but the oldest): the
// conversion is then a small part of a BMP's cost beside the drawing and the system's writes.
// Each step stores 16 bytes of which the next step overwrites the last 4, so the steps stop
// while 4 bytes of the row are still to come.
__attribute__((target("ssse3"))) int toBmpShuffled(const QRgb* pixels, int width, char* to) {
    const __m128i dropUnused =
        _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int x = 0;
    for (; x + 6 <= width; x += 4, to += 12) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_shuffle_epi8(four, dropUnused));
    }
    return x;
}

const bool kHasShuffle = __builtin_cpu_supports("ssse3");
#endif

} // namespace

void toBmpRow(const QRgb* pixels, int width, char* row) {
    // Little-endian RGB32 holds B, G, R, unused in memory: a pixel is its first three bytes.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
    int x = 0;
#if defined(__x86_64__)
    if (kHasShuffle)
        x = toBmpShuffled(pixels, width, row);
#endif
    x += toBmpWords(pixels + x, width - x, row + 3 * x);
    char* to = row + 3 * x;
    for (; x < width; ++x, to += 3) {
        to[0] = char(qBlue(pixels[x]));
        to[1] = char(qGreen(pixels[x]));
        to[2] = char(qRed(pixels[x]));
    }
    std::fill(to, row + bmpRowBytes(width), '\0');
}
