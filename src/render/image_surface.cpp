#include "render/image_surface.h"

#include <algorithm>

namespace {

// Rows per band: a band of a 600-dpi A4 row width then fits in the second-level cache.
constexpr int kBandRows = 8;

void applyRow(quint32* row, int count, quint32 value, PenMode mode) {
    switch (mode) {
    case PenMode::Copy:
        std::fill_n(row, count, value);
        break;
    case PenMode::Xor:
    case PenMode::Not:
        for (int i = 0; i < count; ++i)
            row[i] ^= value;
        break;
    }
}

} // namespace

ImageSurface::ImageSurface(QSize size, QPoint origin)
    : m_image(size, QImage::Format_RGB32), m_origin(origin) {
    m_image.fill(0xffffffffu);
}

ImageSurface::ImageSurface(QImage image, QPoint origin)
    : m_image(image.format() == QImage::Format_RGB32
                  ? std::move(image)
                  : image.convertToFormat(QImage::Format_RGB32)),
      m_origin(origin) {
}

void ImageSurface::fillArea(const QRect& area, QRgb color, PenMode mode) {
    const QRect clipped = area.translated(-m_origin).intersected(m_image.rect());
    if (clipped.isEmpty())
        return;
    // RGB32 keeps its alpha byte at 0xff: XOR and NOT touch only the colour bytes.
    quint32 value = 0;
    switch (mode) {
    case PenMode::Copy:
        value = color | 0xff000000u;
        break;
    case PenMode::Xor:
        value = color & 0x00ffffffu;
        break;
    case PenMode::Not:
        value = 0x00ffffffu;
        break;
    }
    m_pending.push_back({clipped, value, mode});
}

const QImage& ImageSurface::image() {
    flush();
    return m_image;
}

void ImageSurface::flush() {
    if (m_pending.empty())
        return;
    const int height = m_image.height();
    const qsizetype stride = m_image.bytesPerLine() / 4;
    quint32* pixels = reinterpret_cast<quint32*>(m_image.bits());
    for (int bandTop = 0; bandTop < height; bandTop += kBandRows) {
        const int bandBottom = std::min(height, bandTop + kBandRows);
        for (const Operation& op : m_pending) {
            const int top = std::max(op.area.top(), bandTop);
            const int bottom = std::min(op.area.bottom() + 1, bandBottom);
            for (int y = top; y < bottom; ++y)
                applyRow(pixels + y * stride + op.area.left(), op.area.width(), op.value,
                         op.mode);
        }
    }
    m_pending.clear();
}
