#pragma once

#include "render/surface.h"

#include <QImage>

// The obvious way to carry out each operation: every pixel of its area, one after the other,
// at the moment it is drawn. ImageSurface batches rows, copies alike rows, streams large
// images past the cache and repeats tiles row by row; whatever path it takes must give these
// pixels. Text is not drawn: no test compares it pixel for pixel.
class PlainSurface : public Surface {
  public:
    PlainSurface(QSize size, QPoint origin)
        : m_image(size, QImage::Format_RGB32), m_origin(origin) {
        m_image.fill(0xffffffffu);
    }
    const QImage& image() const { return m_image; }

    QRect clipRect() const override { return QRect(m_origin, m_image.size()); }
    void drawImage(QPoint at, const QImage& pixels) override {
        for (int y = 0; y < pixels.height(); ++y) {
            for (int x = 0; x < pixels.width(); ++x)
                fillArea(QRect(at.x() + x, at.y() + y, 1, 1), pixels.pixel(x, y), PenMode::Copy);
        }
    }
    int textHeight(const QFont&) const override { return 0; }
    void textOut(QPoint, const QFont&, QRgb, const QString&) override {}

  protected:
    void fillArea(const QRect& area, QRgb color, PenMode mode) override {
        const QRect clipped = area.translated(-m_origin).intersected(m_image.rect());
        for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
            for (int x = clipped.left(); x <= clipped.right(); ++x) {
                const QRgb old = m_image.pixel(x, y);
                const QRgb now = mode == PenMode::Copy  ? color
                                 : mode == PenMode::Xor ? old ^ (color & 0xffffff)
                                                        : old ^ 0xffffff;
                m_image.setPixel(x, y, now | 0xff000000u);
            }
        }
    }

  private:
    QImage m_image;
    QPoint m_origin;
};
