#pragma once

#include "output/vector_canvas.h"

#include <QPainterPath>
#include <QPen>

#include <vector>

class QPainter;

// A page drawn through a painter on a PDF writer, in points. Marks of one pen are gathered into
// one path and stroked or filled at once, so that a page of thousands of dots is one short
// run of path operators rather than thousands of drawings with their own state. The text
// goes out as text in its own font, which the writer embeds.
class PdfVectorCanvas : public VectorCanvas {
  public:
    // `painter` is active on a device of `dotsPerInch`, its origin at the page's top left.
    PdfVectorCanvas(QPainter& painter, int dotsPerInch);
    // Draws what is still gathered; the painter must still be active.
    ~PdfVectorCanvas() override;
    PdfVectorCanvas(const PdfVectorCanvas&) = delete;
    PdfVectorCanvas& operator=(const PdfVectorCanvas&) = delete;

    void line(const QLineF& line, const VectorPen& pen) override;
    void fillRect(const QRectF& rect, QRgb colour) override;
    void fillCircle(QPointF centre, double diameter, QRgb colour) override;
    int addImage(const QImage& pixels, QSizeF size) override;
    void drawImage(int image, QPointF topLeft) override;
    void clip(const QRectF& rect) override;
    void unclip() override;
    void text(QPointF baseline, const QFont& font, double em, QRgb colour,
              const QString& text) override;

  private:
    // What the gathered path is drawn with: a stroke, or a fill when `fill` is set.
    struct Ink {
        QRgb colour = 0;
        double width = 0;
        double dash = 0;
        double gap = 0;
        bool fill = false;
        bool roundCaps = false;

        bool operator==(const Ink&) const = default;
    };
    QPainterPath& pathFor(const Ink& ink);
    void drawGathered();

    QPainter& m_painter;
    double m_imageInset; // points
    std::vector<std::pair<QImage, QSizeF>> m_images;
    QPainterPath m_path;
    Ink m_ink;
};
