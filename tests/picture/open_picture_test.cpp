#include "picture/open_picture.h"
#include "picture/picture_output.h"

#include "picture/picture_files.h"
#include "support/succeeds.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using namespace picture_files;

QByteArray saved(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

QImage indexedImage(int colors, bool grey = false) {
    QImage image(6, 3, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colors; ++i)
        table.append(
            grey ? qRgb(i * 255 / (colors - 1), i * 255 / (colors - 1), i * 255 / (colors - 1))
                 : qRgb(i * 40 % 256, 200 - i * 3, i));
    image.setColorTable(table);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            image.setPixel(x, y, uint((x + y) % colors));
    return image;
}

// One row of a PNG of 6 pixels, `bits` each, all of `value`.
std::vector<QByteArray> pngRows(int bits, int value, int channels = 1) {
    QByteArray row;
    for (int x = 0; x < 6; ++x)
        for (int c = 0; c < channels; ++c)
            for (int b = 0; b < qMax(bits / 8, 1); ++b)
                row.append(char(value));
    if (bits < 8) {
        QByteArray packed((6 * bits + 7) / 8, '\0');
        for (int x = 0; x < 6; ++x)
            packed[x * bits / 8] = char(packed[x * bits / 8] | value << (8 - bits - x * bits % 8));
        row = packed;
    }
    return {row, row};
}

// A BMP of 2 × 1 pixels of 16 bits, five each of red, green and blue.
QByteArray bmp16() {
    QByteArray b("BM");
    const auto le32 = [&b](quint32 v) { put16le(b, int(v & 0xffff)), put16le(b, int(v >> 16)); };
    le32(14 + 40 + 4), le32(0), le32(14 + 40);
    le32(40), le32(2), le32(1), put16le(b, 1), put16le(b, 16);
    for (int i = 0; i < 6; ++i)
        le32(0);
    put16le(b, 0x7c00), put16le(b, 0x001f); // red, blue
    return b;
}

const QByteArray kOnePixelGif =
    QByteArray::fromHex("47494638396101000100800000000000ffffff2c00000000010001000002024401003b");

TEST(OpenPicture, DepthAsTheFileStoresIt) {
    const QByteArray grey2 = QByteArray::fromHex("000000ff0000");
    QImage rgb(4, 2, QImage::Format_RGB32);
    rgb.fill(qRgb(10, 200, 30));
    QImage grey(4, 2, QImage::Format_Grayscale8);
    grey.fill(77);
    const QImage mono = indexedImage(2).convertToFormat(QImage::Format_Mono);
    const QByteArray palette4 = QByteArray::fromHex("ff000000ff000000ff") + QByteArray(3, '\0');
    struct Row {
        const char* name;
        QByteArray bytes;
        PictureFormat format;
        int depth;
        QRgb firstPixel; // 0: not checked
    };
    const std::vector<Row> rows = {
        {"bmp 1 bit", saved(mono, "bmp"), PictureFormat::Bmp, 1, 0},
        {"bmp 4 bits",
         [] {
             QTemporaryDir dir;
             const QString path = dir.filePath("four.bmp");
             EXPECT_SUCCEEDS(
                 writePicture(readPicture(pcx(samplePixels(5, 3, 16), 4, 1)).picture, path));
             QFile f(path);
             f.open(QIODevice::ReadOnly);
             return f.readAll();
         }(),
         PictureFormat::Bmp, 4, 0},
        {"bmp 8 bits", saved(indexedImage(200), "bmp"), PictureFormat::Bmp, 8, 0},
        {"bmp 16 bits", bmp16(), PictureFormat::Bmp, 24, 0},
        {"bmp 24 bits", saved(rgb, "bmp"), PictureFormat::Bmp, 24, qRgb(10, 200, 30)},
        {"gif", kOnePixelGif, PictureFormat::Gif, 8, 0},
        {"png palette 1 bit", png(6, 2, 1, 3, pngRows(1, 1), palette4.left(6)), PictureFormat::Png,
         1, qRgb(0, 255, 0)},
        {"png palette 2 bits", png(6, 2, 2, 3, pngRows(2, 2), palette4), PictureFormat::Png, 4,
         qRgb(0, 0, 255)},
        {"png palette 4 bits", png(6, 2, 4, 3, pngRows(4, 1), palette4), PictureFormat::Png, 4,
         qRgb(0, 255, 0)},
        {"png palette 8 bits, transparent entry",
         png(6, 2, 8, 3, pngRows(8, 0), palette4, QByteArray::fromHex("00")), PictureFormat::Png, 8,
         qRgb(255, 255, 255)},
        {"png grey 1 bit", png(6, 2, 1, 0, pngRows(1, 1)), PictureFormat::Png, 1,
         qRgb(255, 255, 255)},
        {"png grey 2 bits", png(6, 2, 2, 0, pngRows(2, 1)), PictureFormat::Png, 8,
         qRgb(85, 85, 85)},
        {"png grey 16 bits", png(6, 2, 16, 0, pngRows(16, 0x80)), PictureFormat::Png, 8,
         qRgb(128, 128, 128)},
        {"png rgb", png(6, 2, 8, 2, pngRows(8, 0x40, 3)), PictureFormat::Png, 24, qRgb(64, 64, 64)},
        {"png alpha half over white", png(6, 2, 8, 6, pngRows(8, 0x80, 4)), PictureFormat::Png, 24,
         qRgb(191, 191, 191)},
        {"png alpha 0 everywhere is opaque", png(6, 2, 8, 4, pngRows(8, 0, 2)), PictureFormat::Png,
         24, qRgb(0, 0, 0)},
        {"jpeg grey", saved(grey, "jpeg"), PictureFormat::Jpeg, 8, 0},
        {"jpeg colour", saved(rgb, "jpeg"), PictureFormat::Jpeg, 24, 0},
        {"tiff 1 bit", saved(mono, "tiff"), PictureFormat::Tiff, 1, 0},
        {"tiff palette", saved(indexedImage(100), "tiff"), PictureFormat::Tiff, 8, 0},
        {"tiff grey", saved(grey, "tiff"), PictureFormat::Tiff, 8, qRgb(77, 77, 77)},
        {"tiff colour", saved(rgb, "tiff"), PictureFormat::Tiff, 24, qRgb(10, 200, 30)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const DecodedPicture read = readPicture(row.bytes);
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        EXPECT_EQ(read.format, row.format);
        EXPECT_EQ(read.picture.depth(), row.depth);
        EXPECT_EQ(read.picture.depth() == 24, read.picture.colorCount() == 0);
        if (row.firstPixel) {
            EXPECT_EQ(read.picture.pixelColor(0, 0) | 0xff000000, row.firstPixel);
        }
    }
}

// What a name being typed may name: each is refused at once with a reason.
TEST(OpenPicture, RefusesHostileFilesAtOnce) {
    QTemporaryDir dir;
    const auto file = [&dir](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    };
    const QString fifo = dir.filePath("fifo");
    ::mkfifo(QFile::encodeName(fifo).constData(), 0600);
    Pixels huge = samplePixels(1, 1, 2);
    // Width and height of 65535 as the 16-bit fields at `width` and `height`, and a few bytes.
    const auto claimHuge = [](QByteArray bytes, int width, int height) {
        bytes[width] = bytes[width + 1] = bytes[height] = bytes[height + 1] = char(0xff);
        return bytes.left(height + 40);
    };
    const QByteArray svg = "<?xml version=\"1.0\"?><svg xmlns=\"http://www.w3.org/2000/svg\" "
                           "width=\"4\" height=\"4\"><rect width=\"4\" height=\"4\"/></svg>";
    QImage small(3, 3, QImage::Format_RGB32);
    small.fill(Qt::red);
    const std::vector<std::pair<const char*, QString>> rows = {
        {"fifo", fifo},
        {"folder", dir.path()},
        {"device", "/dev/zero"},
        {"missing", dir.filePath("nothing.png")},
        {"empty name", ""},
        {"empty file", file("empty.pcx", {})},
        {"pcx of 65535 × 65535", file("huge.pcx", claimHuge(pcx(huge, 8, 1), 8, 10))},
        {"ilbm of 65535 × 65535", file("huge.iff", claimHuge(iff(huge, {}), 20, 22))},
        {"tga of 65535 × 65535", file("huge.tga", claimHuge(tga(huge, {}), 12, 14))},
        {"png of 65535 × 65535",
         file("huge.png", claimHuge(png(1, 1, 8, 2, pngRows(8, 0, 3)), 18, 22))},
        {"bmp of 65535 × 65535", file("huge.bmp", claimHuge(bmp16(), 18, 22))},
        {"svg", file("vector.svg", svg)},
        {"ppm", file("p.ppm", saved(small, "ppm"))},
        {"ico", file("i.ico", saved(small, "ico"))},
        {"webp", file("w.webp", saved(small, "webp"))},
        {"text", file("notes.tga", "just some words, no picture at all")},
    };
    for (const auto& [name, path] : rows) {
        SCOPED_TRACE(name);
        QElapsedTimer timer;
        timer.start();
        const DecodedPicture read = OpenDib(path);
        EXPECT_FALSE(read.ok());
        EXPECT_FALSE(read.error.isEmpty());
        EXPECT_LT(timer.elapsed(), 1000);
    }
}

// Whether two pictures hold the same pixel values: palette indices, or colours at 24 bits.
bool samePixels(const PictureRecord& a, const PictureRecord& b) {
    if (a.depth() != b.depth() || a.width() != b.width() || a.height() != b.height())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.depth() == 24 ? a.pixelColor(x, y) != b.pixelColor(x, y)
                                : a.pixelIndex(x, y) != b.pixelIndex(x, y))
                return false;
    return true;
}

// Cut anywhere, a file opens with the rows it has, saying that it ends early unless it lost
// no pixel, or is refused: never anything else.
TEST(OpenPicture, EveryTruncationOpensPartlyOrIsRefused) {
    // Qt's decoders complain about every cut file; only the results matter here.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const Pixels p = samplePixels(9, 4, 200);
    QImage image(9, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 9; ++x)
            image.setPixel(x, y, qRgb(x * 28, y * 60, 100));
    TgaOptions runLength;
    runLength.type = 10;
    TgaOptions runLengthAlpha = runLength;
    runLengthAlpha.bits = 32, runLengthAlpha.alphaBits = 8;
    const std::vector<QByteArray> files = {
        pcx(p, 8, 1),
        pcx(p, 8, 3),
        pcx(p, 1, 4),
        iff(p, {}),
        tga(p, {}),
        tga(p, runLength),
        tga(p, runLengthAlpha),
        saved(image, "png"),
        saved(image, "bmp"),
        saved(indexedImage(200), "bmp"),
        saved(indexedImage(2).convertToFormat(QImage::Format_Mono), "bmp"),
        kOnePixelGif,
        saved(image, "jpeg"),
        saved(image, "tiff"),
    };
    for (const QByteArray& whole : files) {
        const DecodedPicture complete = readPicture(whole);
        ASSERT_TRUE(complete.ok()) << complete.error.toStdString();
        EXPECT_EQ(complete.incomplete.toStdString(), "")
            << pictureFormatName(complete.format).toStdString() << complete.picture.depth();
        for (qsizetype length = 0; length < whole.size(); ++length) {
            SCOPED_TRACE(testing::Message()
                         << pictureFormatName(complete.format).toStdString() << " of depth "
                         << complete.picture.depth() << " cut at " << length);
            const DecodedPicture cut = readPicture(whole.left(length));
            if (cut.ok()) {
                EXPECT_EQ(cut.picture.image().size(), complete.picture.image().size());
                EXPECT_TRUE(!cut.incomplete.isEmpty() || samePixels(cut.picture, complete.picture));
            } else {
                EXPECT_FALSE(cut.error.isEmpty());
            }
        }
    }
    qInstallMessageHandler(previous);
}

// A file cut short opens with the rows it has and says how the rest is drawn: black, in the
// palette's first colour, or as the decoder fills it.
TEST(OpenPicture, ACutFileSaysHowItsMissingPartIsDrawn) {
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const QString drawnBlack = "The file ends early; the missing part is drawn black.";
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(qRgb(200, 0, 0));
    QImage stripes(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            stripes.setPixel(x, y, qRgb(y * 4, x * y * 7 % 256, x * 4));
    const QByteArray jpeg = saved(stripes, "jpeg");
    const Pixels p = samplePixels(9, 4, 200); // palette entry 0 is green
    TgaOptions runLengthAlpha;
    runLengthAlpha.type = 10, runLengthAlpha.bits = 32, runLengthAlpha.alphaBits = 8;
    struct Row {
        const char* name;
        QByteArray whole;
        qsizetype cutBy;
        bool black;           // the missing part is drawn black, else as the text says
        QPoint missing, kept; // a pixel missing; a pixel kept
        QRgb missingColour;
    };
    const Row rows[] = {
        {"bmp 24 bits, a quarter kept", saved(red, "bmp"), 6 * 24, true, {0, 0}, {0, 7}, 0},
        {"bmp 8 bits", saved(indexedImage(200), "bmp"), 16, false, {5, 0}, {5, 2}, qRgb(0, 200, 0)},
        {"pcx 8 bits, its palette cut", pcx(p, 8, 1), 100, false, {}, {}, 0},
        {"pcx 24 bits, a line cut off", pcx(p, 8, 3), 40, true, {8, 3}, {0, 0}, 0},
        {"ilbm, a row cut off", iff(p, {}), 30, false, {8, 3}, {0, 0}, qRgb(0, 255, 0)},
        {"tga with alpha, run-length", tga(p, runLengthAlpha), 10, true, {8, 0}, {0, 3}, 0},
        {"gif", gif(p), 10, false, {8, 3}, {0, 0}, qRgb(0, 0, 0)},
        {"jpeg, a quarter cut off", jpeg, jpeg.size() / 4, false, {}, {}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const DecodedPicture whole = readPicture(row.whole);
        const DecodedPicture cut = readPicture(row.whole.chopped(row.cutBy));
        ASSERT_TRUE(cut.ok()) << cut.error.toStdString();
        EXPECT_EQ(cut.picture.image().size(), whole.picture.image().size());
        EXPECT_TRUE(cut.incomplete.startsWith("The file ends early;"))
            << cut.incomplete.toStdString();
        EXPECT_EQ(cut.incomplete == drawnBlack, row.black) << cut.incomplete.toStdString();
        if (row.missing.isNull())
            continue;
        EXPECT_EQ(cut.picture.pixelColor(row.missing.x(), row.missing.y()) | 0xff000000,
                  row.black ? qRgb(0, 0, 0) : row.missingColour);
        EXPECT_EQ(cut.picture.pixelColor(row.kept.x(), row.kept.y()),
                  whole.picture.pixelColor(row.kept.x(), row.kept.y()));
    }
    qInstallMessageHandler(previous);
}

TEST(OpenPicture, NamesInQuotesAndMisleadingExtensionsOpen) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a logo with blanks.jpg");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(png(6, 2, 8, 2, pngRows(8, 0x40, 3)));
    f.close();
    const DecodedPicture read = OpenDib('"' + path + '"');
    EXPECT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.format, PictureFormat::Png);
}

// Progress climbs from 0 to 100, for our readers and through Qt's.
TEST(OpenPicture, ReportsProgressUpToAHundred) {
    QTemporaryDir dir;
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(qRgb(9, 8, 7));
    const std::vector<std::pair<const char*, QByteArray>> rows = {
        {"pcx", pcx(samplePixels(300, 200, 256), 8, 1)},
        {"tiff", saved(image, "tiff")},
    };
    for (const auto& [name, bytes] : rows) {
        SCOPED_TRACE(name);
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.close();
        std::vector<int> reported;
        ASSERT_TRUE(OpenDib(f.fileName(), {}, [&](int p) { reported.push_back(p); }).ok());
        ASSERT_GE(reported.size(), 3u);
        EXPECT_EQ(reported.front(), 0);
        EXPECT_EQ(reported.back(), 100);
        EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    }
}

} // namespace
