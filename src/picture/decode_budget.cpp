#include "picture/decode_budget.h"

#include <QIODevice>

#include <algorithm>

using namespace picture_decoding;

namespace {

// How much larger than its file a picture can be in each coding at best: deflate's longest
// match of 258 bytes in a code of two bits, LZW's (`kLzwRatio`), a PackBits run of 128 bytes
// in 2.
constexpr qint64 kDeflateRatio = 1032;
constexpr qint64 kPackBitsRatio = 64;

// An uncompressed TIFF cut short opens with what it holds, but only when that is a real part
// of the picture: one that lacks more than three quarters of its pixels is mostly made up, and
// costs what its header claims for the price of a few bytes.
constexpr qint64 kShareACutFileHolds = 4;

// No side of a picture that can be held is longer; a longer one is refused before any cost
// is worked out from it, which could then overflow.
constexpr qint64 kLongestSide = qint64(1) << 24;

bool tooLong(qint64 width, qint64 height) {
    return width > kLongestSide || height > kLongestSide;
}

qint64 rowBytes32(qint64 width, qint64 bytesPerPixel) {
    return (width * bytesPerPixel + 3) / 4 * 4;
}

// Reads the file at any offset and puts the device back where it was.
class FileAt {
  public:
    explicit FileAt(QIODevice& device) : m_device(device), m_start(device.pos()) {}
    ~FileAt() { m_device.seek(m_start); }
    qint64 size() const { return m_device.size(); }
    QByteArray read(qint64 offset, qint64 n) {
        if (offset < 0 || !m_device.seek(m_start + offset))
            return {};
        return m_device.read(n);
    }

  private:
    QIODevice& m_device;
    const qint64 m_start;
};

const uchar* bytesOf(const QByteArray& b) {
    return reinterpret_cast<const uchar*>(b.constData());
}

DecodeCost bmpCost(FileAt& file) {
    const std::optional<BmpDeclared> declared = bmpDeclared(file.read(0, 30));
    if (!declared)
        return {};
    const qint64 width = declared->width, height = declared->height;
    const int bits = declared->bits;
    if (width <= 0 || height <= 0 || bits <= 0)
        return {};
    if (tooLong(width, height))
        return {width, height, 0, 0};
    // Qt hands over one byte per pixel up to 8 bits, a 1-bit picture in bits that we make
    // bytes of; four bytes above 8 bits. It reads the file a row at a time.
    const qint64 fileRowBytes = (width * bits + 31) / 32 * 4;
    qint64 peak = height * rowBytes32(width, bits <= 8 ? 1 : 4) + fileRowBytes;
    if (bits == 1)
        peak += height * (width + 31) / 32 * 4;
    // A file cut short opens with what it holds, however little: only the budget limits what
    // its header may claim.
    return {width, height, peak, 0};
}

struct JpegFrame {
    qint64 width = 0, height = 0, heldBlocks = 0, codedBlocks = 0;
    int components = 0;
    bool allScansAtOnce = false; // progressive, or components in scans of their own
    bool arithmetic = false;
};

// The frame header and the first scan's header, walking the markers before them.
JpegFrame jpegFrame(FileAt& file) {
    JpegFrame frame;
    qint64 at = 2;
    for (int markers = 0; markers < 1000; ++markers) {
        const QByteArray m = file.read(at, 4);
        if (m.size() < 2 || uchar(m[0]) != 0xff)
            return {};
        const int marker = uchar(m[1]);
        if (marker == 0xff) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd8)) {
            at += 2;
            continue;
        }
        if (m.size() < 4)
            return {};
        const qint64 length = be16(bytesOf(m) + 2);
        const bool sof =
            marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
        if (sof) {
            const QByteArray s = file.read(at + 4, length - 2);
            const uchar* p = bytesOf(s);
            if (s.size() < 6 || s.size() < 6 + 3 * p[5])
                return {};
            frame.height = be16(p + 1);
            frame.width = be16(p + 3);
            frame.components = p[5];
            frame.allScansAtOnce = (marker & 3) == 2; // C2, C6, CA, CE: progressive
            frame.arithmetic = marker >= 0xc9;
            int hMax = 1, vMax = 1;
            for (int c = 0; c < frame.components; ++c) {
                hMax = std::max(hMax, p[7 + 3 * c] >> 4);
                vMax = std::max(vMax, p[7 + 3 * c] & 15);
            }
            // The blocks of each component: padded to whole units of the largest sampling as
            // the decoder holds them; a scan of one component codes only those it covers.
            const qint64 unitsAcross = (frame.width + 8 * hMax - 1) / (8 * hMax);
            const qint64 unitsDown = (frame.height + 8 * vMax - 1) / (8 * vMax);
            for (int c = 0; c < frame.components; ++c) {
                const int h = std::max(1, p[7 + 3 * c] >> 4), v = std::max(1, p[7 + 3 * c] & 15);
                frame.heldBlocks += unitsAcross * h * unitsDown * v;
                frame.codedBlocks += (frame.width * h + 8 * hMax - 1) / (8 * hMax) *
                                     ((frame.height * v + 8 * vMax - 1) / (8 * vMax));
            }
        } else if (marker == 0xda) {
            const QByteArray s = file.read(at + 4, 1);
            if (frame.components == 0 || s.isEmpty())
                return {};
            frame.allScansAtOnce = frame.allScansAtOnce || uchar(s[0]) < frame.components;
            return frame;
        } else if (marker == 0xd9) {
            return {};
        }
        at += 2 + length;
    }
    return {};
}

