#pragma once

#include "render/surface.h"

class QPainter;

// A surface on any paint device (a printer, a PDF), whose painter works in device pixels.
// Each operation in copy mode becomes one sharp, unblended rectangle, so what reaches the paper
// lies on exactly the pixels that an image surface of the same size shows. XOR and NOT combine
// with what the device already shows, which only raster devices can do: printers and PDFs
// ignore them, so a page whose lines merge with a background must reach them as a picture.
class PainterSurface : public Surface {
  public:
    explicit PainterSurface(QPainter& painter);

    QRect clipRect() const override;
    bool isPrinter() const override { return true; }
    // Pictures are sent at one device pixel per picture pixel and without lossy compression,
    // so that no printer or PDF viewer resamples them.
    void drawImage(QPoint at, const QImage& pixels) override;
    int textHeight(const QFont& font) const override;
    // Text goes out as text, not as pixels.
    void textOut(QPoint topLeft, const QFont& font, QRgb color, const QString& text) override;

  protected:
    void fillArea(const QRect& area, QRgb color, PenMode mode) override;

  private:
    QPainter& m_painter;
};
