#pragma once

#include "output/vector_marks.h"
#include "render/surface.h"

// The pictures and text of a page's layers on a vector canvas. The layers place them in device
// pixels of the page's scale; here they lie at the same places in points. Pictures come at
// their own pixels and are stretched by the reader, each kept once however often it is
// drawn; text stays text.
class CanvasSurface : public Surface {
  public:
    CanvasSurface(VectorCanvas& canvas, const PageScale& scale);

    QRect clipRect() const override { return m_page; }
    bool isPrinter() const override { return true; }
    void drawImage(QPoint at, const QImage& pixels) override;
    // The tile is kept once and drawn at every position, cut by the area's sides.
    void drawTiled(const QRect& area, const QImage& tile) override;
    bool takesPicturesWhole() const override { return true; }
    void drawStretched(const QRect& place, const QImage& picture) override;
    void drawStretchedTiles(const QRect& area, QSize tileSize, const QImage& picture) override;
    int textHeight(const QFont& font) const override;
    void textOut(QPoint topLeft, const QFont& font, QRgb color, const QString& text) override;

  protected:
    // Only a picture too large to keep comes here, a rectangle of its pixels at a time; like
    // any picture it replaces what lies under it.
    void fillArea(const QRect& area, QRgb color, PenMode mode) override;

  private:
    QPointF pointsAt(QPoint pixel) const;
    QRectF pointsOf(const QRect& pixels) const;

    VectorCanvas& m_canvas;
    VectorPlacement m_place;
    QRect m_page;
    QImage m_measure; // a device to measure text on, as the raster page does
};
