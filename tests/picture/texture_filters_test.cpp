#include "page/design_pictures.h"
#include "page/picture_page_layers.h"
#include "picture/open_picture.h"
#include "picture/picture_output.h"
#include "picture/texture_filters.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"
#include "support/image_compare.h"

#include "picture/picture_files.h"
#include "support/succeeds.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A picture of one row: palette indices with their palette, or colours at 24 bits.
PictureRecord oneRow(int depth, const QList<QRgb>& colors, const std::vector<int>& indices = {}) {
    const int width = int(depth == 24 ? colors.size() : indices.size());
    if (depth == 24) {
        QImage image(width, 1, QImage::Format_BGR888);
        for (int x = 0; x < width; ++x)
            image.setPixel(x, 0, colors[x]);
        return PictureRecord::fromTrueColor(image);
    }
    QImage image(width, 1, QImage::Format_Indexed8);
    image.setColorTable(colors);
    for (int x = 0; x < width; ++x)
        image.setPixel(x, 0, uint(indices[size_t(x)]));
    return PictureRecord::fromIndexed(image, depth);
}

QRgb grey(int v) {
    return qRgb(v, v, v);
}

TEST(TextureFilters, WorkedValuesAfterReloadingTheFile) {
    struct Row {
        const char* name;
        PictureRecord picture;
        const char* file; // written as BMP or PNG, which Qt reads back as 32-bit pixels
        bool gray, lighten, strong;
        int depth;
        QList<QRgb> expected;
    };
    const QList<QRgb> mixed = {qRgb(255, 0, 0), grey(255), grey(128), grey(0)};
    const std::vector<Row> rows = {
        {"grey",
         oneRow(24, mixed),
         "t.bmp",
         true,
         false,
         false,
         24,
         {grey(76), grey(255), grey(128), grey(0)}},
        {"lighten",
         oneRow(24, mixed),
         "t.png",
         false,
         true,
         false,
         24,
         {qRgb(255, 192, 192), grey(255), grey(224), grey(192)}},
        {"strong lighten",
         oneRow(24, mixed),
         "t.bmp",
         false,
         true,
         true,
         24,
         {qRgb(255, 224, 224), grey(255), grey(240), grey(224)}},
        {"grey then lighten",
         oneRow(24, mixed),
         "t.bmp",
         true,
         true,
         false,
         24,
         {grey(255 - 179 / 4), grey(255), grey(224), grey(192)}},
        {"strong alone changes nothing",
         oneRow(8, mixed, {0, 3}),
         "t.bmp",
         false,
         false,
         true,
         8,
         {qRgb(255, 0, 0), grey(0)}},
        {"palette through its colours",
         oneRow(4, mixed, {0, 2}),
         "t.bmp",
         true,
         false,
         false,
         24,
         {grey(76), grey(128)}},
        {"1 bit is black and white whatever its colours",
         oneRow(1, {qRgb(200, 0, 0), qRgb(0, 0, 90)}, {0, 1}),
         "t.bmp",
         true,
         false,
         false,
         24,
         {grey(0), grey(255)}},
    };
    QTemporaryDir dir;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(row.file);
        ASSERT_SUCCEEDS(writePicture(row.picture, path));
        const DecodedPicture texture = loadTexture(path, row.gray, row.lighten, row.strong);
        ASSERT_TRUE(texture.ok()) << texture.error.toStdString();
        EXPECT_EQ(texture.picture.depth(), row.depth);
        QList<QRgb> seen;
        for (int x = 0; x < texture.picture.width(); ++x)
            seen.append(texture.picture.pixelColor(x, 0) | 0xff000000);
        EXPECT_EQ(seen, row.expected);
    }
    EXPECT_FALSE(loadTexture(dir.filePath("vanished.bmp"), true, true, false).ok());
}

