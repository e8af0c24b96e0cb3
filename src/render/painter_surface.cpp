#include "render/painter_surface.h"

#include <QPainter>

PainterSurface::PainterSurface(QPainter& painter) : m_painter(painter) {
    m_painter.setRenderHint(QPainter::Antialiasing, false);
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
