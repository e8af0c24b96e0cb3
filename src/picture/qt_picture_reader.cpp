#include "picture/qt_picture_reader.h"

#include "picture/decode_budget.h"
#include "picture/picture_formats.h"
#include "picture/png_chunks.h"

#include <QIODevice>
#include <QImageReader>

#include <cstring>
#include <memory>
#include <optional>
#include <utility>

using namespace picture_decoding;

namespace {

// Enough of a file's start for every header the records are made from: the largest BMP header
// (14 + 124 bytes) with the first colours of its palette.
constexpr qint64 kHeaderBytes = 256;

// The file as Qt's readers see it: reads pass through to it, report the furthest point read of
// its size, and tell whether the decoder came to the file's end wanting more. Past the end
// follow `zeros` bytes of 0 for readers that keep what they are given.
class FileForQt : public QIODevice {
  public:
    FileForQt(QIODevice& source, qint64 zeros, const PictureProgress& progress)
        : m_source(source), m_fileSize(source.size()), m_zeros(zeros), m_at(source.pos()),
          m_steps(progress, m_fileSize) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    ~FileForQt() override { m_steps.finish(); }

    bool isSequential() const override { return m_source.isSequential(); }
    qint64 size() const override { return m_fileSize + m_zeros; }
    bool seek(qint64 pos) override {
        if (!QIODevice::seek(pos) || !m_source.seek(qMin(pos, m_fileSize)))
            return false;
        m_at = pos;
        return true;
    }

