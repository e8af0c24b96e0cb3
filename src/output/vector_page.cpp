#include "output/vector_page.h"

#include "output/canvas_surface.h"
#include "output/paper_sizes.h"
#include "page/draw_page.h"
#include "page/notebook_page.h"
#include "render/image_surface.h"
#include "render/merged_pieces.h"
#include "settings/page_design.h"

namespace {

constexpr QRgb kWhite = 0xffffffff;

// The background of a page and its lines, without what lies over them.
class BackgroundOnly : public PageLayers {
  public:
    explicit BackgroundOnly(const PageLayers& layers) : m_layers(layers) {}

    PenMode drawBackground(Surface& surface, const PageScale& scale,
                           const PageDesign& design) const override {
        return m_layers.drawBackground(surface, scale, design);
    }

  private:
    const PageLayers& m_layers;
};

// Gathers the areas that lines change, in drawing order, without drawing anything.
class CoveredAreas : public Surface {
  public:
    explicit CoveredAreas(const QRect& page) : m_page(page) {}

    QRect clipRect() const override { return m_page; }
    void drawImage(QPoint, const QImage&) override {}
    int textHeight(const QFont&) const override { return 0; }
    void textOut(QPoint, const QFont&, QRgb, const QString&) override {}

    const std::vector<QRect>& areas() const { return m_areas; }

  protected:
    void fillArea(const QRect& area, QRgb, PenMode) override {
        if (const QRect visible = area.intersected(m_page); !visible.isEmpty())
            m_areas.push_back(visible);
    }

  private:
    QRect m_page;
    std::vector<QRect> m_areas;
};

// Sends the merged lines of `design`, the page's own, as pictures of the finished page's pixels
// over the areas they cover, and returns where the left edge lies.
MarkCoordinate drawMergedLines(CanvasSurface& surface, const PageToDraw& page,
                               const PageDesign& design) {
    const PageScale& scale = page.scale;
    const QRect whole(0, 0, scale.SurfaceWidth, scale.SurfaceHeight);
    CoveredAreas covered(whole);
    SurfaceMarks marks(covered, scale);
    const MarkCoordinate leftEdge = markPage(marks, scale, design);
    const std::vector<QRect> pieces = coverWithPieces(covered.areas());
    if (pieces.empty())
        return leftEdge;
    ImageSurface finished(whole.size());
    // The page as designed: DrawPage turns it into the page's own design itself.
    DrawPage(finished, scale, page.design, BackgroundOnly(page.layers));
    const QImage& pixels = finished.image();
    for (const QRect& piece : pieces)
        surface.drawImage(piece.topLeft(), pixels.copy(piece));
    return leftEdge;
}

} // namespace

std::optional<QSize> paperOfPage(const PageScale& scale) {
    // A preview's pixels are a zoomed screen's, whatever paper they show.
    if (scale.ZoomPercent)
        return std::nullopt;
    return paperOfPixels(QSize(scale.SurfaceWidth, scale.SurfaceHeight), scale.DotsPerInch);
}

QSizeF vectorSheetPoints(const PageScale& scale) {
    if (const std::optional<QSize> paper = paperOfPage(scale))
        return paperPoints(*paper);
    return VectorPlacement(scale).pageSize();
}

void drawVectorPage(VectorCanvas& canvas, const PageToDraw& page) {
    const PageScale& scale = page.scale;
    canvas.fillRect(QRectF(QPointF(), vectorSheetPoints(scale)), kWhite);
    if (!scale.isDrawable())
        return;
    CanvasSurface surface(canvas, scale);
    const PageDesign design = designOfPage(page.design);
    MarkCoordinate leftEdge;
    if (page.layers.drawBackground(surface, scale, page.design) == PenMode::Copy) {
        VectorMarks marks(canvas, scale);
        leftEdge = markPage(marks, scale, design);
    } else {
        leftEdge = drawMergedLines(surface, page, design);
    }
    page.layers.drawForeground(surface, scale, design, pixelX(scale, leftEdge));
}
