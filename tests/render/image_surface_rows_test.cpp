#include "render/image_surface.h"

#include "plain_surface.h"

#include "support/image_compare.h"

#include <gtest/gtest.h>

namespace {

void line(Surface& s, int x1, int y1, int x2, int y2) {
    s.moveTo(x1, y1);
    s.lineTo(x2, y2);
}

// Pixels that differ from their neighbours, so that a picture copied from the wrong column or
// row shows.
QImage smallPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(40 * x % 256, 90 * y % 256, 7 * (x + y) % 256));
    }
    return image;
}

// A page of the kinds of runs the renderer makes, in page coordinates: a background that
// covers whole rows, a grid of copy lines (rows that come out alike), partial rows, XOR
// columns over them, a NOT band and a rectangle that crosses the surface's edges; tiles and a
// picture under the lines, reaching past the surface; slanted pieces over a band of whole rows
// and over tiles, with upright lines after them.
void drawMixedPage(Surface& s, QSize page) {
    const int w = page.width();
    const int h = page.height();
    s.setBrushColor(0xf0e0d0);
    s.setPenColor(0xf0e0d0);
    s.rectangle(-5, -5, w + 5, h + 5);
    s.drawTiled(QRect(2, 1, w - 3, h / 2), smallPicture(5, 3));
    s.drawImage(QPoint(w / 2, h / 3), smallPicture(w, 4));
    s.setPenColor(0x102030);
    for (int y = 3; y < h; y += 7) {
        s.setPenWidth(1 + y % 3);
        line(s, -1, y, w + 1, y);
    }
    s.setPenWidth(2);
    s.setPenColor(0x0000ff);
    line(s, w / 3, h / 2, 2 * w / 3 + 1, h / 2);
    s.setPenMode(PenMode::Xor);
    s.setPenColor(0xabcdef);
    for (int x = 1; x < w; x += w / 5 + 1)
        line(s, x, h + 2, x, -2);
    s.setPenMode(PenMode::Not);
    line(s, 0, h - 4, w, h - 4);
    s.setPenMode(PenMode::Copy);
    s.setPenWidth(3);
    s.setPenColor(0x00aa00);
    s.setBrushColor(0x336699);
    s.rectangle(w - 9, h / 4, w + 20, h / 4 + 11);
    // A band of whole rows with slanted pieces over it, one in each mode, leaning 3 across for
    // 4 down from pixel centres at 4 pixels wide: every fourth row has a side through a centre.
    s.fill(QRect(-1, h / 2, w + 2, h / 3), 0xfafafa, PenMode::Copy);
    s.setPenWidth(4);
    const QRect everywhere(-5, -5, w + 10, h + 10);
    s.slantedLine(QPointF(2.5, 0.5), QPointF(2.5 + 3 * h, 0.5 + 4 * h), everywhere);
    s.setPenMode(PenMode::Xor);
    s.slantedLine(QPointF(w - 0.5, 0.5), QPointF(w - 0.5 - 3 * h, 0.5 + 4 * h), everywhere);
    // Upright lines after the pieces, which may be drawn before them only where that gives the
    // same pixels: a XOR one after the XOR piece, a copy one in another colour across the copy
    // piece.
    line(s, w / 2, h / 2 - 1, w / 2, h);
    s.setPenMode(PenMode::Copy);
    s.setPenColor(0x00aa00);
    line(s, w / 4, h / 2 - 1, w / 4, h);
    // A tile wide enough to be read straight into the rows, with a few pieces and a line over
    // it, and further down with more pieces than that path takes.
    const QRect tiled(1, 5 * h / 6, w - 2, h / 6);
    s.drawTiled(tiled, smallPicture(67, 5));
    s.setPenWidth(2);
    s.slantedLine(QPointF(0.5, tiled.top()), QPointF(w + 0.5, tiled.bottom() - 2.0), everywhere);
    line(s, w / 3, h, w / 3, tiled.top() - 1);
    for (int k = 0; k < 12; ++k) {
        s.setPenMode(k % 3 == 0 ? PenMode::Xor : PenMode::Copy);
        s.slantedLine(QPointF(k * w / 12.0, tiled.top() + h / 12.0),
                      QPointF(k * w / 12.0 + h / 3.0, h + 0.5), everywhere);
    }
}