    // Whether the decoder read at the file's end or was handed zeros past it. A decoder that
    // reads ahead in blocks asks for more than is left at the end of every file, but comes
    // back for more only when the picture is not complete.
    bool ranPastEnd() const { return m_ranPastEnd; }
    void forgetTheEnd() { m_ranPastEnd = false; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        qint64 n = 0;
        if (m_at < m_fileSize) {
            n = m_source.read(data, qMin(maxSize, m_fileSize - m_at));
            if (n < 0)
                return n;
            m_furthest = qMax(m_furthest, m_at + n);
            m_steps.advanceTo(m_furthest);
        } else if (maxSize > 0) {
            m_ranPastEnd = true;
        }
        if (m_at + n >= m_fileSize) {
            const qint64 zeros = qBound(qint64(0), m_fileSize + m_zeros - (m_at + n), maxSize - n);
            if (zeros > 0) {
                std::memset(data + n, 0, size_t(zeros));
                n += zeros;
                m_ranPastEnd = true;
            }
        }
        m_at += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    QIODevice& m_source;
    const qint64 m_fileSize;
    const qint64 m_zeros;
    qint64 m_at;
    qint64 m_furthest = 0;
    ProgressSteps m_steps;
    bool m_ranPastEnd = false;
};

// How many bytes of 0 a BMP of `fileSize` bytes lacks at most: the rest of its header and
// palette, and its pixels after the offset its header gives, uncompressed or in runs that end
// each row with a code of two bytes. A file cut anywhere after the picture's size is told
// opens all the same, with the colours and pixels it lacks of value 0. None when the header
// does not tell the size, or tells of a picture too large to be read.
qint64 bmpZerosLacking(QByteArrayView header, qint64 fileSize, const PictureLimits& limits) {
    const std::optional<BmpDeclared> declared = bmpDeclared(header);
    if (!declared)
        return 0;
    const qint64 width = declared->width, height = declared->height;
    const int bits = declared->bits;
    if (width <= 0 || height <= 0 || bits <= 0 || bits > 32 || width * height > limits.maxPixels)
        return 0;
    // Where the offset lies inside the header or palette, the decoder reads on after them:
    // the pixels start after the largest header and palette at the latest.
    constexpr qint64 kLargestHeaderAndPalette = 14 + 124 + 256 * 4;
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    return qMax(qint64(0), qMax(declared->pixelsAt, kLargestHeaderAndPalette) +
                               (rowBytes + 2) * height - fileSize);
}

// What a picture Qt decoded from a file that ends early lacks, and how it is drawn.
QString endsEarlyIn(PictureFormat format, const PictureRecord& picture) {
    switch (format) {
    case PictureFormat::Jpeg:
        return QStringLiteral(
            "The file ends early; the JPEG decoder fills in the missing part, mostly in grey.");
    default:
        // Qt's BMP reader is handed zeros for what is missing: value 0.
        return endsEarly(picture);
    }
}

// The palette depth the file declares, where it says one; 0 where Qt's image tells enough.
int declaredPaletteDepth(PictureFormat format, QByteArrayView header) {
    const auto* h = reinterpret_cast<const uchar*>(header.data());
    if (format == PictureFormat::Bmp) {
        const int bits = bmpDeclared(header).value_or(BmpDeclared{}).bits;
        return bits > 0 && bits <= 8 ? (bits <= 1 ? 1 : bits <= 4 ? 4 : 8) : 0;
    }
    if (format == PictureFormat::Png && header.size() >= 26 && h[25] == 3)
        return h[24] == 1 ? 1 : h[24] <= 4 ? 4 : 8;
    return 0;
}

// The first two colours of a BMP's palette as the file lists them; nothing when the header
// given does not reach them.
std::optional<std::pair<QRgb, QRgb>> bmpFirstTwoColours(QByteArrayView header) {
    const auto* h = reinterpret_cast<const uchar*>(header.data());
    if (header.size() < 18)
        return {};
    // The old OS/2 header of 12 bytes lists three bytes per colour, the others four.
    const qint64 infoBytes = le32(h + 14);
    const int entryBytes = infoBytes == 12 ? 3 : 4;
    const qint64 at = 14 + infoBytes;
    if (at + 2 * entryBytes > header.size())
        return {};
    const auto colour = [h](qint64 i) { return qRgb(h[i + 2], h[i + 1], h[i]); };
    return std::pair{colour(at), colour(at + entryBytes)};
}

// Whether Qt handed over a two-colour picture with its two colours and its pixel values
// swapped: it makes value 0 the lighter colour of a 1-bit BMP, and inverts 1-bit grey PNGs
// so. The record keeps the file's own values, value 0 being the file's first colour; in a
// grey PNG, black.
bool qtSwappedTwoColours(const QImage& image, PictureFormat format, QByteArrayView header) {
    const QList<QRgb> table = image.colorTable();
    if (table.size() != 2)
        return false;
    const auto* h = reinterpret_cast<const uchar*>(header.data());
    if (format == PictureFormat::Png)
        return header.size() >= 26 && h[24] == 1 && h[25] == 0 && qGray(table[0]) > qGray(table[1]);
    if (format != PictureFormat::Bmp)
        return false;
    const auto file = bmpFirstTwoColours(header);
    const auto rgb = [](QRgb c) { return c & RGB_MASK; };
    return file && file->first != file->second && rgb(table[0]) == rgb(file->second) &&
           rgb(table[1]) == rgb(file->first);
}

// Swaps values 0 and 1 and the two colours back, for an Indexed8 image of two colours.
void swapTwoColours(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x)
            row[x] ^= 1;
    }
    const QList<QRgb> table = image.colorTable();
    image.setColorTable({table[1], table[0]});
}

bool isGreyRamp(const QList<QRgb>& palette) {
    return palette.size() > 2 && palette == greyPalette(int(palette.size()));
}

QRgb overWhite(QRgb c) {
    const int a = qAlpha(c);
    const auto mix = [a](int v) { return (v * a + 255 * (255 - a) + 127) / 255; };
    return qRgb(mix(qRed(c)), mix(qGreen(c)), mix(qBlue(c)));
}

// A 32-bit image of declared alpha as opaque RGB32: laid over white, unless its alpha is 0
// everywhere, which many writers leave so and mean opaque.
QImage flattenAlpha(QImage image) {
    image.convertTo(QImage::Format_ARGB32);
    bool anyAlpha = false;
    for (int y = 0; y < image.height() && !anyAlpha; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width() && !anyAlpha; ++x)
            anyAlpha = qAlpha(row[x]) != 0;
    }
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = anyAlpha ? overWhite(row[x]) : row[x] | 0xff000000;
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

} // namespace

