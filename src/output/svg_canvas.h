#pragma once

#include "output/vector_canvas.h"

#include <QByteArray>

#include <optional>

// A page written as SVG text, in millimetres: `width` and `height` and the view box are the
// page's size in millimetres, and so is every coordinate. Marks of the same pen share one
// group that holds their style; pictures are embedded as PNG data and drawn by reference, their
// pixels shown as squares as on the raster page rather than smoothed. A stroke no wider than a
// device pixel is a hairline, one pixel wide on the raster page at any size: it is drawn one
// pixel wide at any zoom, as readers draw a PDF's, rather than vanishing when shown small.
//
// Written as text rather than through a toolkit's SVG generator: that one would need a module
// of its own, and writes every line as a styled element of its own in pixels of some resolution.
class SvgCanvas : public VectorCanvas {
  public:
    // `pixelPoints`: a device pixel of the page, in points.
    SvgCanvas(QSizeF pagePoints, double pixelPoints);

    void line(const QLineF& line, const VectorPen& pen) override;
    void fillRect(const QRectF& rect, QRgb colour) override;
    void dot(QPointF centre, double size, QRgb colour, bool round) override;
    void ellipse(QPointF centre, double radiusX, double radiusY, QRgb colour,
                 double width) override;
    int addImage(const QImage& pixels, QSizeF size) override;
    void drawImage(int image, QPointF topLeft) override;
    void clip(const QRectF& rect) override;
    void unclip() override;
    void text(QPointF baseline, const QFont& font, double em, QRgb colour,
              const QString& text) override;

    // The whole document, closed.
    QByteArray finish();

  private:
    // The style of a group of strokes of `width` points, not filled, and what each of them
    // carries besides: a hairline's one pixel stays one pixel at any zoom.
    QByteArray strokeStyle(QRgb colour, double width) const;
    QByteArray strokeEffect(double width) const;
    // Opens a group of `style` unless the last one has it.
    void inGroup(const QByteArray& style);
    // Closes the open group, and the clip if it has ended.
    void closeGroup();
    void closeStyleGroup();
    void endClip();

    double m_hairline; // points
    QByteArray m_svg;
    QByteArray m_group; // the style of the open group; empty: none is open
    int m_images = 0;
    int m_clips = 0;
    std::optional<QRectF> m_clip; // the open clip
    bool m_clipEnding = false;    // it has ended, but its group is still open
};