struct RowPathCase {
    const char* name;
    QSize page;
    QRect shown; // the rectangle of the page that the surface holds
};

void PrintTo(const RowPathCase& c, std::ostream* os) {
    *os << c.name;
}

class ImageSurfaceRowPaths : public ::testing::TestWithParam<RowPathCase> {};

TEST_P(ImageSurfaceRowPaths, GiveThePixelsOfDrawingEachOperationPlainly) {
    const RowPathCase& c = GetParam();
    ImageSurface fast(c.shown.size(), c.shown.topLeft());
    PlainSurface plain(c.shown.size(), c.shown.topLeft());
    drawMixedPage(fast, c.page);
    drawMixedPage(plain, c.page);
    EXPECT_TRUE(imagesEqual(plain.image(), fast.image(), QString::fromLatin1(c.name)));
}

// Images above 16 MiB are written with stores that bypass the cache, four pixels at a time
// from the first 16-byte boundary: every width modulo four, and both sides of the size at
// which streaming begins, take their own path through the head and tail of a row.
constexpr int kEdge = 2048; // 2048 x 2048 x 4 bytes is exactly where streaming begins

INSTANTIATE_TEST_SUITE_P(
    Sizes, ImageSurfaceRowPaths,
    ::testing::Values(
        RowPathCase{"SmallOddWidth", {37, 29}, {0, 0, 37, 29}},
        RowPathCase{"SmallRectangleOfAPage", {120, 90}, {13, 7, 41, 55}},
        RowPathCase{"JustInTheCache", {kEdge, kEdge}, {0, 0, kEdge, kEdge}},
        RowPathCase{"OneRowPastTheCache", {kEdge, kEdge + 1}, {0, 0, kEdge, kEdge + 1}},
        RowPathCase{"StreamedWidthOneOverFour", {kEdge + 1, kEdge}, {0, 0, kEdge + 1, kEdge}},
        RowPathCase{"StreamedWidthTwoOverFour", {kEdge + 2, kEdge}, {0, 0, kEdge + 2, kEdge}},
        RowPathCase{"StreamedWidthThreeOverFour", {kEdge + 3, kEdge}, {0, 0, kEdge + 3, kEdge}},
        RowPathCase{"StreamedTallAndNarrow", {1023, 4200}, {0, 0, 1023, 4200}},
        RowPathCase{"StreamedRectangleOfALargerPage", {4000, 3000}, {1, 5, 2051, 2100}}),
    [](const auto& info) { return std::string(info.param.name); });

// Millions of small dots in XOR, now and then one in copy mode, far more operations than are
// kept waiting at once: each still changes its pixels once, in the order drawn.
TEST(ImageSurfaceBatches, ManyOperationsGiveThePixelsOfDrawingEachPlainly) {
    const QRect shown(3, 2, 61, 47);
    ImageSurface fast(shown.size(), shown.topLeft());
    PlainSurface plain(shown.size(), shown.topLeft());
    for (Surface* s : {static_cast<Surface*>(&fast), static_cast<Surface*>(&plain)}) {
        drawMixedPage(*s, QSize(70, 55));
        for (quint32 i = 0; i < (1u << 21); ++i) {
            s->setPenMode(i % 65537 == 0 ? PenMode::Copy : PenMode::Xor);
            s->setPenColor((i * 2654435761u) & 0xffffff);
            s->dot(int(i % 71), int(i / 71 % 57), int(1 + i % 5), i % 2 == 0);
        }
    }
    EXPECT_TRUE(imagesEqual(plain.image(), fast.image(), QStringLiteral("ManyOperations")));
}

} // namespace
