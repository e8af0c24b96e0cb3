#include "picture/tga_reader.h"

#include <cstring>
#include <vector>

using namespace picture_decoding;

namespace {

constexpr int kHeaderBytes = 18;

struct TgaHeader {
    int idBytes, mapType, type, mapFirst, mapLength, mapBits, width, height, bits, descriptor;

    explicit TgaHeader(const uchar* h)
        : idBytes(h[0]), mapType(h[1]), type(h[2]), mapFirst(le16(h + 3)), mapLength(le16(h + 5)),
          mapBits(h[7]), width(le16(h + 12)), height(le16(h + 14)), bits(h[16]), descriptor(h[17]) {
    }

    bool compressed() const { return type >= 9; }
    int kind() const { return type & 7; } // 1 colour-mapped, 2 true colour, 3 grey
    int pixelBytes() const { return (bits + 7) / 8; }
    int mapEntryBytes() const { return (mapBits + 7) / 8; }
    qint64 mapBytes() const { return mapType == 1 ? qint64(mapLength) * mapEntryBytes() : 0; }
    qint64 dataOffset() const { return kHeaderBytes + idBytes + mapBytes(); }
    bool hasAlpha() const { return (descriptor & 0x0f) != 0 && (bits == 16 || bits == 32); }
    bool topDown() const { return descriptor & 0x20; }
    bool rightToLeft() const { return descriptor & 0x10; }

    bool consistent() const {
        if (mapType > 1 ||
            (type != 1 && type != 2 && type != 3 && type != 9 && type != 10 && type != 11))
            return false;
        if (mapType == 1 && mapBits != 15 && mapBits != 16 && mapBits != 24 && mapBits != 32)
            return false;
        if (kind() == 1)
            return mapType == 1 && bits == 8 && mapLength > 0 && mapFirst + mapLength <= 256;
        if (kind() == 2)
            return bits == 15 || bits == 16 || bits == 24 || bits == 32;
        return bits == 8;
    }
    // The fewest bytes that can hold the pixels: all of them raw, or runs of 128 pixels.
    qint64 fewestDataBytes() const {
        const qint64 pixels = qint64(width) * height;
        return compressed() ? (pixels + 127) / 128 * (1 + pixelBytes()) : pixels * pixelBytes();
    }
};

// A 15- or 16-bit colour: five bits each of red, green and blue; the top bit is alpha.
inline QRgb fromRgb555(quint16 v) {
    const auto expand = [](int c) { return (c << 3) | (c >> 2); };
    return qRgba(expand((v >> 10) & 31), expand((v >> 5) & 31), expand(v & 31),
                 v & 0x8000 ? 255 : 0);
}

// Pixel bytes (blue, green, red, alpha as the file stores them) of `bytes` bytes to a colour.
inline QRgb colorOf(const uchar* p, int bytes) {
    switch (bytes) {
    case 2:
        return fromRgb555(quint16(le16(p)));
    case 3:
        return qRgb(p[2], p[1], p[0]);
    default:
        return qRgba(p[2], p[1], p[0], p[3]);
    }
}

// Over white, rounding to nearest.
inline QRgb overWhite(QRgb c) {
    const int a = qAlpha(c);
    const auto mix = [a](int v) { return (v * a + 255 * (255 - a) + 127) / 255; };
    return qRgb(mix(qRed(c)), mix(qGreen(c)), mix(qBlue(c)));
}

// Fills `out` with the pixel bytes of the whole picture in file order, runs expanded. Returns
// how many bytes the file held; what a file cut short lacks stays 0.
qsizetype expandRuns(const uchar* data, const uchar* end, std::vector<uchar>& out, int pixelBytes,
                     ProgressSteps& steps) {
    uchar* at = out.data();
    uchar* const outEnd = at + out.size();
    qint64 packets = 0;
    while (at < outEnd && data < end) {
        const int header = *data++;
        const qsizetype count = qMin<qsizetype>((header & 0x7f) + 1, (outEnd - at) / pixelBytes);
        if (header & 0x80) {
            if (end - data < pixelBytes)
                break;
            if (pixelBytes == 1) {
                std::memset(at, *data, size_t(count));
            } else {
                for (qsizetype i = 0; i < count; ++i)
                    std::memcpy(at + i * pixelBytes, data, size_t(pixelBytes));
            }
            data += pixelBytes;
        } else {
            const qsizetype n = qMin<qsizetype>(count * pixelBytes, end - data);
            std::memcpy(at, data, size_t(n));
            data += n;
            if (n < count * pixelBytes)
                return at + n - out.data();
        }
        at += count * pixelBytes;
        if ((++packets & 0xffff) == 0)
            steps.advanceTo((at - out.data()) / pixelBytes);
    }
    return at - out.data();
}

} // namespace

