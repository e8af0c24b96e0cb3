#include "picture/pcx_reader.h"

#include <cstring>
#include <vector>

using namespace picture_decoding;

namespace {

constexpr int kHeaderBytes = 128;
constexpr int kEgaPaletteAt = 16;
constexpr int kTailPaletteBytes = 769; // the marker 12, then 256 × red, green, blue

// Run-length decoding that carries a run on from one line into the next, as some writers
// let runs cross lines.
class PcxRuns {
  public:
    PcxRuns(const uchar* data, const uchar* end, bool compressed)
        : m_data(data), m_end(end), m_compressed(compressed) {}

    // Fills `line` with `count` bytes; past the end of the data with 0, so that a file cut
    // short shows the rows it has and the first palette colour below them.
    void decode(uchar* line, qsizetype count) {
        std::memset(line, 0, size_t(count));
        if (!m_compressed) {
            const qsizetype n = qMin<qsizetype>(count, m_end - m_data);
            std::memcpy(line, m_data, size_t(n));
            m_data += n;
            m_ranOut = m_ranOut || n < count;
            return;
        }
        qsizetype at = 0;
        while (at < count) {
            if (m_runLeft > 0) {
                const qsizetype n = qMin<qsizetype>(m_runLeft, count - at);
                std::memset(line + at, m_runValue, size_t(n));
                at += n;
                m_runLeft -= int(n);
                continue;
            }
            if (m_data == m_end) {
                m_ranOut = true;
                return;
            }
            const uchar b = *m_data++;
            if ((b & 0xc0) != 0xc0) {
                line[at++] = b;
                continue;
            }
            if (m_data == m_end) {
                m_ranOut = true;
                return;
            }
            m_runLeft = b & 0x3f;
            m_runValue = *m_data++;
        }
    }

    // Whether the data ended before a line was full.
    bool ranOut() const { return m_ranOut; }
    // The data after the lines decoded so far.
    QByteArrayView rest() const { return {m_data, m_end}; }

