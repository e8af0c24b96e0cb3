#include "output/bmp_file.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

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

void toBmpRow(const QRgb* pixels, int width, char* row) {
    // Little-endian RGB32 holds B, G, R, unused in memory: a pixel is its first three bytes.
    // Four pixels make three whole words, each stored as it is made: a word put together in
    // memory first would be read back before it is complete.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
    char* to = row;
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
    for (; x < width; ++x, to += 3) {
        to[0] = char(qBlue(pixels[x]));
        to[1] = char(qGreen(pixels[x]));
        to[2] = char(qRed(pixels[x]));
    }
    std::fill(to, row + bmpRowBytes(width), '\0');
}
