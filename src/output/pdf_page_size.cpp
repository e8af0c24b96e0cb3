#include "output/pdf_page_size.h"

#include <cmath>

namespace {

// Six decimals: the precision with which the writer prints its numbers too.
QByteArray pdfNumber(double value) {
    return QByteArray::number(value, 'f', 6);
}

double pdfLength(int pixels, int dotsPerInch) {
    if (qint64(pixels) * kPointsPerInch % dotsPerInch == 0)
        return pixelsToPoints(pixels, dotsPerInch);
    constexpr double kMarginPixels = 1e-7;
    double length = pdfNumber(pixelsToPoints(pixels, dotsPerInch)).toDouble();
    while (length * (dotsPerInch / double(kPointsPerInch)) > pixels - kMarginPixels)
        length = pdfNumber(length - 1e-6).toDouble();
    return length;
}

} // namespace

double pixelsToPoints(int pixels, int dotsPerInch) {
    return pixels * double(kPointsPerInch) / dotsPerInch;
}

PdfPageSize pdfPageSize(QSize pixels, int dotsPerInch) {
    const QSizeF exact(pdfLength(pixels.width(), dotsPerInch),
                       pdfLength(pixels.height(), dotsPerInch));
    return {QSize(int(std::ceil(exact.width())), int(std::ceil(exact.height()))), exact};
}

PdfPageSize pdfPageOfPoints(QSizeF points) {
    const QSizeF exact(pdfNumber(points.width()).toDouble(), pdfNumber(points.height()).toDouble());
    return {QSize(int(std::ceil(exact.width())), int(std::ceil(exact.height()))), exact, true};
}

QByteArray mediaBoxAsWritten(const PdfPageSize& size) {
    const QSize whole = size.wholePoints;
    return "/MediaBox [0 0 " + pdfNumber(whole.width()) + ' ' + pdfNumber(whole.height()) + ']';
}

std::optional<QByteArray> exactMediaBox(const PdfPageSize& size) {
    const QSize whole = size.wholePoints;
    const QSizeF exact = size.exactPoints;
    const QByteArray written = mediaBoxAsWritten(size);
    const QByteArray cut =
        size.boxAtOrigin
            ? "/MediaBox [0 0 " + pdfNumber(exact.width()) + ' ' + pdfNumber(exact.height()) + ']'
            : "/MediaBox [0 " + pdfNumber(whole.height() - exact.height()) + ' ' +
                  pdfNumber(exact.width()) + ' ' + QByteArray::number(whole.height()) + ']';
    if (cut.size() > written.size())
        return std::nullopt;
    return cut.leftJustified(written.size(), ' ');
}

Failure giveExactMediaBox(QByteArray& pdf, const PdfPageSize& size) {
    if (size.isWhole())
        return Failure::none();
    const QByteArray written = mediaBoxAsWritten(size);
    const qsizetype at = pdf.indexOf(written);
    if (at < 0 || pdf.indexOf(written, at + 1) >= 0)
        return Failure::because(kNoPageSizeMessage);
    const std::optional<QByteArray> cut = exactMediaBox(size);
    if (!cut)
        return Failure::because(kNoExactPageSizeMessage);
    pdf.replace(at, written.size(), *cut);
    return Failure::none();
}
