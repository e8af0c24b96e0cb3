#include "picture/painter_dib_device.h"

#include "picture/picture_record.h"
#include "render/image_bands.h"

#include <QPainter>

#include <algorithm>

PainterDibDevice::PainterDibDevice(QPainter& painter) : m_painter(painter) {
    // Each picture pixel becomes a sharp block on the paper, and no lossy compression
    // changes its colours on the way.
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter.setRenderHint(QPainter::LosslessImageRendering, true);
}

QRect PainterDibDevice::clipRect() const {
    const QPaintDevice* device = m_painter.device();
    return QRect(0, 0, device->width(), device->height());
}

bool PainterDibDevice::setDIBitsToDevice(QPoint at, const QImage& pixels) {
    m_painter.drawImage(at, pixels);
    return true;
}

// The picture goes out in bands of rows, so that the printer's engine never converts the whole
// of it at once. Every band's place follows from the one scale of the whole stretch, and each
// but the last reaches one picture row into the next, which the next paints over with the same
// row: however a rasteriser rounds the edges, no seam of paper shows between them.
bool PainterDibDevice::stretchDIBits(const DibRect& dest, const PictureRecord& dib,
                                     const DibRect& source) {
    // The source counts its rows from the bottom; the image from the top.
    const qint64 top = DibHeight(dib) - source.y - source.height;
    const double rowHeight = double(dest.height) / double(source.height);
    const auto deviceY = [&](qint64 row) { return double(dest.y) + double(row) * rowHeight; };
    const qint64 rows = rowsPerBand(source.width);
    for (qint64 first = 0; first < source.height; first += rows) {
        const qint64 end = std::min(first + rows + 1, source.height);
        m_painter.drawImage(
            QRectF(dest.x, deviceY(first), dest.width, deviceY(end) - deviceY(first)), dib.image(),
            QRectF(source.x, top + first, source.width, end - first));
    }
    return true;
}
