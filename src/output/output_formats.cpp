#include "output/output_formats.h"

#include "base/listing.h"
#include "base/system_file_names.h"
#include "output/pdf_page.h"
#include "output/pdf_page_size.h"
#include "output/raster_page.h"
#include "output/vector_files.h"
#include "render/page_scale.h"

#include <QFileInfo>

#include <algorithm>
#include <iterator>
#include <limits>

#include <sys/stat.h>

namespace {

// A page beyond this many pixels (4 GB as a picture) is refused rather than attempted.
constexpr qint64 kMaxPagePixels = qint64(1) << 30;
// The PNG library refuses to write a side longer than this, though the format would hold more.
constexpr qint64 kMaxPngSide = 1000000;
// The BMP header counts the file's bytes in a signed 32-bit number.
constexpr qint64 kMaxBmpBytes = std::numeric_limits<qint32>::max();
constexpr qint64 kBmpHeaderBytes = 14 + 40;
// Readers refuse a PDF page larger than 200 inches a side.
constexpr double kMaxPdfSidePoints = 14400;

qint64 bmpFileBytes(QSize pixels) {
    const qint64 rowBytes = (qint64(pixels.width()) * 3 + 3) / 4 * 4; // rows end on 4 bytes
    return kBmpHeaderBytes + rowBytes * pixels.height();
}

Failure pngLimit(QSize pixels, int) {
    if (pixels.width() > kMaxPngSide || pixels.height() > kMaxPngSide)
        return Failure::because(
            QStringLiteral("a PNG file can be written at most %L1 pixels a side; this "
                           "page is %2 x %3.")
                .arg(kMaxPngSide)
                .arg(pixels.width())
                .arg(pixels.height()));
    return Failure::none();
}

Failure bmpLimit(QSize pixels, int) {
    if (const qint64 bytes = bmpFileBytes(pixels); bytes > kMaxBmpBytes)
        return Failure::because(
            QStringLiteral("a BMP file holds at most 2 GiB; a page of %1 x %2 pixels "
                           "would take %L3 bytes.")
                .arg(pixels.width())
                .arg(pixels.height())
                .arg(bytes));
    return Failure::none();
}

// An SVG page is held to the same sides, so that it can always be made a PDF.
Failure sideLimit(const char* page, QSize pixels, int dotsPerInch) {
    const double width = pixelsToPoints(pixels.width(), dotsPerInch);
    const double height = pixelsToPoints(pixels.height(), dotsPerInch);
    if (width > kMaxPdfSidePoints || height > kMaxPdfSidePoints)
        return Failure::because(QStringLiteral("%1 can be at most 200 inches a side; this page is "
                                               "%2 x %3 inches.")
                                    .arg(QLatin1String(page))
                                    .arg(width / kPointsPerInch, 0, 'f', 2)
                                    .arg(height / kPointsPerInch, 0, 'f', 2));
    return Failure::none();
}

Failure pdfLimit(QSize pixels, int dotsPerInch) {
    return sideLimit("a PDF page", pixels, dotsPerInch);
}

Failure svgLimit(QSize pixels, int dotsPerInch) {
    return sideLimit("an SVG page", pixels, dotsPerInch);
}

Failure writePdfFile(const PageToDraw& page, const QString& path, const PageDrawn& drawn,
                     PngCompression) {
    return writePdfPage(page, path, drawn);
}

Failure writeVectorPdfFile(const PageToDraw& page, const QString& path, const PageDrawn& drawn,
                           PngCompression) {
    return writeVectorPdfPage(page, path, drawn);
}

Failure writeSvgFile(const PageToDraw& page, const QString& path, const PageDrawn& drawn,
                     PngCompression) {
    return writeSvgPage(page, path, drawn);
}

// A suffix that two formats share finds the first of them.
const OutputFormat kFormats[] = {
    {.id = OutputFormatId::Png,
     .name = "PNG",
     .suffixes = {"png"},
     .compressionChoice = true,
     .tablets = TabletUse::GreyPage,
     .limit = pngLimit,
     .write = writePngFile},
    {.id = OutputFormatId::Bmp,
     .name = "BMP",
     .suffixes = {"bmp"},
     .limit = bmpLimit,
     .write = writeBmpFile},
    {.id = OutputFormatId::ExactPdf,
     .name = "PDF",
     .suffixes = {"pdf"},
     .tablets = TabletUse::PdfTemplate,
     .limit = pdfLimit,
     .write = writePdfFile,
     .drawOnPdf = drawExactPdfPage,
     .pdfLayout = exactPdfLayout},
    {.id = OutputFormatId::VectorPdf,
     .name = "PDF (vector)",
     .suffixes = {"pdf"},
     .vector = true,
     .tablets = TabletUse::PdfTemplate,
     .limit = pdfLimit,
     .write = writeVectorPdfFile,
     .drawOnPdf = drawVectorPdfPage,
     .pdfLayout = vectorPdfLayout},
    {.id = OutputFormatId::Svg,
     .name = "SVG",
     .suffixes = {"svg"},
     .vector = true,
     .tablets = TabletUse::InBundle,
     .limit = svgLimit,
     .write = writeSvgFile},
};

} // namespace