bool looksLikeTga(QByteArrayView file) {
    if (file.size() < kHeaderBytes)
        return false;
    const TgaHeader header(reinterpret_cast<const uchar*>(file.data()));
    return header.consistent() && header.width > 0 && header.height > 0 &&
           header.dataOffset() + header.fewestDataBytes() <= file.size();
}

DecodedPicture readTga(QByteArrayView file, const PictureLimits& limits,
                       const PictureProgress& progress) {
    if (file.size() < kHeaderBytes)
        return DecodedPicture::failure(QStringLiteral("The file is too short for a TGA header."));
    const auto* bytes = reinterpret_cast<const uchar*>(file.data());
    const TgaHeader header(bytes);
    if (!header.consistent())
        return DecodedPicture::failure(
            QStringLiteral("The TGA header describes no picture of a kind that can be read."));
    const bool trueColor = header.kind() == 2;
    if (const QString refusal = refuseSize(header.width, header.height, trueColor ? 3 : 1, limits);
        !refusal.isEmpty())
        return DecodedPicture::failure(refusal);
    if (header.dataOffset() + header.fewestDataBytes() > file.size())
        return DecodedPicture::failure(
            QStringLiteral("The file is too short for the TGA picture its header describes."));

    const int width = header.width, height = header.height, pixelBytes = header.pixelBytes();
    QImage image(width, height, trueColor ? QImage::Format_BGR888 : QImage::Format_Indexed8);
    if (image.isNull())
        return DecodedPicture::failure(outOfMemory());

    if (header.kind() == 1) {
        QList<QRgb> palette(header.mapFirst + header.mapLength, qRgb(0, 0, 0));
        const uchar* entry = bytes + kHeaderBytes + header.idBytes;
        const bool alpha = header.mapBits == 32 && (header.descriptor & 0x0f) != 0;
        bool anyAlpha = false;
        for (int i = 0; i < header.mapLength; ++i, entry += header.mapEntryBytes()) {
            palette[header.mapFirst + i] = colorOf(entry, header.mapEntryBytes());
            anyAlpha = anyAlpha || qAlpha(palette[header.mapFirst + i]) != 0;
        }
        for (QRgb& c : palette)
            c = alpha && anyAlpha ? overWhite(c) : (c | 0xff000000);
        image.setColorTable(palette);
    } else if (header.kind() == 3) {
        image.setColorTable(greyPalette(256));
    }

    ProgressSteps steps(progress, qint64(width) * height);
    const uchar* data = bytes + header.dataOffset();
    const uchar* end = bytes + file.size();
    std::vector<uchar> expanded;
    // Pixels in file order that the file holds; those after them are left 0 and drawn black.
    qint64 heldPixels = qint64(width) * height;
    if (header.compressed()) {
        expanded.resize(size_t(heldPixels * pixelBytes));
        heldPixels = expandRuns(data, end, expanded, pixelBytes, steps) / pixelBytes;
        data = expanded.data();
        end = data + expanded.size();
    }
    const qsizetype rowBytes = qsizetype(width) * pixelBytes;
    bool anyAlpha = false;
    for (int row = 0; row < height; ++row) {
        const uchar* in = data + row * rowBytes;
        uchar* out = image.scanLine(header.topDown() ? row : height - 1 - row);
        if (pixelBytes == 1 || pixelBytes == 3) {
            std::memcpy(out, in, size_t(rowBytes));
        } else {
            for (int x = 0; x < width; ++x) {
                const QRgb c = colorOf(in + x * pixelBytes, pixelBytes);
                anyAlpha = anyAlpha || qAlpha(c) != 0;
                out[3 * x] = uchar(qBlue(c));
                out[3 * x + 1] = uchar(qGreen(c));
                out[3 * x + 2] = uchar(qRed(c));
            }
        }
        if ((row & 63) == 0)
            steps.advanceTo(qint64(row) * width);
    }
    if (header.hasAlpha() && anyAlpha) {
        // A second pass, since a picture whose alpha is 0 everywhere is taken as opaque.
        for (int row = 0; row < height; ++row) {
            const uchar* in = data + row * rowBytes;
            uchar* out = image.scanLine(header.topDown() ? row : height - 1 - row);
            for (int x = 0; x < width; ++x) {
                const QRgb c = qint64(row) * width + x < heldPixels
                                   ? overWhite(colorOf(in + x * pixelBytes, pixelBytes))
                                   : qRgb(0, 0, 0);
                out[3 * x] = uchar(qBlue(c));
                out[3 * x + 1] = uchar(qGreen(c));
                out[3 * x + 2] = uchar(qRed(c));
            }
        }
    }
    if (header.rightToLeft())
        image.mirror(true, false);
    steps.finish();
    return decoded(trueColor ? PictureRecord::fromTrueColor(std::move(image))
                             : PictureRecord::fromIndexed(std::move(image), 8),
                   PictureFormat::Tga, heldPixels < qint64(width) * height);
}
