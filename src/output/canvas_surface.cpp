#include "output/canvas_surface.h"

#include "render/text_cell.h"

CanvasSurface::CanvasSurface(VectorCanvas& canvas, const PageScale& scale)
    : m_canvas(canvas), m_place(scale), m_page(0, 0, scale.SurfaceWidth, scale.SurfaceHeight),
      m_measure(1, 1, QImage::Format_RGB32) {}

QPointF CanvasSurface::pointsAt(QPoint pixel) const {
    return {m_place.fromPixels(pixel.x()), m_place.fromPixels(pixel.y())};
}

QRectF CanvasSurface::pointsOf(const QRect& pixels) const {
    return {pointsAt(pixels.topLeft()),
            QSizeF(m_place.fromPixels(pixels.width()), m_place.fromPixels(pixels.height()))};
}

void CanvasSurface::drawImage(QPoint at, const QImage& pixels) {
    drawStretched(QRect(at, pixels.size()), pixels);
}

void CanvasSurface::drawTiled(const QRect& area, const QImage& tile) {
    drawStretchedTiles(area, tile.size(), tile);
}

void CanvasSurface::drawStretched(const QRect& place, const QImage& picture) {
    if (place.isEmpty() || picture.isNull())
        return;
    m_canvas.drawImage(m_canvas.addImage(picture, pointsOf(place).size()),
                       pointsAt(place.topLeft()));
}

void CanvasSurface::drawStretchedTiles(const QRect& area, QSize tileSize, const QImage& picture) {
    const QRect visible = area.intersected(m_page);
    if (visible.isEmpty() || tileSize.isEmpty() || picture.isNull())
        return;
    const int image = m_canvas.addImage(picture, pointsOf(QRect(QPoint(), tileSize)).size());
    m_canvas.clip(pointsOf(visible));
    // Every place starts where a whole tile starts: only the area's far sides cut tiles.
    forEachTile(area, visible, tileSize,
                [&](const QRect& place) { m_canvas.drawImage(image, pointsAt(place.topLeft())); });
    m_canvas.unclip();
}

int CanvasSurface::textHeight(const QFont& font) const {
    return textCellHeight(font, &m_measure);
}

void CanvasSurface::textOut(QPoint topLeft, const QFont& font, QRgb color, const QString& text) {
    const QPoint baseline(topLeft.x(), topLeft.y() + textCellAscent(font, &m_measure));
    m_canvas.text(pointsAt(baseline), font, m_place.fromPixels(font.pixelSize()), color, text);
}

void CanvasSurface::fillArea(const QRect& area, QRgb color, PenMode) {
    m_canvas.fillRect(pointsOf(area.intersected(m_page)), color);
}