std::span<const OutputFormat> outputFormats() {
    return kFormats;
}

const OutputFormat* outputFormatWithSuffix(const QString& suffix) {
    for (const OutputFormat& format : kFormats) {
        if (format.suffixes.contains(suffix, Qt::CaseInsensitive))
            return &format;
    }
    return nullptr;
}

const OutputFormat& outputFormat(OutputFormatId id) {
    const auto found = std::find_if(std::begin(kFormats), std::end(kFormats),
                                    [id](const OutputFormat& format) { return format.id == id; });
    Q_ASSERT(found != std::end(kFormats)); // every id has its row
    return *found;
}

const OutputFormat* outputFormatOfFile(const QString& path) {
    return outputFormatWithSuffix(QFileInfo(path).suffix());
}

const OutputFormat* vectorFormatOf(const OutputFormat& format) {
    if (format.vector)
        return &format;
    for (const OutputFormat& other : kFormats) {
        if (other.vector && other.suffixes.contains(format.suffixes.first()))
            return &other;
    }
    return nullptr;
}

QString unknownOutputSuffixMessage() {
    QStringList endings;
    for (const OutputFormat& format : kFormats) {
        for (const QString& suffix : format.suffixes)
            if (!endings.contains(u'.' + suffix))
                endings << u'.' + suffix;
    }
    return QStringLiteral("the output must end in %1.").arg(listedWithOr(endings));
}

QString outputFileFilter() {
    QStringList filters;
    for (const OutputFormat& format : kFormats) {
        QStringList patterns;
        for (const QString& suffix : format.suffixes)
            patterns << QStringLiteral("*.") + suffix;
        filters << QStringLiteral("%1 (%2)").arg(QLatin1String(format.name), patterns.join(u' '));
    }
    return filters.join(QStringLiteral(";;"));
}

Failure pageFileRefusal(const OutputFormat& format, const QString& path, const PageScale& scale) {
    // A folder, FIFO or device of that name is not replaced by a picture.
    struct stat target {};
    if (::stat(systemFileName(path).constData(), &target) == 0 && !S_ISREG(target.st_mode))
        return Failure::because(
            QStringLiteral("this is not a regular file; the page is not written there."));
    const QSize pixels(scale.SurfaceWidth, scale.SurfaceHeight);
    if (qint64(pixels.width()) * pixels.height() > kMaxPagePixels)
        return Failure::because(QStringLiteral("a page of %1 x %2 pixels is too large to draw.")
                                    .arg(pixels.width())
                                    .arg(pixels.height()));
    return format.limit(pixels, scale.DotsPerInch);
}

Failure writePageFile(const OutputFormat& format, const QString& path, const PageToDraw& page,
                      const PageDrawn& drawn, PngCompression compression) {
    if (Failure refusal = pageFileRefusal(format, path, page.scale); refusal.failed())
        return refusal;
    return format.write(page, path, drawn, compression);
}
