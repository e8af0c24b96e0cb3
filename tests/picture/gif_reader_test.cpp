// Our GIF reader gives the colours Qt's reader gave for the same file, as 8-bit indices of a
// palette in the order the colours first appear; damaged and cut files open with what they hold
// or are refused with a reason.
#include "picture/gif_reader.h"

#include "picture/picture_files.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace picture_files;

// Gradients and a little noise, as in photographs: strings repeat, but not for long.
Pixels photoLike(int width, int height, int colors) {
    Pixels p = samplePixels(width, height, colors);
    quint32 noise = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245 + 12345;
            p.index[size_t(y * width + x)] =
                ((x + y) * colors / (width + height) + int(noise >> 29)) % colors;
        }
    return p;
}

Pixels oneIndex(int width, int height, int index) {
    Pixels p = samplePixels(width, height, 256);
    std::fill(p.index.begin(), p.index.end(), index);
    return p;
}

// Each pixel's colour as Qt's reader gives it, transparent pixels shown over white unless no
// pixel is opaque: a picture transparent throughout is shown in its own colours.
QImage decodedByQt(const QByteArray& file) {
    QByteArray bytes = file;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImage image = QImageReader(&buffer, "gif").read().convertToFormat(QImage::Format_ARGB32);
    bool anyOpaque = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            anyOpaque = anyOpaque || qAlpha(image.pixel(x, y)) != 0;
    for (int y = 0; y < image.height() && anyOpaque; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 0)
                image.setPixel(x, y, qRgb(255, 255, 255));
    return image;
}

TEST(GifReader, GivesQtsColoursInIndicesOfTheColoursShown) {
    struct Row {
        const char* name;
        Pixels pixels;
        GifOptions options;
    };
    const auto with = [](auto change) {
        GifOptions o;
        o.compressed = true;
        change(o);
        return o;
    };
    const Row rows[] = {
        {"two colours in codes from 3 bits", photoLike(13, 7, 2),
         with([](GifOptions& o) { o.paletteBits = 1; })},
        {"256 colours, the table filled and cleared", photoLike(160, 120, 256), with([](auto&) {})},
        {"256 colours, the full table kept", photoLike(160, 120, 256),
         with([](GifOptions& o) { o.deferredClear = true; })},
        {"one colour, each string its previous one and more", oneIndex(64, 40, 5),
         with([](auto&) {})},
        {"each index its own code", photoLike(30, 9, 256), GifOptions{}},
        {"interlaced, 13 rows", photoLike(11, 13, 16),
         with([](GifOptions& o) { o.paletteBits = 4, o.interlaced = true; })},
        {"a palette of the frame's own", photoLike(17, 6, 16),
         with([](GifOptions& o) { o.paletteBits = 4, o.localPalette = true; })},
        {"a frame on a larger screen", photoLike(17, 6, 16), with([](GifOptions& o) {
             o.paletteBits = 4, o.screenWidth = 30, o.screenHeight = 20, o.left = 5, o.top = 3,
             o.background = 2;
         })},
        {"a frame reaching past the screen", photoLike(11, 7, 16), with([](GifOptions& o) {
             o.paletteBits = 4, o.screenWidth = 8, o.screenHeight = 5, o.left = 2, o.top = 1;
         })},
        {"a transparent index, on a larger screen", photoLike(17, 6, 16), with([](GifOptions& o) {
             o.paletteBits = 4, o.transparent = 3, o.screenWidth = 20, o.screenHeight = 9,
             o.left = 1, o.top = 2;
         })},
        {"only transparent pixels", oneIndex(5, 4, 3),
         with([](GifOptions& o) { o.paletteBits = 2, o.transparent = 3; })},
        {"indices past the palette", photoLike(16, 5, 32),
         with([](GifOptions& o) { o.paletteBits = 3, o.minCodeBits = 5; })},
        {"no palette at all", photoLike(16, 5, 8),
         with([](GifOptions& o) { o.paletteBits = 3, o.noPalette = true; })},
        {"the older version", photoLike(9, 4, 4),
         with([](GifOptions& o) { o.paletteBits = 2, o.version87a = true; })},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray file = gif(row.pixels, row.options);
        const QImage expected = decodedByQt(file);
        const DecodedPicture read = readGif(file);
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        EXPECT_EQ(read.incomplete.toStdString(), "");
        EXPECT_EQ(read.format, PictureFormat::Gif);
        const PictureRecord& picture = read.picture;
        ASSERT_EQ(picture.image().size(), expected.size());
        EXPECT_EQ(picture.depth(), 8);
        std::set<QRgb> colours;
        int nextNewIndex = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb shown = picture.pixelColor(x, y) | 0xff000000;
                ASSERT_EQ(shown, expected.pixel(x, y) | 0xff000000) << x << ", " << y;
                colours.insert(shown);
                const int index = picture.pixelIndex(x, y);
                ASSERT_LE(index, nextNewIndex) << x << ", " << y;
                nextNewIndex = std::max(nextNewIndex, index + 1);
            }
        EXPECT_EQ(picture.colorCount(), int(colours.size()));
    }
}

// A file cut anywhere, or damaged, opens with what it holds and says so, or is refused with a
// reason: never anything else.
TEST(GifReader, CutOrDamagedFilesOpenWithWhatTheyHoldOrAreRefused) {
    GifOptions interlacedOnAScreen;
    interlacedOnAScreen.compressed = true, interlacedOnAScreen.interlaced = true;
    interlacedOnAScreen.paletteBits = 4, interlacedOnAScreen.transparent = 2;
    interlacedOnAScreen.screenWidth = 14, interlacedOnAScreen.screenHeight = 12;
    interlacedOnAScreen.left = 1, interlacedOnAScreen.top = 2;
    const QByteArray whole = gif(photoLike(12, 9, 16), interlacedOnAScreen);
    const DecodedPicture complete = readGif(whole);
    ASSERT_TRUE(complete.ok());
    for (qsizetype length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(testing::Message() << "cut at " << length);
        const DecodedPicture cut = readGif(whole.left(length));
        if (!cut.ok()) {
            EXPECT_FALSE(cut.error.isEmpty());
            continue;
        }
        EXPECT_EQ(cut.picture.image().size(), complete.picture.image().size());
        bool same = true;
        for (int y = 0; y < cut.picture.height(); ++y)
            for (int x = 0; x < cut.picture.width(); ++x)
                same = same && cut.picture.pixelColor(x, y) == complete.picture.pixelColor(x, y);
        EXPECT_TRUE(same || !cut.incomplete.isEmpty());
    }

    // Each index as a code of 9 bits after a palette of 256 colours.
    const QByteArray literal = gif(photoLike(30, 9, 256));
    const qsizetype codesAt = 6 + 7 + 3 * 256 + 10 + 1;
    const struct {
        const char* name;
        QByteArray file;
        bool opens;
    } damaged[] = {
        {"a code not yet defined", QByteArray(literal).replace(codesAt + 20, 2, "\xff\xff"), true},
        {"a code size of 13 bits", QByteArray(literal).replace(codesAt - 1, 1, "\x0d"), false},
        {"a block of unknown kind", QByteArray(literal).replace(6 + 7 + 3 * 256, 1, "\x07"), false},
        {"the trailer before any picture", literal.left(6 + 7 + 3 * 256) + ";", false},
    };
    for (const auto& row : damaged) {
        SCOPED_TRACE(row.name);
        const DecodedPicture read = readGif(row.file);
        EXPECT_EQ(read.ok(), row.opens) << read.error.toStdString();
        EXPECT_FALSE((row.opens ? read.incomplete : read.error).isEmpty());
    }
}

} // namespace
