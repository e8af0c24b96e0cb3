#include "viewer/jpeg_pdf_page.h"

#include <QList>
#include <QPageLayout>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace {

constexpr uchar kStartOfImage = 0xd8;
constexpr uchar kStartOfScan = 0xda;
constexpr uchar kBaselineFrame = 0xc0;
constexpr uchar kExtendedFrame = 0xc1;
constexpr uchar kJfifSegment = 0xe0;
constexpr uchar kAdobeSegment = 0xee;

// Every other start of frame: progressive, lossless, hierarchical or arithmetic-coded. (0xc4,
// 0xc8 and 0xcc are tables and a reserved code, not frames.)
bool isOtherFrame(uchar marker) {
    return marker >= 0xc2 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
}

// What the headers before the first scan say about how the pixels are decoded.
struct JpegHeaders {
    std::optional<PassableJpeg> frame;
    bool otherFrame = false;
    bool jfif = false;
    int adobeTransform = -1; // -1: no Adobe segment
    QByteArray componentIds;
};

std::optional<JpegHeaders> readHeaders(QByteArrayView file) {
    const auto* bytes = reinterpret_cast<const uchar*>(file.data());
    const qsizetype size = file.size();
    if (size < 4 || bytes[0] != 0xff || bytes[1] != kStartOfImage)
        return std::nullopt;
    JpegHeaders headers;
    qsizetype at = 2;
    while (at + 4 <= size) {
        if (bytes[at] != 0xff)
            return std::nullopt;
        const uchar marker = bytes[at + 1];
        if (marker == 0xff) { // fill byte
            ++at;
            continue;
        }
        const qsizetype length = bytes[at + 2] << 8 | bytes[at + 3];
        const uchar* data = bytes + at + 4;
        const qsizetype dataSize = length - 2;
        if (dataSize < 0 || at + 2 + length > size)
            return std::nullopt;
        if (marker == kStartOfScan)
            return headers;
        if (marker == kBaselineFrame || marker == kExtendedFrame) {
            if (headers.frame || dataSize < 6 || data[0] != 8)
                return std::nullopt;
            const int components = data[5];
            if (dataSize < 6 + 3 * components)
                return std::nullopt;
            headers.frame =
                PassableJpeg{QSize(data[3] << 8 | data[4], data[1] << 8 | data[2]), components};
            for (int c = 0; c < components; ++c)
                headers.componentIds.append(char(data[6 + 3 * c]));
        } else if (isOtherFrame(marker)) {
            headers.otherFrame = true;
        } else if (marker == kJfifSegment && QByteArrayView(data, dataSize).startsWith("JFIF")) {
            headers.jfif = true;
        } else if (marker == kAdobeSegment && dataSize >= 12 &&
                   QByteArrayView(data, dataSize).startsWith("Adobe")) {
            headers.adobeTransform = data[11];
        }
        at += 2 + length;
    }
    return std::nullopt;
}

// Whether our decoder and a PDF reader take three components for YCbCr alike: a PDF reader
// goes by the Adobe segment alone, our decoder by a JFIF segment first and then by the
// components' names, "R", "G", "B" meaning RGB.
bool bothTakeYCbCr(const JpegHeaders& h) {
    if (h.adobeTransform >= 0)
        return h.adobeTransform == 1;
    return h.jfif || h.componentIds != "RGB";
}

// A number as the printer's own pages write it: nine digits in all, the rest cut off rather
// than rounded. An offset that is a whole number of device pixels then often lies a hair before
// that pixel, which decides the pixel a rasteriser fills; written alike, the picture lands on
// the same pixels as it does there.
QByteArray pdfNumber(double value) {
    QByteArray text = value < 0 ? "-" : "";
    value = std::abs(value);
    auto whole = quint64(value);
    auto billionths = qint64((value - double(whole)) * 1e9);
    if (billionths == 1000000000) {
        ++whole;
        billionths = 0;
    }
    const QByteArray wholeDigits = whole ? QByteArray::number(whole) : QByteArray();
    text += whole ? wholeDigits : QByteArray("0");
    if (billionths)
        text += '.' + QByteArray::number(billionths)
                          .rightJustified(9, '0')
                          .left(std::max<qsizetype>(0, 9 - wholeDigits.size()));
    return text;
}

} // namespace

std::optional<PassableJpeg> passableJpeg(QByteArrayView file) {
    const std::optional<JpegHeaders> headers = readHeaders(file);
    if (!headers || !headers->frame || headers->otherFrame || headers->frame->size.isEmpty())
        return std::nullopt;
    switch (headers->frame->components) {
    case 1:
        return headers->frame;
    case 3:
        return bothTakeYCbCr(*headers) ? headers->frame : std::nullopt;
    default: // four-component JPEGs are stored inverted by some writers and not by others
        return std::nullopt;
    }
}

PdfPageFrame pdfPageFrame(const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    const int dotsPerInch = printer.resolution();
    const QPoint origin = layout.mode() == QPageLayout::FullPageMode
                              ? QPoint()
                              : layout.paintRectPixels(dotsPerInch).topLeft();
    return {layout.fullRectPoints().size(), origin, dotsPerInch};
}

QByteArray jpegPdfPage(QByteArrayView file, const PassableJpeg& jpeg, const PdfPageFrame& frame,
                       const QRect& placed) {
    // Device pixels from the printable area's top-left corner, the y axis pointing down, as the
    // printer's own pages are drawn; the picture's first row at its top.
    const double scale = 72.0 / frame.dotsPerInch;
    const QByteArray content =
        pdfNumber(scale) + " 0 0 " + pdfNumber(-scale) + ' ' +
        pdfNumber(frame.paintOrigin.x() * scale) + ' ' +
        pdfNumber(frame.mediaPoints.height() - frame.paintOrigin.y() * scale) + " cm\n" +
        QByteArray::number(placed.width()) + " 0 0 " + QByteArray::number(-placed.height()) + ' ' +
        QByteArray::number(placed.x()) + ' ' + QByteArray::number(placed.y() + placed.height()) +
        " cm /Im0 Do\n";

    QByteArray pdf = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n";
    QList<qsizetype> offsets;
    const auto object = [&](const QByteArray& dictionary, QByteArrayView stream = {}) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(offsets.size()) + " 0 obj\n<< " + dictionary;
        if (stream.data()) {
            pdf += " /Length " + QByteArray::number(stream.size()) + " >>\nstream\n";
            pdf += stream;
            pdf += "\nendstream";
        } else {
            pdf += " >>";
        }
        pdf += "\nendobj\n";
    };
    object("/Type /Catalog /Pages 2 0 R");
    object("/Type /Pages /Kids [3 0 R] /Count 1");
    object("/Type /Page /Parent 2 0 R /MediaBox [0 0 " +
           QByteArray::number(frame.mediaPoints.width()) + ' ' +
           QByteArray::number(frame.mediaPoints.height()) +
           "] /Resources << /XObject << /Im0 4 0 R >> >> /Contents 5 0 R");
    object("/Type /XObject /Subtype /Image /Width " + QByteArray::number(jpeg.size.width()) +
               " /Height " + QByteArray::number(jpeg.size.height()) + " /ColorSpace " +
               (jpeg.components == 1 ? "/DeviceGray" : "/DeviceRGB") +
               " /BitsPerComponent 8 /Filter /DCTDecode",
           file);
    object("", content);

    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(offsets.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}