// Qt's image (grey in a byte, colour in four), the coefficients of the whole picture when the
// decoder must hold them until its last scan, and rows of samples to work on.
DecodeCost jpegCost(FileAt& file) {
    const JpegFrame f = jpegFrame(file);
    if (f.components == 0)
        return {};
    qint64 peak = f.height * rowBytes32(f.width, f.components == 1 ? 1 : 4);
    if (f.allScansAtOnce)
        peak += f.heldBlocks * 64 * 2;
    peak += f.width * f.components * 16 * 2;
    // Every block takes a bit at least, for its first coefficient, unless arithmetic coding
    // codes it in less.
    return {f.width, f.height, peak, f.arithmetic ? 0 : f.codedBlocks / 8};
}

DecodeCost pngCost(FileAt& file) {
    const QByteArray head = file.read(0, 29);
    if (head.size() < 29)
        return {};
    const uchar* h = bytesOf(head);
    const qint64 width = be32(h + 16), height = be32(h + 20);
    const int bits = h[24], colourType = h[25];
    const bool interlaced = h[28] != 0;
    static constexpr int kChannels[] = {1, 0, 3, 1, 2, 0, 4};
    const int channels = colourType <= 6 ? kChannels[colourType] : 0;
    if (channels == 0 || width <= 0 || height <= 0)
        return {};
    if (tooLong(width, height))
        return {width, height, 0, 0};
    // Up to 8 bits Qt hands over a byte per pixel for a palette, four otherwise (grey with a
    // transparent value among them); at 16 bits eight, which we copy to four.
    const qint64 qtPixelBytes = colourType == 3 ? 1 : bits == 16 ? 8 : 4;
    qint64 peak = height * rowBytes32(width, qtPixelBytes);
    if (bits == 16)
        peak += height * rowBytes32(width, 4);
    if (bits == 1)
        peak += height * rowBytes32(width, 1);
    const qint64 fileRow = 1 + (width * channels * bits + 7) / 8;
    peak += 2 * fileRow + (interlaced ? height * qint64(sizeof(void*)) : 0);
    return {width, height, peak, 8 + 25 + height * fileRow / kDeflateRatio};
}

// The first directory's fields that tell the cost.
struct TiffFields {
    qint64 width = 0, height = 0, bits = 1, samples = 1, compression = 1;
    qint64 rowsPerStrip = 0, tileWidth = 0, tileHeight = 0;
};

TiffFields tiffFields(FileAt& file) {
    const QByteArray head = file.read(0, 8);
    if (head.size() < 8)
        return {};
    const bool little = head[0] == 'I';
    const auto u16 = [little](const uchar* p) { return little ? le16(p) : be16(p); };
    const auto u32 = [little](const uchar* p) { return little ? le32(p) : be32(p); };
    const qint64 directory = u32(bytesOf(head) + 4);
    const QByteArray countBytes = file.read(directory, 2);
    if (countBytes.size() < 2)
        return {};
    const int count = u16(bytesOf(countBytes));
    const QByteArray entries = file.read(directory + 2, qint64(count) * 12);
    TiffFields f;
    for (qsizetype e = 0; e + 12 <= entries.size(); e += 12) {
        const uchar* p = bytesOf(entries) + e;
        const int tag = u16(p), type = u16(p + 2);
        const quint32 n = u32(p + 4);
        // The first value, held in the entry where it fits, else where the entry points.
        qint64 value = 0;
        if (type == 3) {
            const QByteArray v = n <= 2 ? entries.mid(e + 8, 2) : file.read(u32(p + 8), 2);
            value = v.size() == 2 ? u16(bytesOf(v)) : 0;
        } else if (type == 4) {
            const QByteArray v = n <= 1 ? entries.mid(e + 8, 4) : file.read(u32(p + 8), 4);
            value = v.size() == 4 ? u32(bytesOf(v)) : 0;
        } else {
            continue;
        }
        switch (tag) {
        case 256:
            f.width = value;
            break;
        case 257:
            f.height = value;
            break;
        case 258:
            f.bits = value;
            break;
        case 259:
            f.compression = value;
            break;
        case 277:
            f.samples = value;
            break;
        case 278:
            f.rowsPerStrip = value;
            break;
        case 322:
            f.tileWidth = value;
            break;
        case 323:
            f.tileHeight = value;
            break;
        default:
            break;
        }
    }
    return f;
}

