#pragma once

#include "output/vector_canvas.h"

// Passes everything drawn on to another canvas, moved `dx` points to the right: a page drawn
// into a part of a larger one.
class ShiftedCanvas : public VectorCanvas {
  public:
    ShiftedCanvas(VectorCanvas& canvas, double dx) : m_canvas(canvas), m_dx(dx) {}

    void line(const QLineF& line, const VectorPen& pen) override {
        m_canvas.line(line.translated(m_dx, 0), pen);
    }
    void fillRect(const QRectF& rect, QRgb colour) override {
        m_canvas.fillRect(rect.translated(m_dx, 0), colour);
    }
    void dot(QPointF centre, double size, QRgb colour, bool round) override {
        m_canvas.dot(centre + QPointF(m_dx, 0), size, colour, round);
    }
    void ellipse(QPointF centre, double radiusX, double radiusY, QRgb colour,
                 double width) override {
        m_canvas.ellipse(centre + QPointF(m_dx, 0), radiusX, radiusY, colour, width);
    }
    int addImage(const QImage& pixels, QSizeF size) override {
        return m_canvas.addImage(pixels, size);
    }
    void drawImage(int image, QPointF topLeft) override {
        m_canvas.drawImage(image, topLeft + QPointF(m_dx, 0));
    }
    void clip(const QRectF& rect) override { m_canvas.clip(rect.translated(m_dx, 0)); }
    void unclip() override { m_canvas.unclip(); }
    void text(QPointF baseline, const QFont& font, double em, QRgb colour,
              const QString& text) override {
        m_canvas.text(baseline + QPointF(m_dx, 0), font, em, colour, text);
    }

  private:
    VectorCanvas& m_canvas;
    double m_dx;
};
