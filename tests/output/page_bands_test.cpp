#include "output/page_bands.h"
#include "render/image_surface.h"
#include "support/image_compare.h"

#include <QFont>

#include <gtest/gtest.h>

namespace {

constexpr QSize kPage(163, 197);

QImage gradient(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 9 % 256, y * 13 % 256, (x ^ y) * 5 % 256));
    return image;
}

QImage whole(const DrawOnSurface& draw) {
    ImageSurface surface(kPage);
    draw(surface);
    return surface.image();
}

QImage inBands(const DrawOnSurface& draw, int rows, BandOrder order) {
    QImage page(kPage, QImage::Format_RGB32);
    page.fill(Qt::black);
    const Failure failure =
        drawInBands(page.rect(), rows, order, draw, [&page](const QImage& band, int top) {
            for (int y = 0; y < band.height(); ++y)
                std::copy_n(band.constScanLine(y), band.bytesPerLine(), page.scanLine(top + y));
            return Failure::none();
        });
    EXPECT_FALSE(failure.failed());
    return page;
}

// Whatever the bands' height and order, the page drawn band by band is the page drawn whole:
// at every seam through a picture, a slanted line, a round line, marks merged by XOR with a
// texture, and text, which the toolkit draws and which reaches bands from above.
TEST(PageBands, EveryBandHasThePixelsOfTheWholePage) {
    const QImage picture = gradient(QSize(37, 41));
    struct Row {
        const char* name;
        DrawOnSurface draw;
    };
    const Row rows[] = {
        {"picture", [&](ImageSurface& s) { s.drawImage(QPoint(9, 5), picture); }},
        {"slanted and round lines",
         [](ImageSurface& s) {
             s.setPenColor(0xff203080);
             s.setPenWidth(3);
             s.slantedLine(QPointF(2.3, 1.7), QPointF(158.2, 194.9), QRect(QPoint(), kPage));
             s.ellipse(QPointF(80.5, 98.2), 70.3, 61.7);
         }},
        {"XOR over a texture",
         [&](ImageSurface& s) {
             s.drawTiled(QRect(3, 4, 150, 190), picture);
             s.setPenMode(PenMode::Xor);
             s.setPenColor(0xff00ff00);
             s.setPenWidth(5);
             s.slantedLine(QPointF(0, 190), QPointF(160, 3), QRect(QPoint(), kPage));
             s.fill(QRect(20, 0, 7, 197), 0xffff0000, PenMode::Xor);
         }},
        {"text", [](ImageSurface& s) {
             QFont font(QStringLiteral("Arial"));
             font.setPixelSize(83); // drawn as outlines, not from cached glyphs
             for (const int top : {-41, 8, 57, 131})
                 s.textOut(QPoint(top % 7, top), font, 0xff000000, QStringLiteral("Wjg"));
         }}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QImage expected = whole(row.draw);
        for (const int height : {1, 5, 16, 40, 197}) {
            for (const BandOrder order : {BandOrder::Downwards, BandOrder::Upwards}) {
                SCOPED_TRACE(height * (order == BandOrder::Upwards ? -1 : 1));
                EXPECT_TRUE(imagesEqual(expected, inBands(row.draw, height, order),
                                        QStringLiteral("page-bands-%1").arg(row.name)));
            }
        }
    }
}

} // namespace