  private:
    const uchar* m_data;
    const uchar* m_end;
    bool m_compressed;
    int m_runLeft = 0;
    uchar m_runValue = 0;
    bool m_ranOut = false;
};

// The palette index of each pixel of a line of `planes` planes of 1 bit, plane 0 the lowest bit.
void combineBitPlanes(const uchar* line, int planes, qsizetype planeBytes, int width, uchar* out) {
    for (int x = 0; x < width; ++x) {
        const int byte = x >> 3, bit = 7 - (x & 7);
        int index = 0;
        for (int p = 0; p < planes; ++p)
            index |= ((line[p * planeBytes + byte] >> bit) & 1) << p;
        out[x] = uchar(index);
    }
}

QList<QRgb> paletteFrom(const uchar* rgb, int count) {
    QList<QRgb> palette(count);
    for (int i = 0; i < count; ++i)
        palette[i] = qRgb(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
    return palette;
}

} // namespace

bool looksLikePcx(QByteArrayView file) {
    const auto* h = reinterpret_cast<const uchar*>(file.data());
    return file.size() >= kHeaderBytes && h[0] == 0x0a && h[1] <= 5 && h[2] <= 1 &&
           (h[3] == 1 || h[3] == 2 || h[3] == 4 || h[3] == 8);
}

DecodedPicture readPcx(QByteArrayView file, const PictureLimits& limits,
                       const PictureProgress& progress) {
    if (!looksLikePcx(file))
        return DecodedPicture::failure(QStringLiteral("The file has no PCX header."));
    const auto* h = reinterpret_cast<const uchar*>(file.data());
    const uchar* end = h + file.size();
    const int bits = h[3];
    const int planes = h[65];
    const qsizetype planeBytes = le16(h + 66);
    const int width = le16(h + 8) - le16(h + 4) + 1;
    const int height = le16(h + 10) - le16(h + 6) + 1;

    int depth = 0;
    if (bits == 1 && planes >= 1 && planes <= 4)
        depth = planes == 1 ? 1 : 4;
    else if ((bits == 2 || bits == 4) && planes == 1)
        depth = 4;
    else if (bits == 8 && planes == 1)
        depth = 8;
    else if (bits == 8 && (planes == 3 || planes == 4))
        depth = 24;
    if (depth == 0)
        return DecodedPicture::failure(
            QStringLiteral("PCX pictures of %1 planes of %2 bits are not supported.")
                .arg(planes)
                .arg(bits));
    if (const Failure refusal = refuseSize(width, height, depth == 24 ? 3 : 1, limits);
        refusal.failed())
        return DecodedPicture::failure(refusal.message());
    if (planeBytes * 8 < qsizetype(width) * bits)
        return DecodedPicture::failure(
            QStringLiteral("The PCX header gives lines too short for the picture's width."));
    const qsizetype lineBytes = planeBytes * planes;
    // A run of two bytes gives at most 63 bytes: a file too short for that is not this picture.
    const bool compressed = h[2] == 1;
    const qint64 dataBytes = file.size() - kHeaderBytes;
    if (dataBytes * (compressed ? 63 : 1) < qint64(lineBytes) * height / (compressed ? 2 : 1))
        return DecodedPicture::failure(
            QStringLiteral("The file is too short for the PCX picture its header describes."));

    QImage image(width, height, depth == 24 ? QImage::Format_BGR888 : QImage::Format_Indexed8);
    if (image.isNull())
        return DecodedPicture::failure(outOfMemory());

    const uchar* data = h + kHeaderBytes;
    bool greys = false;
    if (depth == 8) {
        const uchar* tail = end - kTailPaletteBytes;
        if (end - data >= kTailPaletteBytes && tail[0] == 12) {
            image.setColorTable(paletteFrom(tail + 1, 256));
            end = tail;
        } else {
            image.setColorTable(greyPalette(256));
            greys = true;
        }
    } else if (depth == 1 && planes == 1) {
        image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    } else if (depth == 4) {
        image.setColorTable(paletteFrom(h + kEgaPaletteAt, 1 << (bits * planes)));
    }

    PcxRuns runs(data, end, compressed);
    std::vector<uchar> line(static_cast<size_t>(lineBytes));
    ProgressSteps steps(progress, height);
    for (int y = 0; y < height; ++y) {
        runs.decode(line.data(), lineBytes);
        uchar* out = image.scanLine(y);
        if (depth == 24) {
            const uchar* r = line.data();
            const uchar* g = r + planeBytes;
            const uchar* b = g + planeBytes;
            for (int x = 0; x < width; ++x) {
                out[3 * x] = b[x];
                out[3 * x + 1] = g[x];
                out[3 * x + 2] = r[x];
            }
        } else if (bits == 8) {
            std::memcpy(out, line.data(), size_t(width));
        } else if (bits == 4) {
            for (int x = 0; x < width; ++x)
                out[x] = (line[x >> 1] >> (x & 1 ? 0 : 4)) & 0x0f;
        } else if (bits == 2) {
            for (int x = 0; x < width; ++x)
                out[x] = (line[x >> 2] >> (6 - 2 * (x & 3))) & 3;
        } else {
            combineBitPlanes(line.data(), planes, planeBytes, width, out);
        }
        if ((y & 63) == 0)
            steps.advanceTo(y);
    }
    steps.finish();
    DecodedPicture read = decoded(depth == 24 ? PictureRecord::fromTrueColor(std::move(image))
                                              : PictureRecord::fromIndexed(std::move(image), depth),
                                  PictureFormat::Pcx, runs.ranOut());
    // The palette's marker after whole lines, but too few bytes for the palette.
    if (greys && read.incomplete.isEmpty() && runs.rest().startsWith(char(12)))
        read.incomplete = QStringLiteral(
            "The file ends early; its palette is cut off, so the picture is drawn in greys.");
    return read;
}
