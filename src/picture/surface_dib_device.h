#pragma once

#include "picture/dib_device.h"
#include "picture/draw_dib.h"

class Surface;

// DrawDib's view of one of our surfaces. Every stretch samples by the one rule, on screens,
// images and printers alike, and reaches the surface as pictures sent one to one, in bands:
// no printer or PDF viewer resamples them, and a page-sized picture never exists at once.
class SurfaceDibDevice : public DibDevice {
  public:
    explicit SurfaceDibDevice(Surface& surface, int displayBitsPerPixel = ScreenBitsPerPixel());

    bool isPrinter() const override;
    int displayBitsPerPixel() const override { return m_displayBitsPerPixel; }
    QRect clipRect() const override;
    bool setDIBitsToDevice(QPoint at, const QImage& pixels) override;
    bool stretchDIBits(const DibRect& dest, const PictureRecord& dib,
                       const DibRect& source) override;
    bool hasDibToDevice() const override { return true; }
    std::unique_ptr<DeviceBitmap> createCompatibleBitmap(QSize size) override;

  private:
    Surface& m_surface;
    int m_displayBitsPerPixel;
};
