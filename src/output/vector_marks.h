#pragma once

#include "output/vector_canvas.h"
#include "render/page_marks.h"

// Where the marks of a page of `scale` lie in points: the printable area of its pixels, with
// every length through the calibration's millimetres per inch and without their rounding.
class VectorPlacement {
  public:
    explicit VectorPlacement(const PageScale& scale);

    QSizeF pageSize() const { return m_page; }
    double x(MarkCoordinate x) const;
    double y(MarkCoordinate y) const;
    double alongX(double mm) const { return mm * m_pointsPerMmX; }
    double alongY(double mm) const { return mm * m_pointsPerMmY; }
    // A pen's width or a dot's size; as on pixels, 0 counts as one device pixel.
    double width(double points) const;
    double fromPixels(double pixels) const { return pixels * m_pointsPerPixel; }

  private:
    QSizeF m_page;
    double m_pointsPerMmX;
    double m_pointsPerMmY;
    double m_zoom;
    double m_pointsPerPixel;
};

// Draws the marks on a vector canvas at their exact places. Where a ruling stops is still
// decided on the pixels of the scale, by the ruling itself, so both outputs show the same page.
class VectorMarks : public MarkSink {
  public:
    VectorMarks(VectorCanvas& canvas, const PageScale& scale)
        : m_canvas(canvas), m_scale(scale), m_place(scale) {}

    void line(const LineMark& mark) override;
    void slantedLine(const SlantedLineMark& mark) override;
    void dot(const DotMark& mark) override;
    void circle(const CircleMark& mark) override;

  private:
    VectorCanvas& m_canvas;
    const PageScale& m_scale;
    VectorPlacement m_place;
};
