#include "output/render_output.h"

#include "document/safe_file_writer.h"
#include "render/draw_page.h"
#include "render/painter_surface.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>
#include <limits>

namespace {

// The PNG library refuses to write a side longer than this, though the format would hold more.
constexpr qint64 kMaxPngSide = 1000000;
// The BMP header counts the file's bytes in a signed 32-bit number.
constexpr qint64 kMaxBmpBytes = std::numeric_limits<qint32>::max();
constexpr qint64 kBmpHeaderBytes = 14 + 40;
// Readers refuse a PDF page larger than 200 inches a side.
constexpr double kMaxPdfSidePoints = 14400;
constexpr int kPointsPerInch = 72;

qint64 bmpFileBytes(QSize pixels) {
    const qint64 rowBytes = (qint64(pixels.width()) * 3 + 3) / 4 * 4; // rows end on 4 bytes
    return kBmpHeaderBytes + rowBytes * pixels.height();
}

double toPoints(int pixels, int dotsPerInch) {
    return pixels * double(kPointsPerInch) / dotsPerInch;
}

QByteArray pdfNumber(double value) {
    return QByteArray::number(value, 'f', 6);
}

// The page's length in points as written into the PDF. A whole number of points is exact.
// Otherwise it is the longest length of six decimals that stays clearly below `pixels` pixels
// at `dotsPerInch`: rasterisers round a page's pixels up, so a length a millionth of a point
// too long, or one that their own arithmetic takes for a hair too long, gives one pixel more.
double pdfLength(int pixels, int dotsPerInch) {
    if (qint64(pixels) * kPointsPerInch % dotsPerInch == 0)
        return toPoints(pixels, dotsPerInch);
    constexpr double kMarginPixels = 1e-7;
    double length = pdfNumber(toPoints(pixels, dotsPerInch)).toDouble();
    while (length * (dotsPerInch / double(kPointsPerInch)) > pixels - kMarginPixels)
        length = pdfNumber(length - 1e-6).toDouble();
    return length;
}

// The PDF writer sizes its pages in whole points. The page is drawn on the next whole size
// up, and its media box then cut to the exact size, keeping the top left corner where the
// drawing starts. The new box is written over the old one in as many bytes, so that the
// offsets the file's index holds stay true.
std::optional<QString> cutMediaBox(QByteArray& pdf, QSize wholePoints, QSizeF exactPoints) {
    const QByteArray written = "/MediaBox [0 0 " + pdfNumber(wholePoints.width()) + ' ' +
                               pdfNumber(wholePoints.height()) + ']';
    const qsizetype at = pdf.indexOf(written);
    if (at < 0 || pdf.indexOf(written, at + 1) >= 0)
        return QStringLiteral("Could not find the page's size in the PDF.");
    const QByteArray exact =
        "/MediaBox [0 " + pdfNumber(wholePoints.height() - exactPoints.height()) + ' ' +
        pdfNumber(exactPoints.width()) + ' ' + QByteArray::number(wholePoints.height()) + ']';
    if (exact.size() > written.size())
        return QStringLiteral("Could not give the PDF its exact page size.");
    pdf.replace(at, written.size(), exact.leftJustified(written.size(), ' '));
    return std::nullopt;
}

std::optional<QString> writeWhole(const QString& path, const QByteArray& bytes) {
    SafeFileWriter file(path);
    if (auto error = file.open())
        return error;
    file.device().write(bytes); // a short write is found by the commit
    return file.commit();
}

} // namespace

std::optional<QString> renderFormatLimit(RenderFormat format, QSize pixels, int dotsPerInch) {
    switch (format) {
    case RenderFormat::Png:
        if (pixels.width() > kMaxPngSide || pixels.height() > kMaxPngSide)
            return QStringLiteral("a PNG file can be written at most %L1 pixels a side; this "
                                  "page is %2 x %3.")
                .arg(kMaxPngSide)
                .arg(pixels.width())
                .arg(pixels.height());
        break;
    case RenderFormat::Bmp:
        if (const qint64 bytes = bmpFileBytes(pixels); bytes > kMaxBmpBytes)
            return QStringLiteral("a BMP file holds at most 2 GiB; a page of %1 x %2 pixels "
                                  "would take %L3 bytes.")
                .arg(pixels.width())
                .arg(pixels.height())
                .arg(bytes);
        break;
    case RenderFormat::Pdf: {
        const double width = toPoints(pixels.width(), dotsPerInch);
        const double height = toPoints(pixels.height(), dotsPerInch);
        if (width > kMaxPdfSidePoints || height > kMaxPdfSidePoints)
            return QStringLiteral("a PDF page can be at most 200 inches a side; this page is "
                                  "%1 x %2 inches.")
                .arg(width / kPointsPerInch, 0, 'f', 2)
                .arg(height / kPointsPerInch, 0, 'f', 2);
        break;
    }
    }
    return std::nullopt;
}

std::optional<QString> writeRasterPage(QImage page, const QString& path, RenderFormat format,
                                       int dotsPerInch) {
    const int dotsPerMetre = qRound(dotsPerInch / 0.0254);
    page.setDotsPerMeterX(dotsPerMetre);
    page.setDotsPerMeterY(dotsPerMetre);
    if (format == RenderFormat::Bmp)
        page.convertTo(QImage::Format_RGB888); // uncompressed 24-bit, in place
    SafeFileWriter file(path);
    if (auto error = file.open())
        return error;
    QImageWriter writer(&file.device(), format == RenderFormat::Bmp ? "bmp" : "png");
    if (!writer.write(page)) {
        return file.cancel().value_or(
            QStringLiteral("Could not write the picture: %1.").arg(writer.errorString()));
    }
    return file.commit();
}

std::optional<QString> writePdfPage(const PageDesign& design, const PageScale& scale,
                                    const PageLayers& layers, int dotsPerInch,
                                    const QString& path) {
    const QSizeF exact(pdfLength(scale.SurfaceWidth, dotsPerInch),
                       pdfLength(scale.SurfaceHeight, dotsPerInch));
    const QSize whole(int(std::ceil(exact.width())), int(std::ceil(exact.height())));
    // The page is small beside the pixels of a raster page; it is finished in memory, so that
    // its size can be set right before it replaces any file.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Lineavo-Pressolo"));
        writer.setResolution(dotsPerInch);
        writer.setPageSize(QPageSize(whole, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer))
            return QStringLiteral("Could not start the PDF.");
        {
            PainterSurface surface(painter); // sends the last merged lines as it goes
            DrawPage(surface, scale, design, layers);
        }
        painter.end();
    }
    if (exact != QSizeF(whole)) {
        if (auto error = cutMediaBox(pdf, whole, exact))
            return error;
    }
    return writeWhole(path, pdf);
}
