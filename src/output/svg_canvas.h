#pragma once

#include "output/vector_canvas.h"

#include <QByteArray>

#include <optional>

// A page written as SVG text, in millimetres: `width` and `height` and the view box are the
// page's size in millimetres, and so is every coordinate. Marks of the same pen share one
// group that holds their style; pictures are embedded as PNG data and drawn by reference.
//
// Written as text rather than through a toolkit's SVG generator: that one would need a module
// of its own, and writes every line as a styled element of its own in pixels of some resolution.
class SvgCanvas : public VectorCanvas {
  public:
    explicit SvgCanvas(QSizeF pagePoints);

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
    // Opens a group of `style` unless the last one has it.
    void inGroup(const QByteArray& style);
    // Closes the open group, and the clip if it has ended.
    void closeGroup();
    void closeStyleGroup();
    void endClip();

    QByteArray m_svg;
    QByteArray m_group; // the style of the open group; empty: none is open
    int m_images = 0;
    int m_clips = 0;
    std::optional<QRectF> m_clip; // the open clip
    bool m_clipEnding = false;    // it has ended, but its group is still open
};
