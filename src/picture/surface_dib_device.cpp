#include "picture/surface_dib_device.h"

#include "picture/dib_sampling.h"
#include "render/surface.h"

namespace {

// Our surfaces keep pictures as they are sent, so a device bitmap is the picture itself.
class SurfaceBitmap : public DeviceBitmap {
  public:
    explicit SurfaceBitmap(SurfaceDibDevice& device) : m_device(device) {}

    bool setDIBits(const PictureRecord& dib) override {
        m_dib = dib;
        return true;
    }
    bool stretchBlt(const DibRect& dest, const DibRect& source) override {
        return m_device.stretchDIBits(dest, m_dib, source);
    }

  private:
    SurfaceDibDevice& m_device;
    PictureRecord m_dib;
};

} // namespace

SurfaceDibDevice::SurfaceDibDevice(Surface& surface, int displayBitsPerPixel)
    : m_surface(surface), m_displayBitsPerPixel(displayBitsPerPixel) {}

bool SurfaceDibDevice::isPrinter() const {
    return m_surface.isPrinter();
}

QRect SurfaceDibDevice::clipRect() const {
    return m_surface.clipRect();
}

bool SurfaceDibDevice::setDIBitsToDevice(QPoint at, const QImage& pixels) {
    m_surface.drawImage(at, pixels);
    return true;
}

bool SurfaceDibDevice::stretchDIBits(const DibRect& dest, const PictureRecord& dib,
                                     const DibRect& source) {
    return sampleBands(dib, dest, visiblePart(dest, clipRect()), stretchSampling(dib, dest, source),
                       [&](QPoint at, const QImage& band) { return setDIBitsToDevice(at, band); });
}

std::unique_ptr<DeviceBitmap> SurfaceDibDevice::createCompatibleBitmap(QSize) {
    return std::make_unique<SurfaceBitmap>(*this);
}
