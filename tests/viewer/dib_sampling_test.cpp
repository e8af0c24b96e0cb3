#include "picture/dib_sampling.h"
#include "picture/draw_dib.h"
#include "picture/surface_dib_device.h"
#include "render/image_surface.h"
#include "viewer/picture_view_drawing.h"

#include "support/noise_image.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// `part` of a picture drawn at 100 % into `dest`, row by row as sampleRows hands it on. With
// `gatherEachPixel`, the sampling also asks for one black column right of `part`, which no
// picture at 100 % has: the rows are then gathered pixel by pixel, and that column is cut off
// again.
QImage sampledRows(const PictureRecord& dib, const DibRect& dest, const QRect& part,
                   bool gatherEachPixel) {
    const DibSampling oneToOne = stretchSampling(dib, dest, {0, 0, DibWidth(dib), DibHeight(dib)});
    const qint64 blackColumn = part.right() + 1 - dest.x;
    const DibSampling sampling{
        [=](qint64 i) { return gatherEachPixel && i == blackColumn ? -1 : oneToOne.column(i); },
        oneToOne.row};
    QImage out(part.size(), QImage::Format_RGB32);
    sampleRows(dib, dest, part.adjusted(0, 0, gatherEachPixel ? 1 : 0, 0), sampling,
               [&](int y, const QImage& row) {
                   std::memcpy(out.scanLine(y - part.top()), row.constBits(),
                               size_t(out.bytesPerLine()));
               });
    return out;
}

// An RGB32 picture whose unused byte is not 0xff: the rows must still come out opaque.
PictureRecord rgb32WithClearAlpha(QSize size) {
    QImage image = noiseImage(size, 7);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] &= 0x00ffffffu;
    }
    return PictureRecord::fromTrueColor(image);
}

PictureRecord indexedWithShortPalette(QSize size) {
    QImage image = noiseImage(size, 3).convertToFormat(QImage::Format_Indexed8);
    // Indices past the palette's end are black.
    QList<QRgb> palette = image.colorTable();
    palette.resize(palette.size() / 2);
    image.setColorTable(palette);
    return PictureRecord::fromIndexed(image, 8);
}

bool sameBytes(const QImage& a, const QImage& b) {
    return a.size() == b.size() && a.bytesPerLine() == b.bytesPerLine() &&
           std::memcmp(a.constBits(), b.constBits(), size_t(a.sizeInBytes())) == 0;
}

// At 100 % rows are copied, not gathered pixel by pixel: byte for byte the same rows, at every
// depth and wherever the picture is scrolled, whether the viewer copies them straight into
// its view or DrawDib hands them to a device.
TEST(OneToOneRows, EqualTheGatheredRows) {
    const QSize size(157, 61);
    struct Row {
        const char* name;
        PictureRecord dib;
        QPoint scroll; // the view's top-left on the picture
        QSize view;
    };
    const Row rows[] = {
        {"TrueColourTopLeft",
         PictureRecord::fromTrueColor(noiseImage(size, 1).convertToFormat(QImage::Format_BGR888)),
         {0, 0},
         {40, 20}},
        {"TrueColourMiddle",
         PictureRecord::fromTrueColor(noiseImage(size, 2).convertToFormat(QImage::Format_BGR888)),
         {61, 17},
         {33, 30}},
        {"TrueColourBottomRightEdge",
         PictureRecord::fromTrueColor(noiseImage(size, 4).convertToFormat(QImage::Format_BGR888)),
         {120, 40},
         {37, 21}},
        {"ViewWiderThanThePicture",
         PictureRecord::fromTrueColor(noiseImage(size, 5).convertToFormat(QImage::Format_BGR888)),
         {0, 0},
         {400, 100}},
        {"OneColumn",
         PictureRecord::fromTrueColor(noiseImage(size, 6).convertToFormat(QImage::Format_BGR888)),
         {100, 9},
         {1, 12}},
        {"Rgb32WithClearAlpha", rgb32WithClearAlpha(size), {13, 5}, {90, 50}},
        {"EightBitWithShortPalette", indexedWithShortPalette(size), {29, 11}, {100, 40}},
    };
    for (const Row& r : rows) {
        const DibRect dest{-r.scroll.x(), -r.scroll.y(), DibWidth(r.dib), DibHeight(r.dib)};
        const QRect part = visiblePart(dest, QRect(QPoint(0, 0), r.view));
        const QImage gathered = sampledRows(r.dib, dest, part, true);
        EXPECT_TRUE(sameBytes(sampledRows(r.dib, dest, part, false), gathered)) << r.name;

        QImage viewed(part.size(), QImage::Format_RGB32);
        drawPictureView(viewed, part.topLeft(), r.dib, {dest.width, dest.height}, r.scroll, 32);
        EXPECT_TRUE(sameBytes(viewed, gathered)) << r.name;

        ImageSurface surface(part.size(), part.topLeft());
        SurfaceDibDevice device(surface, 32);
        DrawDib(device, dest, r.dib, {0, 0, dest.width, dest.height}, true);
        EXPECT_TRUE(sameBytes(surface.image(), gathered)) << r.name;
    }
}

} // namespace