// A picture written as BMP in its own depth reads back with that depth and the same pixels.
TEST(TextureFilters, BmpKeepsTheDepthOfThePicture) {
    const QList<QRgb> palette = {qRgb(1, 2, 3), qRgb(250, 0, 9), qRgb(7, 77, 177)};
    QTemporaryDir dir;
    for (const int depth : {1, 4, 8, 24}) {
        SCOPED_TRACE(depth);
        const std::vector<int> indices = {0, 1, depth == 1 ? 0 : 2, 1, 0, 1, 1, 0, 1};
        const PictureRecord written =
            depth == 24 ? oneRow(24, palette + palette + palette)
                        : oneRow(depth, palette.mid(0, depth == 1 ? 2 : 3), indices);
        const QString path = dir.filePath(QString("d%1.bmp").arg(depth));
        ASSERT_SUCCEEDS(writePicture(written, path));
        const DecodedPicture read = OpenDib(path);
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read.picture.depth(), depth);
        for (int x = 0; x < written.width(); ++x)
            EXPECT_EQ(read.picture.pixelColor(x, 0) | 0xff000000,
                      written.pixelColor(x, 0) | 0xff000000);
    }
}

// The texture as it lies on a page, tiled over a piece of it at 150 dpi with the lines.
QImage pageWithTexture(const PaperSettings& settings, const PictureRecord& texture) {
    PageScale scale;
    scale.SurfaceWidth = 800, scale.SurfaceHeight = 1000, scale.DotsPerInch = 150;
    ImageSurface page(QSize(400, 300));
    DrawPage(page, scale, pageDesignOf(settings), PicturePageLayers(texture, PictureRecord()));
    return page.image();
}

// A two-colour picture keeps the file's pixel values, and the texture made from it is black
// where the value is 0 and white elsewhere, in the window's page as in `picture --grayscale`,
// whichever colours the file has.
TEST(TextureFilters, TwoColourPicturesShowValueZeroBlack) {
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    const std::vector<int> values = {0, 1, 1, 0, 1};
    QByteArray pngRow(1, '\0');
    for (size_t x = 0; x < values.size(); ++x)
        pngRow[0] = char(pngRow[0] | values[x] << (7 - x));
    struct Row {
        const char* name;
        QByteArray file;
        QList<QRgb> colours; // of the values 0 and 1, as the file has them
    };
    const Row rows[] = {
        {"bmp listing black first",
         picture_files::twoColourBmp(black, white, values),
         {black, white}},
        {"bmp listing white first",
         picture_files::twoColourBmp(white, black, values),
         {white, black}},
        {"bmp of two colours, darker first",
         picture_files::twoColourBmp(qRgb(0, 0, 90), qRgb(200, 0, 0), values),
         {qRgb(0, 0, 90), qRgb(200, 0, 0)}},
        {"grey png", picture_files::png(5, 1, 1, 0, {pngRow}), {black, white}},
    };
    QTemporaryDir dir;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QFile file(dir.filePath(QStringLiteral("two-colours")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(row.file);
        file.close();

        const DecodedPicture opened = OpenDib(file.fileName());
        ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
        EXPECT_EQ(opened.picture.depth(), 1);
        const DecodedPicture grey = loadTexture(file.fileName(), true, false, false);
        ASSERT_TRUE(grey.ok());
        QList<QRgb> expectedColours;
        for (int x = 0; x < int(values.size()); ++x) {
            EXPECT_EQ(opened.picture.pixelIndex(x, 0), values[size_t(x)]) << x;
            EXPECT_EQ(opened.picture.pixelColor(x, 0) | 0xff000000, row.colours[values[size_t(x)]]);
            EXPECT_EQ(grey.picture.pixelColor(x, 0) | 0xff000000,
                      values[size_t(x)] ? white : black);
            expectedColours << (values[size_t(x)] ? white : black);
        }

        PaperSettings settings; // grey and lighten are on
        settings.setText(Setting::FilenameEdit2, file.fileName());
        const DecodedPicture texture = openTexturePicture(pageDesignOf(settings));
        ASSERT_TRUE(texture.ok());
        PictureRecord expected = oneRow(24, expectedColours);
        DibGrayScale(expected);
        DibLighten(expected);
        EXPECT_TRUE(imagesEqual(pageWithTexture(settings, expected),
                                pageWithTexture(settings, texture.picture), row.name));
    }
}

} // namespace
