#pragma once

#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QRgb>
#include <QString>

// A stroked line: its width and, for a dashed one, the lengths of its dashes and gaps, all in
// points. Ends are flat.
struct VectorPen {
    QRgb colour = 0;
    double width = 0;
    double dash = 0; // 0: solid
    double gap = 0;

    bool operator==(const VectorPen&) const = default;
};

// A page of vector graphics in points from its top-left corner, the y axis pointing down.
// Nothing is rounded to any device's pixels.
class VectorCanvas {
  public:
    virtual ~VectorCanvas() = default;

    virtual void line(const QLineF& line, const VectorPen& pen) = 0;
    virtual void fillRect(const QRectF& rect, QRgb colour) = 0;
    // A filled circle of diameter `size`, or a square of that side, centred on `centre`.
    virtual void dot(QPointF centre, double size, QRgb colour, bool round) = 0;
    // The line of an ellipse around `centre`, its half-axes `radiusX` across and `radiusY`
    // down, `width` wide, not filled.
    virtual void ellipse(QPointF centre, double radiusX, double radiusY, QRgb colour,
                         double width) = 0;

    // Keeps `pixels` in the file once, to be drawn at `size` wherever `drawImage` puts it;
    // returns its handle. Pictures are kept losslessly.
    virtual int addImage(const QImage& pixels, QSizeF size) = 0;
    virtual void drawImage(int image, QPointF topLeft) = 0;
    // What is drawn until `unclip` is cut to `rect`.
    virtual void clip(const QRectF& rect) = 0;
    virtual void unclip() = 0;

    // Writes `text` as text, the left end of its baseline at `baseline`, in `font` scaled so
    // that its em is `em` points.
    virtual void text(QPointF baseline, const QFont& font, double em, QRgb colour,
                      const QString& text) = 0;
};
