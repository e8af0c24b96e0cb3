// Which JPEG files go to the printer as their own data: only those a PDF reader decodes to the
// pixels our decoder makes of them.
#include "printing/jpeg_pdf_page.h"

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
        {"extended sequential", kStart + frame(0xc1, kYCbCr) + kScan, 3},
        {"Adobe's YCbCr", kStart + adobe(1) + frame(0xc0, kYCbCr) + kScan, 3},
        {"named R, G, B but JFIF", kStart + kJfif + frame(0xc0, "RGB") + kScan, 3},
        {"progressive", kStart + kJfif + frame(0xc2, kYCbCr) + kScan, 0},
        {"arithmetic coded", kStart + kJfif + frame(0xc9, kYCbCr) + kScan, 0},
        {"12 bits per sample", kStart + kJfif + frame(0xc0, kYCbCr, 12) + kScan, 0},
        {"CMYK", kStart + adobe(2) + frame(0xc0, "\x01\x02\x03\x04") + kScan, 0},
        {"Adobe's RGB", kStart + adobe(0) + frame(0xc0, kYCbCr) + kScan, 0},
        {"JFIF beside Adobe's RGB", kStart + kJfif + adobe(0) + frame(0xc0, kYCbCr) + kScan, 0},
        {"named R, G, B", kStart + frame(0xc0, "RGB") + kScan, 0},
        {"two frames", kStart + frame(0xc0, kYCbCr) + frame(0xc0, kYCbCr) + kScan, 0},
        {"scan before any frame", kStart + kJfif + kScan + frame(0xc0, kYCbCr), 0},
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

} // namespace