PictureRecord recordFromQtImage(QImage image, PictureFormat format, QByteArrayView header) {
    if (image.isNull())
        return {};
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8: {
        const int bits = image.depth();
        const bool swapped = qtSwappedTwoColours(image, format, header);
        image.convertTo(QImage::Format_Indexed8);
        if (swapped)
            swapTwoColours(image);
        QList<QRgb> palette = image.colorTable();
        for (QRgb& c : palette)
            c = overWhite(c); // transparent entries show the paper
        image.setColorTable(palette);
        int depth = declaredPaletteDepth(format, header);
        if (depth == 0)
            depth = bits == 1 ? 1 : isGreyRamp(palette) || palette.size() > 16 ? 8 : 4;
        return PictureRecord::fromIndexed(std::move(image), depth);
    }
    case QImage::Format_Grayscale16:
        image.convertTo(QImage::Format_Grayscale8);
        [[fallthrough]];
    case QImage::Format_Grayscale8:
        image.reinterpretAsFormat(QImage::Format_Indexed8);
        image.setColorTable(greyPalette(256));
        return PictureRecord::fromIndexed(std::move(image), 8);
    case QImage::Format_RGB32:
        return PictureRecord::fromTrueColor(std::move(image));
    default:
        if (image.hasAlphaChannel())
            return PictureRecord::fromTrueColor(flattenAlpha(std::move(image)));
        image.convertTo(QImage::Format_RGB32);
        return PictureRecord::fromTrueColor(std::move(image));
    }
}

DecodedPicture readWithQt(QIODevice& device, PictureFormat format, const PictureLimits& limits,
                          const PictureProgress& progress) {
    const QByteArray header = device.peek(kHeaderBytes);
    if (const Failure refusal =
            refuseCost(qtDecodeCost(device, format), device.size(), format, limits);
        refusal.failed())
        return DecodedPicture::failure(refusal.message());
    // Qt's BMP reader stops at the end of a short file and leaves the rows it did not reach as
    // the memory held before; handed zeros instead, it makes them value 0.
    const qint64 zeros =
        format == PictureFormat::Bmp ? bmpZerosLacking(header, device.size(), limits) : 0;
    // A PNG's text and profiles are inflated whole by its decoder, whatever their size.
    std::optional<PngWithoutExtras> png;
    FileForQt file(format == PictureFormat::Png ? png.emplace(device) : device, zeros, progress);
    // The reader goes before the image is made ours: some keep the image they hand over, and
    // each change to it would then copy it whole.
    auto reader = std::make_unique<QImageReader>(&file, pictureFormatRow(format)->qtReader);
    // The format is known from the file's signature: Qt's reader of that name alone is loaded,
    // rather than every reader asked in turn, which would cost more than a small picture does.
    reader->setAutoDetectImageFormat(false); // never fall back on another of Qt's readers
    reader->setAllocationLimit(int(qBound(qint64(1), limits.maxPixelBytes >> 20, qint64(1) << 30)));
    const QSize size = reader->size();
    if (size.isValid()) {
        if (const Failure refusal = refuseSize(size.width(), size.height(), 4, limits);
            refusal.failed())
            return DecodedPicture::failure(refusal.message());
    }
    // Finding the size, a reader may look through the whole file: only decoding counts,
    // unless the file ends before its header does.
    const bool headerCut = !size.isValid() && file.ranPastEnd();
    file.forgetTheEnd();
    // Qt's BMP reader leaves the pixels that runs skip, or never reach in a file cut short, as
    // the memory held before. Handed an image of the size and format it decodes, it decodes
    // into that one: made value 0 beforehand, those pixels are value 0.
    QImage image;
    if (format == PictureFormat::Bmp && size.isValid() &&
        bmpDeclared(header).value_or(BmpDeclared{}).runs) {
        image = QImage(size, reader->imageFormat());
        image.fill(0);
    }
    if (!reader->read(&image))
        image = QImage();
    const QString readerError = reader->errorString();
    reader.reset();
    if (image.isNull() && (headerCut || file.ranPastEnd()))
        return DecodedPicture::failure(
            QStringLiteral("The file ends early, and the %1 decoder cannot make a picture of "
                           "what it holds.")
                .arg(pictureFormatName(format)));
    if (image.isNull())
        return DecodedPicture::failure(QStringLiteral("The %1 picture cannot be decoded: %2.")
                                           .arg(pictureFormatName(format), readerError));
    if (const Failure refusal = refuseSize(image.width(), image.height(), 1, limits);
        refusal.failed())
        return DecodedPicture::failure(refusal.message());
    PictureRecord picture = recordFromQtImage(std::move(image), format, header);
    QString incomplete = file.ranPastEnd() ? endsEarlyIn(format, picture) : QString();
    return {std::move(picture), format, {}, std::move(incomplete)};
}
