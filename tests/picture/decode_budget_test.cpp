// What opening a picture costs is known before decoding, and a file whose cost passes the limit,
// or which holds too few bytes for what it claims, is refused.
#include "hostile_pictures.h"
#include "support/measured_run.h"

#include "picture/open_picture.h"
#include "picture/texture_filters.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

namespace {

using namespace hostile_pictures;

QString written(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName();
}

// Each file's final picture fits `limit`; what the decoder or the texture's copy holds besides
// decides.
TEST(DecodeBudget, CountsWhatTheDecoderAndOurCopiesHold) {
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QTemporaryDir dir;
    picture_files::TgaOptions mapped;
    mapped.type = 1, mapped.bits = 8;
    const QByteArray eightBits =
        picture_files::tga(picture_files::samplePixels(64, 64, 16), mapped);
    struct Row {
        const char* name;
        QByteArray file;
        qint64 limit;
        bool opens;
        bool asTexture = false;
    };
    const Row rows[] = {
        // A GIF's screen is held in a byte a pixel, however small its frame.
        {"gif screen 64 × 64", gifScreen(64, 64), 64 * 64 - 1, false},
        {"gif screen 64 × 64", gifScreen(64, 64), 64 * 64, true},
        {"progressive jpeg", progressiveJpeg(64, 64), 20000, false},
        {"progressive jpeg", progressiveJpeg(64, 64), 64 << 10, true},
        {"png of 16 bits", pngClaiming(64, 64, 16, 6), 20000, false},
        {"tiff in one strip", oneStripTiff(64, 64, true), 20000, false},
        {"tiff in one strip", oneStripTiff(64, 64, true), 64 << 10, true},
        {"8-bit texture made 24 bits", eightBits, 10000, false, true},
        {"8-bit texture made 24 bits", eightBits, 20000, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.name << " within " << row.limit);
        PictureLimits limits;
        limits.maxPixelBytes = row.limit;
        const QString path = written(dir, "picture", row.file);
        const DecodedPicture read =
            row.asTexture ? loadTexture(path, true, true, false, limits) : OpenDib(path, limits);
        EXPECT_EQ(read.ok(), row.opens) << read.error.toStdString();
        if (!row.opens) {
            EXPECT_TRUE(read.error.contains("would need")) << read.error.toStdString();
        }
    }
    qInstallMessageHandler(previous);
}

// A header that claims a large picture in a file too short for it is refused at once, unless
// the file is a BMP, which opens what it holds unless its picture passes the budget; a TGA too
// large for the limit says so.
TEST(DecodeBudget, RefusesFilesTooShortForWhatTheyClaim) {
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QByteArray hugeTga(58, '\0');
    hugeTga[2] = 2, hugeTga[16] = 24;
    hugeTga[12] = hugeTga[13] = hugeTga[14] = hugeTga[15] = char(0xff);
    const struct {
        const char* name;
        QByteArray file;
        const char* reason;
    } rows[] = {
        {"bmp of 70 bytes", bmp24(16384, 16384, 16), "would need 1025 MiB"},
        {"png", pngClaiming(8192, 8192), "too short for the 8192 × 8192 PNG"},
        {"progressive jpeg", progressiveJpeg(8192, 8192), "too short for the 8192 × 8192 JPEG"},
        {"deflated tiff",
         oneStripTiff(64, 64, true, 100)
             .replace(10, 12,
                      [] {
                          QByteArray size;
                          put16le(size, 256), put16le(size, 4), put32le(size, 1),
                              put32le(size, 8192);
                          return size;
                      }()),
         "too short for the 8192 × 64 TIFF"},
        {"tga of 65535 × 65535", hugeTga, "65535 × 65535 pixels"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QElapsedTimer timer;
        timer.start();
        const DecodedPicture read = readPicture(row.file);
        EXPECT_FALSE(read.ok());
        EXPECT_TRUE(read.error.contains(row.reason)) << read.error.toStdString();
        EXPECT_LT(timer.elapsed(), 200);
    }
    qInstallMessageHandler(previous);
}

// Small files that claim the largest pictures: opening any of them stays within 1.1 GiB, and a
// picture that opens costs at most half as much again as its pixels.
TEST(DecodeBudget, OpeningHostileFilesStaysWithinTheMemoryGoal) {
    if (kMemoryIsSanitized)
        GTEST_SKIP() << "the sanitizer's own memory would be counted";
    QTemporaryDir dir;
    const struct {
        const char* name;
        QByteArray file;
        bool opens;
        qint64 pictureBytes; // of a picture held as the file holds it; 0 for none
    } rows[] = {
        {"progressive.jpg", progressiveJpeg(16384, 16384), false, 0},
        {"bmp-of-70-bytes.bmp", bmp24(16384, 16384, 16), false, 0},
        {"bmp-of-70-bytes-within-the-budget.bmp", bmp24(16384, 16383, 16), true,
         qint64(16384) * 3 * 16383},
        {"largest-screen.gif", gifScreen(16384, 16384), true, qint64(16384) * 16384},
        {"too-large-screen.gif", gifScreen(16384, 16385), false, 0},
        {"runs-with-alpha.tga", runLengthTga(16384, 16383), true, qint64(16384) * 3 * 16383},
    };
    constexpr qint64 kGoalKibibytes = qint64(1126) << 10; // 1.1 GiB
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const MeasuredRun run = runMeasured({"picture", written(dir, row.name, row.file)}, 60000);
        ASSERT_GT(run.peakKilobytes, 0) << run.standardError.toStdString();
        EXPECT_EQ(run.exitCode == 0, row.opens) << run.exitCode;
        EXPECT_LT(run.peakKilobytes, kGoalKibibytes);
        if (row.pictureBytes > 0) {
            EXPECT_LT(run.peakKilobytes, row.pictureBytes * 3 / 2 / 1024);
        }
    }
}

} // namespace
