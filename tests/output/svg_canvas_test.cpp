#include "output/svg_canvas.h"
#include "output/vector_marks.h"
#include "output/vector_page.h"

#include "page/draw_page.h"
#include "render/device_scales.h"
#include "settings/page_design.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

// A texture of one small tile, and a line of free text over the page.
class TiledLayers : public PageLayers {
  public:
    PenMode drawBackground(Surface& surface, const PageScale& scale,
                           const PageDesign&) const override {
        QImage tile(40, 30, QImage::Format_RGB32);
        tile.fill(0xff336699);
        surface.drawTiled(QRect(0, 0, scale.SurfaceWidth, scale.SurfaceHeight), tile);
        return PenMode::Copy;
    }
    void drawForeground(Surface& surface, const PageScale&, const PageDesign&,
                        int leftEdgeX) const override {
        QFont font;
        font.setPixelSize(12);
        surface.textOut(QPoint(leftEdgeX, 100), font, 0xff000000, QStringLiteral("a < b & c"));
    }
};

// How often each element occurs, and the root's size and view box.
struct SvgOutline {
    QString width, height, viewBox, text;
    int images = 0, uses = 0, paths = 0;
    int pixelated = 0; // images shown as squares of their pixels, by attribute and style
};

SvgOutline outlineOf(const QByteArray& svg) {
    SvgOutline outline;
    QXmlStreamReader reader(svg);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = reader.name();
        if (name == u"svg") {
            outline.width = reader.attributes().value("width").toString();
            outline.height = reader.attributes().value("height").toString();
            outline.viewBox = reader.attributes().value("viewBox").toString();
        }
        outline.images += name == u"image";
        outline.pixelated +=
            name == u"image" && reader.attributes().value("image-rendering") == u"pixelated" &&
            reader.attributes().value("style").endsWith(u"image-rendering:pixelated");
        outline.uses += name == u"use";
        outline.paths += name == u"path";
        if (name == u"text")
            outline.text = reader.readElementText();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return outline;
}

TEST(SvgCanvas, PageIsWellFormedInMillimetresWithItsTextureEmbeddedOnce) {
    const PageScale scale = printScale({50, QSize(120, 160)}, PageCalibration());
    const PageDesign design = newPageDesign();
    SvgCanvas canvas(VectorPlacement(scale).pageSize(), VectorPlacement(scale).fromPixels(1));
    drawVectorPage(canvas, {scale, design, TiledLayers()});
    const SvgOutline outline = outlineOf(canvas.finish());

    EXPECT_EQ(outline.width, "60.96mm");  // 120 pixels at 50 dpi
    EXPECT_EQ(outline.height, "81.28mm"); // 160 pixels
    EXPECT_EQ(outline.viewBox, "0 0 60.96 81.28");
    EXPECT_EQ(outline.images, 1);
    EXPECT_EQ(outline.pixelated, 1);
    EXPECT_EQ(outline.uses, 3 * 6); // 40 x 30 tiles over 120 x 160 pixels
    EXPECT_GT(outline.paths, 0);    // the ruling
    EXPECT_EQ(outline.text, "a < b & c");
}

} // namespace
