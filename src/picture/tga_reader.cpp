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

// The pixel bytes of a run-length encoded picture, a row at a time: a packet may go on into the
// next row. Expanding the whole picture first would hold it twice.
class TgaRuns {
  public:
    TgaRuns(const uchar* data, const uchar* end, int pixelBytes)
        : m_data(data), m_end(end), m_pixelBytes(pixelBytes) {}

    // Fills `row` with the next `pixels` pixels; returns how many of them the file held. What
    // it did not hold is left 0.
    qsizetype next(uchar* row, qsizetype pixels) {
        qsizetype done = 0;
        while (done < pixels && (m_left > 0 || startPacket())) {
            const qsizetype n = qMin(m_left, pixels - done);
            uchar* out = row + done * m_pixelBytes;
            if (m_repeat) {
                for (qsizetype i = 0; i < n; ++i)
                    std::memcpy(out + i * m_pixelBytes, m_value, size_t(m_pixelBytes));
            } else {
                const qsizetype held = qMin<qsizetype>(n * m_pixelBytes, m_end - m_data);
                std::memcpy(out, m_data, size_t(held));
                m_data += held;
                if (held < n * m_pixelBytes) {
                    m_data = m_end;
                    m_left = 0;
                    done += held / m_pixelBytes;
                    break;
                }
            }
            done += n;
            m_left -= n;
        }
        std::memset(row + done * m_pixelBytes, 0, size_t((pixels - done) * m_pixelBytes));
        return done;
    }

  private:
    bool startPacket() {
        if (m_data >= m_end)
            return false;
        const int header = *m_data++;
        m_repeat = header & 0x80;
        if (m_repeat) {
            if (m_end - m_data < m_pixelBytes) {
                m_data = m_end;
                return false;
            }
            m_value = m_data;
            m_data += m_pixelBytes;
        }
        m_left = (header & 0x7f) + 1;
        return true;
    }

    const uchar* m_data;
    const uchar* const m_end;
    const int m_pixelBytes;
    const uchar* m_value = nullptr;
    qsizetype m_left = 0;
    bool m_repeat = false;
};

} // namespace

bool looksLikeTga(QByteArrayView file, const PictureLimits& limits) {
    if (file.size() < kHeaderBytes)
        return false;
    const TgaHeader header(reinterpret_cast<const uchar*>(file.data()));
    if (!header.consistent() || header.width <= 0 || header.height <= 0)
        return false;
    // A picture too large to be read cannot be in the file whole, yet the header alone says
    // what it is: the reader refuses it for its size.
    return header.dataOffset() + header.fewestDataBytes() <= file.size() ||
           refuseSize(header.width, header.height, header.kind() == 2 ? 3 : 1, limits).failed();
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
    if (const Failure refusal = refuseSize(header.width, header.height, trueColor ? 3 : 1, limits);
        refusal.failed())
        return DecodedPicture::failure(refusal.message());
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
    const uchar* const data = bytes + header.dataOffset();
    const qsizetype rowBytes = qsizetype(width) * pixelBytes;
    std::vector<uchar> rowBuffer(header.compressed() ? size_t(rowBytes) : 0);
    // Calls `convert` with each row's pixel bytes as the file holds them, its row in the image
    // and how many of its pixels the file holds; returns how many the file holds in all.
    const auto forEachRow = [&](const auto& convert) {
        TgaRuns runs(data, bytes + file.size(), pixelBytes);
        qint64 held = 0;
        for (int row = 0; row < height; ++row) {
            const uchar* in = data + row * rowBytes;
            qsizetype heldInRow = width;
            if (header.compressed()) {
                heldInRow = runs.next(rowBuffer.data(), width);
                in = rowBuffer.data();
            }
            held += heldInRow;
            convert(in, image.scanLine(header.topDown() ? row : height - 1 - row), heldInRow);
            if ((row & 63) == 0)
                steps.advanceTo(qint64(row) * width);
        }
        return held;
    };
    bool anyAlpha = false;
    // Pixels in file order that the file holds; those after them are left 0 and drawn black.
    const qint64 heldPixels = forEachRow([&](const uchar* in, uchar* out, qsizetype) {
        if (pixelBytes == 1 || pixelBytes == 3) {
            std::memcpy(out, in, size_t(rowBytes));
            return;
        }
        for (int x = 0; x < width; ++x) {
            const QRgb c = colorOf(in + x * pixelBytes, pixelBytes);
            anyAlpha = anyAlpha || qAlpha(c) != 0;
            out[3 * x] = uchar(qBlue(c));
            out[3 * x + 1] = uchar(qGreen(c));
            out[3 * x + 2] = uchar(qRed(c));
        }
    });
    if (header.hasAlpha() && anyAlpha) {
        // A second pass, since a picture whose alpha is 0 everywhere is taken as opaque.
        forEachRow([&](const uchar* in, uchar* out, qsizetype heldInRow) {
            for (int x = 0; x < width; ++x) {
                const QRgb c = x < heldInRow ? overWhite(colorOf(in + x * pixelBytes, pixelBytes))
                                             : qRgb(0, 0, 0);
                out[3 * x] = uchar(qBlue(c));
                out[3 * x + 1] = uchar(qGreen(c));
                out[3 * x + 2] = uchar(qRed(c));
            }
        });
    }
    if (header.rightToLeft())
        image.mirror(true, false);
    steps.finish();
    return decoded(trueColor ? PictureRecord::fromTrueColor(std::move(image))
                             : PictureRecord::fromIndexed(std::move(image), 8),
                   PictureFormat::Tga, heldPixels < qint64(width) * height);
}
