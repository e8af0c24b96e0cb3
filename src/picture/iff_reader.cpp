#include "picture/iff_reader.h"

#include <array>
#include <cstring>
#include <vector>

using namespace picture_decoding;

namespace {

constexpr quint32 kExtraHalfBright = 0x80;
constexpr quint32 kHoldAndModify = 0x800;
constexpr int kMaskPlane = 1; // the masking kind whose rows carry one plane more

struct BitmapHeader {
    int width = 0, height = 0, planes = 0, masking = 0, compression = 0;
};

struct Chunks {
    const uchar* bmhd = nullptr;
    QByteArrayView cmap, body;
    quint32 camg = 0;
};

// ByteRun1, read as one stream so that a run that crosses a row or a plane still decodes.
class ByteRuns {
  public:
    ByteRuns(QByteArrayView data, bool compressed)
        : m_data(reinterpret_cast<const uchar*>(data.data())), m_end(m_data + data.size()),
          m_compressed(compressed) {}

    // Fills `out` with `count` bytes; past the end of the data with 0.
    void decode(uchar* out, qsizetype count) {
        qsizetype at = 0;
        while (at < count) {
            if (m_left > 0) {
                const qsizetype n = qMin<qsizetype>(m_left, count - at);
                if (m_repeat)
                    std::memset(out + at, m_value, size_t(n));
                else
                    std::memcpy(out + at, take(n), size_t(n));
                at += n;
                m_left -= int(n);
                continue;
            }
            if (m_data == m_end) {
                m_ranOut = true;
                break;
            }
            if (!m_compressed) {
                m_left = int(qMin<qsizetype>(m_end - m_data, 1 << 20));
                m_repeat = false;
                continue;
            }
            const int n = qint8(*m_data++);
            if (n >= 0) {
                m_left = int(qMin<qsizetype>(n + 1, m_end - m_data));
                m_repeat = false;
            } else if (n != -128 && m_data != m_end) {
                m_left = 1 - n;
                m_repeat = true;
                m_value = *m_data++;
            }
        }
        std::memset(out + at, 0, size_t(count - at));
    }

    // Whether the data ended before the bytes asked for.
    bool ranOut() const { return m_ranOut; }

