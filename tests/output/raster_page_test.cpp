#include "output/raster_page.h"
#include "render/image_surface.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Every channel of every pixel differs from its neighbours', so that a channel swapped, a row
// shifted or a filter undone wrongly shows; the widths leave rows that end at every place in
// a group of four pixels, and BMP rows that need every amount of padding.
TEST(RasterPage, FilesKeepEveryPixelAndTheResolution) {
    struct Row {
        const char* name;
        std::function<Failure(const BandedPicture&, const QString&)> write;
    };
    const Row rows[] = {
        {"PNG fast",
         [](const BandedPicture& picture, const QString& path) {
             return writePngInBands(picture, path, 300, PngCompression::Fast, PngColours::Rgb, {});
         }},
        {"PNG best",
         [](const BandedPicture& picture, const QString& path) {
             return writePngInBands(picture, path, 300, PngCompression::Best, PngColours::Rgb, {});
         }},
        {"BMP", [](const BandedPicture& picture, const QString& path) {
             return writeBmpInBands(picture, path, 300, {});
         }}};
    QTemporaryDir folder;
    for (const Row& row : rows) {
        for (const int width : {1, 2, 3, 6, 7, 257}) {
            SCOPED_TRACE(std::string(row.name) + " " + std::to_string(width));
            QImage page(width, 131, QImage::Format_RGB32);
            for (int y = 0; y < page.height(); ++y) {
                for (int x = 0; x < page.width(); ++x)
                    page.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x ^ (y * 3)) % 256));
            }
            const BandedPicture picture{page.rect(), [&page](ImageSurface& surface) {
                                            surface.drawImage(QPoint(0, 0), page);
                                        }};
            const QString path = folder.filePath("page");
            ASSERT_FALSE(row.write(picture, path).failed());
            const QImage read(path);
            EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), page);
            EXPECT_EQ(read.dotsPerMeterX(), 11811);
            EXPECT_EQ(read.dotsPerMeterY(), 11811);
        }
    }
}
