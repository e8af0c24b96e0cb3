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

  protected:
    void fillArea(const QRect& area, QRgb color, PenMode mode) override;

  private:
    QPainter& m_painter;
};
