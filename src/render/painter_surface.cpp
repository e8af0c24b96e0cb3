#include "render/painter_surface.h"

#include <QFontMetrics>
#include <QPainter>

PainterSurface::PainterSurface(QPainter& painter) : m_painter(painter) {
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter.setRenderHint(QPainter::LosslessImageRendering, true);
}

QRect PainterSurface::clipRect() const {
    const QPaintDevice* device = m_painter.device();
    const QRect whole(0, 0, device->width(), device->height());
    return m_painter.hasClipping() ? whole.intersected(m_painter.clipBoundingRect().toAlignedRect())
                                   : whole;
}

void PainterSurface::drawImage(QPoint at, const QImage& pixels) {
    m_painter.drawImage(at, pixels);
}

int PainterSurface::textHeight(const QFont& font) const {
    return QFontMetrics(font, m_painter.device()).height();
}

void PainterSurface::textOut(QPoint topLeft, const QFont& font, QRgb color, const QString& text) {
    m_painter.setFont(font);
    m_painter.setPen(QColor::fromRgb(color));
    m_painter.drawText(topLeft.x(), topLeft.y() + QFontMetrics(font, m_painter.device()).ascent(),
                       text);
}

void PainterSurface::fillArea(const QRect& area, QRgb color, PenMode mode) {
    switch (mode) {
    case PenMode::Copy:
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        m_painter.fillRect(area, QColor::fromRgb(color | 0xff000000u));
        return;
    case PenMode::Xor:
        m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        m_painter.fillRect(area, QColor::fromRgb(color | 0xff000000u));
        break;
    case PenMode::Not:
        m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        m_painter.fillRect(area, Qt::black);
        break;
    }
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}