qint64 bestRatio(qint64 tiffCompression) {
    switch (tiffCompression) {
    case 1:
        return kShareACutFileHolds;
    case 5:
        return kLzwRatio;
    case 8:
    case 32946:
        return kDeflateRatio;
    case 32773:
        return kPackBitsRatio;
    default:
        return 0; // fax and JPEG codings: no bound kept
    }
}

// Qt's image, our copy where its depth is not ours, and the strip or tile the decoder expands
// at once, which is the whole picture when it is one strip. Qt hands over one sample as a
// byte up to 8 bits and as two up to 16, which we copy to one; several samples in four bytes
// up to 8 bits and in eight up to 16, which we copy to four; wider samples in up to sixteen.
DecodeCost tiffCost(FileAt& file) {
    const TiffFields f = tiffFields(file);
    if (f.width <= 0 || f.height <= 0 || f.bits <= 0 || f.samples <= 0 || f.bits > 64 ||
        f.samples > 64)
        return {};
    if (tooLong(f.width, f.height))
        return {f.width, f.height, 0, 0};
    const bool grey = f.samples == 1;
    const qint64 qtPixelBytes = f.bits <= 8 ? (grey ? 1 : 4) : f.bits <= 16 ? (grey ? 2 : 8) : 16;
    const qint64 ourPixelBytes = f.bits <= 8 ? 0 : grey && f.bits <= 16 ? 1 : 4;
    qint64 peak =
        f.height * (rowBytes32(f.width, qtPixelBytes) + rowBytes32(f.width, ourPixelBytes));
    const qint64 sampleBits = f.samples * f.bits;
    // Without a number of rows a strip, the picture is one strip.
    const qint64 stripRows = f.rowsPerStrip > 0 ? std::min(f.rowsPerStrip, f.height) : f.height;
    const qint64 stripBytes = f.tileWidth > 0 && f.tileHeight > 0
                                  ? std::min(f.tileHeight, kLongestSide) *
                                        ((std::min(f.tileWidth, kLongestSide) * sampleBits + 7) / 8)
                                  : stripRows * ((f.width * sampleBits + 7) / 8);
    peak += stripBytes;
    const qint64 ratio = bestRatio(f.compression);
    const qint64 pixelBytes = f.height * ((f.width * sampleBits + 7) / 8);
    return {f.width, f.height, peak, ratio > 0 ? pixelBytes / ratio : 0};
}

} // namespace

std::optional<BmpDeclared> bmpDeclared(QByteArrayView header) {
    const auto* h = reinterpret_cast<const uchar*>(header.data());
    if (header.size() < 18)
        return {};
    const bool oldHeader = le32(h + 14) == 12;
    if (header.size() < (oldHeader ? 26 : 30))
        return {};
    BmpDeclared d;
    d.width = oldHeader ? le16(h + 18) : qint32(le32(h + 18));
    d.height = qAbs(oldHeader ? le16(h + 20) : qint64(qint32(le32(h + 22))));
    d.bits = le16(h + (oldHeader ? 24 : 28));
    d.pixelsAt = le32(h + 10);
    const quint32 compression = oldHeader || header.size() < 34 ? 0 : le32(h + 30);
    d.runs = compression == 1 || compression == 2;
    return d;
}

DecodeCost qtDecodeCost(QIODevice& device, PictureFormat format) {
    FileAt file(device);
    switch (format) {
    case PictureFormat::Bmp:
        return bmpCost(file);
    case PictureFormat::Jpeg:
        return jpegCost(file);
    case PictureFormat::Png:
        return pngCost(file);
    case PictureFormat::Tiff:
        return tiffCost(file);
    default:
        return {};
    }
}

Failure refuseCost(const DecodeCost& cost, qint64 fileSize, PictureFormat format,
                   const PictureLimits& limits) {
    if (cost.width <= 0 || cost.height <= 0)
        return Failure::none();
    if (tooLong(cost.width, cost.height))
        return Failure::because(QStringLiteral("The picture is too wide or too high."));
    if (Failure refusal = refuseSize(cost.width, cost.height, 1, limits); refusal.failed())
        return refusal;
    if (cost.peakBytes > limits.maxPixelBytes)
        return Failure::because(refuseMemory(cost.peakBytes, limits));
    if (fileSize < cost.fewestFileBytes)
        return Failure::because(
            QStringLiteral("The file is too short for the %1 × %2 %3 picture its header "
                           "describes.")
                .arg(cost.width)
                .arg(cost.height)
                .arg(pictureFormatName(format)));
    return Failure::none();
}
