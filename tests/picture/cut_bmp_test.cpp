// A BMP cut short opens with what it holds, as every other format does, whatever its kind.
#include "picture/open_picture.h"

#include "picture/picture_files.h"

#include <gtest/gtest.h>

namespace {

using namespace picture_files;

// Whether the pixel holds value 0: the first colour of a palette, or black.
bool isValueZero(const PictureRecord& picture, int x, int y) {
    if (picture.colorCount() > 0)
        return picture.image().pixelIndex(x, y) == 0;
    return (picture.pixelColor(x, y) & RGB_MASK) == 0;
}

// Cut after the header tells the picture's size, just after the header, after the first stored
// row or in the last, the file opens at its full size: the rows it holds are as in the
// whole file, and the rows it lacks are value 0. Only a picture over the budget is refused.
TEST(CutBmp, OpensWithWhatItHoldsOfEveryKind) {
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    struct Row {
        const char* name;
        BmpOptions options;
    };
    const Row rows[] = {
        {"1 bit", {1}},
        {"4 bits", {4}},
        {"8 bits", {8}},
        {"16 bits", {16}},
        {"24 bits", {24}},
        {"32 bits", {32}},
        {"8 bits, top-down", {8, false, true}},
        {"24 bits, top-down", {24, false, true}},
        {"4 bits in runs", {4, true}},
        {"8 bits in runs", {8, true}},
        {"8 bits, old header", {8, false, false, true}},
        {"24 bits, old header", {24, false, false, true}},
    };
    for (const Row& row : rows) {
        const BmpOptions& o = row.options;
        const Pixels p = samplePixels(13, 6, o.bits <= 8 ? 1 << o.bits : 256);
        const QByteArray whole = bmp(p, o);
        const DecodedPicture complete = readPicture(whole);
        ASSERT_TRUE(complete.ok()) << row.name << ": " << complete.error.toStdString();
        ASSERT_TRUE(complete.incomplete.isEmpty()) << row.name;
        const int headerEnd = 14 + (o.os2 ? 12 : 40);
        const int pixelsAt = headerEnd + (o.bits <= 8 ? (o.os2 ? 3 : 4) << o.bits : 0);
        const int firstRow = o.topDown ? 0 : p.height - 1, lastRow = p.height - 1 - firstRow;
        const struct {
            const char* where;
            qsizetype size;
            bool firstRowKept;
        } cuts[] = {
            {"after the size", o.os2 ? 26 : 30, false},
            {"just after the header, in the palette if any", headerEnd + 5, false},
            {"after the first row", pixelsAt + bmpRows(p, o).front().size(), true},
            {"in the last row", whole.size() - bmpRows(p, o).back().size() - (o.runs ? 2 : 0) + 1,
             true},
        };
        for (const auto& cut : cuts) {
            SCOPED_TRACE(testing::Message() << row.name << ", cut " << cut.where);
            const DecodedPicture read = readPicture(whole.left(cut.size));
            ASSERT_TRUE(read.ok()) << read.error.toStdString();
            EXPECT_TRUE(read.incomplete.startsWith("The file ends early;"));
            EXPECT_EQ(read.picture.image().size(), complete.picture.image().size());
            for (int x = 0; x < p.width; ++x) {
                if (cut.firstRowKept) {
                    EXPECT_EQ(read.picture.pixelColor(x, firstRow),
                              complete.picture.pixelColor(x, firstRow))
                        << x;
                }
            }
            EXPECT_TRUE(isValueZero(read.picture, p.width - 1, lastRow));
        }
        PictureLimits small;
        small.maxPixelBytes = p.width * p.height / 2;
        for (const qsizetype size : {whole.size(), qsizetype(headerEnd)}) {
            const DecodedPicture refused = readPicture(whole.left(size), small);
            EXPECT_TRUE(refused.error.contains("would need")) << row.name << ": " << size;
        }
    }
    qInstallMessageHandler(previous);
}

} // namespace
