#include "output/raster_page.h"
#include "render/image_surface.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Every channel of every pixel differs from its neighbours', so that a channel swapped, a row
// shifted or a filter undone wrongly shows; the odd width leaves rows that end mid-word.
TEST(RasterPage, PngKeepsEveryPixelAndTheResolutionAtEitherCompression) {
    QImage page(257, 131, QImage::Format_RGB32);
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            page.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x ^ (y * 3)) % 256));
    }
    QTemporaryDir folder;
    for (const PngCompression compression : {PngCompression::Fast, PngCompression::Best}) {
        SCOPED_TRACE(int(compression));
        const QString path = folder.filePath("page.png");
        const BandedPicture picture{
            page.rect(), [&page](ImageSurface& surface) { surface.drawImage(QPoint(0, 0), page); }};
        ASSERT_FALSE(
            writePngInBands(picture, path, 300, compression, PngColours::Rgb, {}).failed());
        const QImage read(path, "png");
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), page);
        EXPECT_EQ(read.dotsPerMeterX(), 11811);
        EXPECT_EQ(read.dotsPerMeterY(), 11811);
    }
}
