#pragma once

#include "output/vector_canvas.h"

#include <QPainterPath>
#include <QPen>

#include <vector>

class QPainter;

// A page drawn through a painter on a PDF writer, in points. Marks of one pen are gathered into
// one path and stroked or filled at once, rather than drawn each with its own state; and dots
// of one kind at even steps along a row, as a dot grid has them, go out as one dashed stroke
// with a dash for each dot, so that a page of tens of thousands of dots stays small. The text
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
    void dot(QPointF centre, double size, QRgb colour, bool round) override;
    void ellipse(QPointF centre, double radiusX, double radiusY, QRgb colour,
                 double width) override;
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
    // Dots of one kind on one row, `step` apart.
    struct DotRow {
        QPointF first;
        double step = 0;
        int count = 0;
        double size = 0;
        QRgb colour = 0;
        bool round = false;
    };
    bool extendsRow(QPointF centre, double size, QRgb colour, bool round) const;
    void gatherRow();
    QPainterPath& pathFor(const Ink& ink);
    // Draws every mark gathered so far: before anything else is drawn, and at the end.
    void drawGathered();
    void drawPath();

    QPainter& m_painter;
    double m_imageInset; // points
    std::vector<std::pair<QImage, QSizeF>> m_images;
    DotRow m_row;
    QPainterPath m_path;
    Ink m_ink;
};