  private:
    const uchar* take(qsizetype n) {
        const uchar* at = m_data;
        m_data += n;
        return at;
    }
    const uchar* m_data;
    const uchar* m_end;
    bool m_compressed;
    int m_left = 0;
    bool m_repeat = false;
    uchar m_value = 0;
    bool m_ranOut = false;
};

// Byte i of spread[v] is bit 7 - i of v: eight pixels of one plane, leftmost first, so that a
// plane's bytes are added to eight pixels at once.
const std::array<quint64, 256>& spreadBits() {
    static const std::array<quint64, 256> table = [] {
        std::array<quint64, 256> t{};
        for (int v = 0; v < 256; ++v)
            for (int i = 0; i < 8; ++i)
                t[size_t(v)] |= quint64((v >> (7 - i)) & 1) << (8 * i);
        return t;
    }();
    return table;
}

// Eight planes starting at `planes` (each `planeBytes` long) into one byte per pixel, plane 0
// the lowest bit; `count` planes are read.
void planesToBytes(const uchar* planes, qsizetype planeBytes, int count, quint64* words) {
    const auto& spread = spreadBits();
    std::memset(words, 0, size_t(planeBytes) * 8);
    for (int p = 0; p < count; ++p) {
        const uchar* plane = planes + p * planeBytes;
        for (qsizetype i = 0; i < planeBytes; ++i)
            words[i] |= spread[plane[i]] << p;
    }
}

Chunks findChunks(QByteArrayView file) {
    Chunks found;
    const auto* bytes = reinterpret_cast<const uchar*>(file.data());
    // A FORM whose length claims more than the file has is read as far as the file goes.
    const qsizetype end = qMin<qsizetype>(file.size(), qsizetype(8) + be32(bytes + 4));
    qsizetype at = 12;
    while (at + 8 <= end) {
        const QByteArrayView id = file.sliced(at, 4);
        const qsizetype length = qMin<qsizetype>(be32(bytes + at + 4), end - at - 8);
        const QByteArrayView data = file.sliced(at + 8, length);
        if (id == "BMHD" && length >= 20)
            found.bmhd = reinterpret_cast<const uchar*>(data.data());
        else if (id == "CMAP")
            found.cmap = data;
        else if (id == "CAMG" && length >= 4)
            found.camg = be32(reinterpret_cast<const uchar*>(data.data()));
        else if (id == "BODY")
            found.body = data;
        at += 8 + length + (length & 1); // chunks are padded to an even length
    }
    return found;
}

QList<QRgb> colorMap(QByteArrayView cmap, int planes, quint32 camg) {
    const int count = qMin<int>(int(cmap.size() / 3), 256);
    if (count == 0)
        return greyPalette(1 << qMin(planes, 8));
    QList<QRgb> palette(count);
    const auto* rgb = reinterpret_cast<const uchar*>(cmap.data());
    for (int i = 0; i < count; ++i)
        palette[i] = qRgb(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
    if ((camg & kExtraHalfBright) && planes == 6) {
        // The upper 32 colours are the lower 32 at half their brightness.
        palette.resize(64, qRgb(0, 0, 0));
        for (int i = 0; i < 32; ++i)
            palette[32 + i] =
                qRgb(qRed(palette[i]) / 2, qGreen(palette[i]) / 2, qBlue(palette[i]) / 2);
    }
    return palette;
}

// Hold-and-modify: the top two bits of each pixel choose between a palette colour and keeping
// the pixel to the left with one of its components replaced by the low bits.
void holdAndModify(const uchar* indices, int width, int planes, const QList<QRgb>& palette,
                   uchar* out) {
    const int valueBits = planes - 2;
    const int mask = (1 << valueBits) - 1;
    // 4 or 6 bits to 8, the high bits repeated below: 15 becomes 255, 63 becomes 255.
    const auto scale = [valueBits](int v) {
        return (v << (8 - valueBits)) | (v >> (2 * valueBits - 8));
    };
    const auto entry = [&palette](int i) {
        return i < palette.size() ? palette[i] : qRgb(0, 0, 0);
    };
    QRgb c = entry(0);
    int r = qRed(c), g = qGreen(c), b = qBlue(c);
    for (int x = 0; x < width; ++x) {
        const int value = indices[x] & mask;
        switch (indices[x] >> valueBits) {
        case 0:
            c = entry(value);
            r = qRed(c), g = qGreen(c), b = qBlue(c);
            break;
        case 1:
            b = scale(value);
            break;
        case 2:
            r = scale(value);
            break;
        default:
            g = scale(value);
            break;
        }
        out[3 * x] = uchar(b);
        out[3 * x + 1] = uchar(g);
        out[3 * x + 2] = uchar(r);
    }
}

} // namespace

bool looksLikeIff(QByteArrayView file) {
    return file.size() >= 12 && file.first(4) == "FORM" &&
           (file.sliced(8, 4) == "ILBM" || file.sliced(8, 4) == "PBM ");
}

DecodedPicture readIff(QByteArrayView file, const PictureLimits& limits,
                       const PictureProgress& progress) {
    if (!looksLikeIff(file))
        return DecodedPicture::failure(QStringLiteral("The file is no IFF picture."));
    const bool chunky = file.sliced(8, 4) == "PBM ";
    const Chunks chunks = findChunks(file);
    if (!chunks.bmhd || chunks.body.isNull())
        return DecodedPicture::failure(
            QStringLiteral("The IFF file lacks the header or the body of its picture."));
    BitmapHeader h;
    h.width = be16(chunks.bmhd);
    h.height = be16(chunks.bmhd + 2);
    h.planes = chunks.bmhd[8];
    h.masking = chunks.bmhd[9];
    h.compression = chunks.bmhd[10];

    const bool ham = !chunky && (chunks.camg & kHoldAndModify) && (h.planes == 6 || h.planes == 8);
    const bool trueColor = ham || (!chunky && h.planes == 24);
    if (chunky ? h.planes != 8 : !(h.planes >= 1 && h.planes <= 8) && h.planes != 24)
        return DecodedPicture::failure(
            QStringLiteral("IFF pictures of %1 planes are not supported.").arg(h.planes));
    if (h.compression > 1)
        return DecodedPicture::failure(
            QStringLiteral("The IFF picture is compressed in a way that cannot be read."));
    if (const Failure refusal = refuseSize(h.width, h.height, trueColor ? 3 : 1, limits);
        refusal.failed())
        return DecodedPicture::failure(refusal.message());

    // A row: each plane padded to 16 bits, the mask plane after them; a PBM row is one byte
    // per pixel, padded to an even count.
    const qsizetype planeBytes = chunky ? (h.width + 1) / 2 * 2 : (h.width + 15) / 16 * 2;
    const int rowPlanes = chunky ? 1 : h.planes + (h.masking == kMaskPlane ? 1 : 0);
    const qsizetype rowBytes = planeBytes * rowPlanes;
    // A run of two bytes gives at most 128: a body too short for that is not this picture.
    if (qint64(chunks.body.size()) * (h.compression ? 64 : 1) < qint64(rowBytes) * h.height)
        return DecodedPicture::failure(
            QStringLiteral("The file is too short for the IFF picture its header describes."));

    QImage image(h.width, h.height, trueColor ? QImage::Format_BGR888 : QImage::Format_Indexed8);
    if (image.isNull())
        return DecodedPicture::failure(outOfMemory());
    const QList<QRgb> palette = colorMap(chunks.cmap, h.planes, chunks.camg);
    if (!trueColor)
        image.setColorTable(palette);

    ByteRuns runs(chunks.body, h.compression == 1);
    std::vector<uchar> row(static_cast<size_t>(rowBytes));
    std::vector<quint64> words(static_cast<size_t>(planeBytes) * 3);
    ProgressSteps steps(progress, h.height);
    for (int y = 0; y < h.height; ++y) {
        runs.decode(row.data(), rowBytes);
        uchar* out = image.scanLine(y);
        const auto* pixels = reinterpret_cast<const uchar*>(words.data());
        if (chunky) {
            std::memcpy(out, row.data(), size_t(h.width));
        } else if (h.planes == 24) {
            for (int c = 0; c < 3; ++c)
                planesToBytes(row.data() + 8 * c * planeBytes, planeBytes, 8,
                              words.data() + c * planeBytes);
            const uchar* red = pixels;
            const uchar* green = red + 8 * planeBytes;
            const uchar* blue = green + 8 * planeBytes;
            for (int x = 0; x < h.width; ++x) {
                out[3 * x] = blue[x];
                out[3 * x + 1] = green[x];
                out[3 * x + 2] = red[x];
            }
        } else {
            planesToBytes(row.data(), planeBytes, h.planes, words.data());
            if (ham)
                holdAndModify(pixels, h.width, h.planes, palette, out);
            else
                std::memcpy(out, pixels, size_t(h.width));
        }
        if ((y & 63) == 0)
            steps.advanceTo(y);
    }
    steps.finish();
    if (trueColor)
        return decoded(PictureRecord::fromTrueColor(std::move(image)), PictureFormat::Ilbm,
                       runs.ranOut());
    const int depth = h.planes == 1 ? 1 : h.planes <= 4 ? 4 : 8;
    return decoded(PictureRecord::fromIndexed(std::move(image), depth),
                   chunky ? PictureFormat::Pbm : PictureFormat::Ilbm, runs.ranOut());
}
