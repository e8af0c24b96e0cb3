#include "picture/scaled_picture_cache.h"

#include "picture/draw_dib.h"
#include "picture/surface_dib_device.h"
#include "render/image_surface.h"

namespace {

// A 5 cm tile at 1200 dpi takes 22 MB; a tile far beyond this comes only with a zoom that
// shows a small part of it.
constexpr qint64 kMaxKeptBytes = qint64(64) << 20;

} // namespace

const QImage& ScaledPictureCache::scaled(const PictureRecord& dib, QSize size) {
    const qint64 key = dib.image().cacheKey();
    if (key == m_pictureKey && size == m_size)
        return m_pixels;
    m_pictureKey = key;
    m_size = size;
    m_pixels = QImage();
    if (dib.isEmpty() || size.isEmpty() || qint64(size.width()) * size.height() * 4 > kMaxKeptBytes)
        return m_pixels;
    ImageSurface surface(QImage(size, QImage::Format_RGB32), QPoint(0, 0));
    SurfaceDibDevice device(surface);
    DrawDib(device, {0, 0, size.width(), size.height()}, dib, {0, 0, DibWidth(dib), DibHeight(dib)},
            false);
    m_pixels = surface.image();
    return m_pixels;
}
