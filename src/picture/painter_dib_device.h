#pragma once

#include "picture/dib_device.h"

class QPainter;

// DrawDib's view of a printer for a picture printed alone on a page. The picture goes out at
// its own resolution, placed exactly on the destination's device pixels, and the printer's
// rasteriser stretches it, as a printer driver stretches a picture it is sent: a page-sized
// picture at 1200 dpi never exists, and the job stays about as large as the picture.
// (A page's tiles and pictures must meet its lines and each other exactly; they go through
// SurfaceDibDevice at the device's resolution instead.)
class PainterDibDevice : public DibDevice {
  public:
    explicit PainterDibDevice(QPainter& painter);

    bool isPrinter() const override { return true; }
    // A printer has no display; the picture is not dithered for one.
    int displayBitsPerPixel() const override { return 32; }
    QRect clipRect() const override;
    bool setDIBitsToDevice(QPoint at, const QImage& pixels) override;
    bool stretchDIBits(const DibRect& dest, const PictureRecord& dib,
                       const DibRect& source) override;
    bool hasDibToDevice() const override { return true; }
    // Never needed: the printer takes every stretch.
    std::unique_ptr<DeviceBitmap> createCompatibleBitmap(QSize) override { return nullptr; }

  private:
    QPainter& m_painter;
};
