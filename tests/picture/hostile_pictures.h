#pragma once

// Files whose headers claim much more than they hold, for the tests of what opening costs.

#include "picture_files.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

namespace hostile_pictures {

using picture_files::put16be;
using picture_files::put16le;

inline void put32le(QByteArray& b, quint32 v) {
    put16le(b, int(v & 0xffff));
    put16le(b, int(v >> 16));
}

// A progressive JPEG of a small picture whose frame header then claims `width` × `height`.
inline QByteArray progressiveJpeg(int width, int height) {
    QImage small(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            small.setPixel(x, y, qRgb(x * 16, y * 16, 128));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(small);
    QByteArray file = buffer.data();
    const qsizetype frame = file.indexOf("\xff\xc2");
    if (frame >= 0) {
        QByteArray size;
        put16be(size, height), put16be(size, width);
        file.replace(frame + 5, 4, size);
    }
    return file;
}

// A GIF whose screen is `width` × `height` and whose only frame is one pixel.
inline QByteArray gifScreen(int width, int height) {
    QByteArray b("GIF89a");
    put16le(b, width), put16le(b, height);
    b.append("\x80\0\0", 3).append("\0\0\0\xff\xff\xff", 6); // a palette of black and white
    b.append(',');
    put16le(b, 0), put16le(b, 0), put16le(b, 1), put16le(b, 1);
    // No local palette; codes of 3 bits: clear, pixel 0, end.
    b.append("\0\x02\x02\x44\x01\0;", 7);
    return b;
}

// A TGA of 32 bits with alpha, every pixel the same half-transparent colour in runs of 128.
inline QByteArray runLengthTga(int width, int height) {
    QByteArray b(18, '\0');
    b[2] = 10;
    b[12] = char(width & 255), b[13] = char(width >> 8);
    b[14] = char(height & 255), b[15] = char(height >> 8);
    b[16] = 32, b[17] = 8;
    const qint64 packets = (qint64(width) * height + 127) / 128;
    const QByteArray packet("\xff\x0a\x14\x1e\x80", 5);
    b.reserve(b.size() + packets * packet.size());
    for (qint64 i = 0; i < packets; ++i)
        b.append(packet);
    return b;
}

// A BMP of 24 bits that claims `width` × `height` and holds `pixelBytes` of its pixels.
inline QByteArray bmp24(int width, int height, int pixelBytes) {
    QByteArray b("BM");
    put32le(b, quint32(54 + pixelBytes)), put32le(b, 0), put32le(b, 54);
    put32le(b, 40), put32le(b, quint32(width)), put32le(b, quint32(height));
    put16le(b, 1), put16le(b, 24);
    for (int i = 0; i < 6; ++i)
        put32le(b, 0);
    return b + QByteArray(pixelBytes, '\x40');
}

// A PNG of 8-bit RGB that claims `width` × `height` and holds the first of its rows.
inline QByteArray pngClaiming(int width, int height, int bits = 8, int colourType = 2) {
    const int channels = colourType == 6 ? 4 : 3;
    QByteArray file =
        picture_files::png(1, 1, bits, colourType, {QByteArray(channels * bits / 8, '\x7f')});
    QByteArray size;
    picture_files::put32be(size, quint32(width)), picture_files::put32be(size, quint32(height));
    file.replace(16, 8, size);
    // The header's check sum over the new size.
    QByteArray crc;
    picture_files::put32be(crc, picture_files::crc32(file.mid(12, 17)));
    return file.replace(29, 4, crc);
}

// A TIFF of 8-bit RGB in one strip, of `width` × `height` grey 0x7f pixels, deflated or not;
// `heldBytes` cuts the strip short where it is not negative.
inline QByteArray oneStripTiff(int width, int height, bool deflate, qsizetype heldBytes = -1) {
    QByteArray strip(qsizetype(width) * height * 3, '\x7f');
    if (deflate)
        strip = qCompress(strip).mid(4); // a zlib stream, without Qt's length prefix
    if (heldBytes >= 0)
        strip.truncate(heldBytes);
    QByteArray b("II*\0", 4);
    put32le(b, 8);
    const struct {
        int tag, type;
        quint32 value;
    } entries[] = {{256, 4, quint32(width)},
                   {257, 4, quint32(height)},
                   {258, 3, 122},
                   {259, 3, deflate ? 8u : 1u},
                   {262, 3, 2},
                   {273, 4, 128},
                   {277, 3, 3},
                   {278, 4, quint32(height)},
                   {279, 4, quint32(strip.size())}};
    put16le(b, 9);
    for (const auto& e : entries) {
        put16le(b, e.tag), put16le(b, e.type);
        put32le(b, e.tag == 258 ? 3 : 1);
        if (e.type == 3 && e.tag != 258)
            put16le(b, int(e.value)), put16le(b, 0);
        else
            put32le(b, e.value);
    }
    put32le(b, 0);
    put16le(b, 8), put16le(b, 8), put16le(b, 8);
    return b + strip;
}

} // namespace hostile_pictures
