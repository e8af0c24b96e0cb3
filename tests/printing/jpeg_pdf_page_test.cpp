// Which JPEG files go to the printer as their own data: only those a PDF reader decodes to the
// pixels our decoder makes of them.
#include "pdf_pages.h"
#include "support/noise_image.h"

#include "viewer/jpeg_pdf_page.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

QByteArray segment(uchar marker, const QByteArray& data) {
    const qsizetype length = data.size() + 2;
    return QByteArray("\xff") + char(marker) + char(length >> 8) + char(length & 0xff) + data;
}

// A start of frame of 30 x 20 pixels with components named by `ids`, one byte each.
QByteArray frame(uchar marker, const QByteArray& ids, int precision = 8) {
    QByteArray data;
    data += char(precision);
    data += QByteArray("\x00\x14\x00\x1e", 4) + char(ids.size());
    for (char id : ids)
        data += id + QByteArray("\x11\x00", 2);
    return segment(marker, data);
}

const QByteArray kJfif = segment(0xe0, QByteArray("JFIF\0\x01\x02\0\0\x01\0\x01\0\0", 14));
QByteArray adobe(int transform) {
    return segment(0xee, QByteArray("Adobe\0\x64\0\0\0\0", 11) + char(transform));
}
const QByteArray kScan = segment(0xda, QByteArray("\x01\x01\x00\x00\x3f\x00", 6));
const QByteArray kStart("\xff\xd8", 2);
const QByteArray kYCbCr("\x01\x02\x03", 3);

TEST(PassableJpeg, OnlyFilesBothDecodersReadAlikeGoAsTheyAre) {
    struct Row {
        const char* name;
        QByteArray file;
        int components; // 0: drawn as pixels instead
    };
    const Row rows[] = {
        {"baseline colour", kStart + kJfif + frame(0xc0, kYCbCr) + kScan, 3},
        {"grey", kStart + kJfif + frame(0xc0, "\x01") + kScan, 1},
        {"Adobe's YCbCr", kStart + adobe(1) + frame(0xc0, kYCbCr) + kScan, 3},
        {"named R, G, B but JFIF", kStart + kJfif + frame(0xc0, "RGB") + kScan, 3},
        {"progressive", kStart + kJfif + frame(0xc2, kYCbCr) + kScan, 0},
        {"arithmetic coded", kStart + kJfif + frame(0xc9, kYCbCr) + kScan, 0},
        {"12 bits per sample", kStart + kJfif + frame(0xc0, kYCbCr, 12) + kScan, 0},
        {"CMYK", kStart + adobe(2) + frame(0xc0, "\x01\x02\x03\x04") + kScan, 0},
        {"Adobe's RGB", kStart + adobe(0) + frame(0xc0, kYCbCr) + kScan, 0},
        {"JFIF beside Adobe's RGB", kStart + kJfif + adobe(0) + frame(0xc0, kYCbCr) + kScan, 0},
        {"named R, G, B", kStart + frame(0xc0, "RGB") + kScan, 0},
        {"cut inside the frame", kStart + kJfif + frame(0xc0, kYCbCr).left(9), 0},
        {"not a JPEG", QByteArray("\x89PNG\r\n\x1a\n") + kScan, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<PassableJpeg> jpeg = passableJpeg(row.file);
        EXPECT_EQ(jpeg ? jpeg->components : 0, row.components);
        if (jpeg) {
            EXPECT_EQ(jpeg->size, QSize(30, 20));
        }
    }
}

// Where the printable area's corner is a whole number of pixels but not of points, the
// toolkit's page lies a hair off it, which moves its edges by a pixel; ours must move alike.
TEST(JpegPdfPage, LandsOnThePixelsOfTheToolkitsOwnPage) {
    struct Row {
        const char* name;
        int dotsPerInch;
        QMarginsF margins; // millimetres
        QPageLayout::Orientation orientation;
    };
    const Row rows[] = {
        {"left edge a hair off", 300, {10.3, 20.7, 5, 5}, QPageLayout::Portrait},
        {"landscape with margins", 1200, {10.3, 20.7, 5, 5}, QPageLayout::Landscape},
    };
    QTemporaryDir dir;
    QByteArray jpegFile;
    QBuffer buffer(&jpegFile);
    ASSERT_TRUE(noiseImage(QSize(30, 20), 3).save(&buffer, "JPEG", 90));
    const QImage decoded = QImage::fromData(jpegFile);
    const std::optional<PassableJpeg> jpeg = passableJpeg(jpegFile);
    ASSERT_TRUE(jpeg);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString theirs = dir.filePath(QString("%1-toolkit.pdf").arg(row.dotsPerInch));
        const QString ours = dir.filePath(QString("%1-ours.pdf").arg(row.dotsPerInch));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(theirs);
        printer.setResolution(row.dotsPerInch);
        printer.setPageOrientation(row.orientation);
        printer.setFullPage(false);
        printer.setPageMargins(row.margins, QPageLayout::Millimeter);
        const QRect placed(7, 11, 3 * decoded.width(), 2 * decoded.height());
        QPainter painter(&printer);
        painter.setRenderHint(QPainter::LosslessImageRendering);
        painter.drawImage(placed, decoded);
        painter.end();
        const PdfPageFrame frame = pdfPageFrame(printer);
        QFile file(ours);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(jpegPdfPage(jpegFile, *jpeg, frame, placed));
        file.close();

        const QRect crop = placed.translated(frame.paintOrigin).adjusted(-2, -2, 2, 2);
        const QImage expected = rasterisePdfPage(theirs, 1, row.dotsPerInch, crop);
        const QImage actual = rasterisePdfPage(ours, 1, row.dotsPerInch, crop);
        ASSERT_FALSE(expected.isNull());
        ASSERT_EQ(actual.size(), expected.size());
        // Decoders of JPEG may differ by a little in a colour, never by paper.
        EXPECT_LE(largestChannelDifference(actual, expected), 3);
    }
}

} // namespace
