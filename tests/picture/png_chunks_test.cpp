#include "picture/open_picture.h"
#include "picture/picture_files.h"
#include "picture/png_chunks.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

using namespace picture_files;

QByteArray chunk(const char* type, const QByteArray& data) {
    QByteArray out;
    pngChunk(out, type, data);
    return out;
}

// What the decoder is handed of `file`.
QByteArray passedOn(QByteArray file) {
    QBuffer source(&file);
    source.open(QIODevice::ReadOnly);
    PngWithoutExtras png(source);
    EXPECT_EQ(png.size(), png.bytesAvailable());
    return png.readAll();
}

const QByteArray kSignature("\x89PNG\r\n\x1a\n");

} // namespace

// Compressed text inflates to 8 MB a chunk: a small file that held the decoder for seconds.
TEST(PngChunks, TextAndProfilesNeverReachTheDecoder) {
    const QByteArray ihdr = chunk("IHDR", QByteArray::fromHex("00000005000000020803000000"));
    const QByteArray pixels = chunk("gAMA", QByteArray::fromHex("0000b18f")) +
                              chunk("PLTE", QByteArray::fromHex("000000ff8000")) +
                              chunk("tRNS", QByteArray::fromHex("ff80")) +
                              chunk("IDAT", qCompress(QByteArray::fromHex("000001000100"
                                                                          "000101010000"))
                                                .mid(4)) +
                              chunk("IEND", {});
    const QByteArray inflated = qCompress(QByteArray(8 << 20, 'a')).mid(4);
    QByteArray extras;
    for (int i = 0; i < 12; ++i)
        extras += chunk("zTXt", "Comment" + QByteArray(2, '\0') + inflated) +
                  chunk("iTXt", "XML:com.adobe.xmp" + QByteArray::fromHex("000100") +
                                    QByteArray(2, '\0') + inflated) +
                  chunk("tEXt", "Title" + QByteArray(1, '\0') + QByteArray(4096, 'b'));
    extras += chunk("iCCP", "icc" + QByteArray(2, '\0') + inflated) +
              chunk("eXIf", QByteArray("MM\0*", 4)) + chunk("prVt", QByteArray(100, 'c'));
    const QByteArray plain = kSignature + ihdr + pixels;
    const QByteArray hostile =
        kSignature + ihdr + extras + pixels.chopped(12) + extras + pixels.right(12);

    EXPECT_EQ(passedOn(hostile), plain);
    const DecodedPicture read = readPicture(hostile);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.picture.image(), readPicture(plain).picture.image());
    EXPECT_TRUE(read.picture.image().textKeys().isEmpty());
}

// A file that breaks off or lies about a length is handed on from there as it is, so that the
// decoder sees the same fault as without the walk.
TEST(PngChunks, FromAChunkThatDoesNotFitTheRestPassesUnchanged) {
    const QByteArray ihdr = chunk("IHDR", QByteArray::fromHex("00000001000000010800000000"));
    const QByteArray text = chunk("tEXt", "a" + QByteArray(1, '\0') + "b");
    const QByteArray start = kSignature + ihdr + text;
    const QByteArray kept = kSignature + ihdr;
    const struct {
        const char* name;
        QByteArray file, expected;
    } cases[] = {
        {"not a PNG", "GIF89a" + ihdr + text, "GIF89a" + ihdr + text},
        {"cut inside a chunk", start + text.chopped(1), kept + text.chopped(1)},
        {"cut before a chunk's checksum", start + text.left(11), kept + text.left(11)},
        {"length past the end", start + QByteArray::fromHex("00010000") + text.mid(4),
         kept + QByteArray::fromHex("00010000") + text.mid(4)},
        {"length of 2^31", start + QByteArray::fromHex("80000000") + text.mid(4),
         kept + QByteArray::fromHex("80000000") + text.mid(4)},
        {"after the end chunk", start + chunk("IEND", {}) + text + "junk",
         kept + chunk("IEND", {}) + text + "junk"},
        {"unknown chunks", start + chunk("ABCD", "x") + chunk("abCD", "y"),
         kept + chunk("ABCD", "x")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(passedOn(c.file).toHex(), c.expected.toHex()) << c.name;
}
