#include "picture/painter_dib_device.h"

#include "picture/picture_record.h"

#include <QPainter>

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

bool PainterDibDevice::stretchDIBits(const DibRect& dest, const PictureRecord& dib,
                                     const DibRect& source) {
    // The source counts its rows from the bottom; the image from the top.
    const qint64 top = DibHeight(dib) - source.y - source.height;
    m_painter.drawImage(QRectF(dest.x, dest.y, dest.width, dest.height), dib.image(),
                        QRectF(source.x, top, source.width, source.height));
    return true;
}
