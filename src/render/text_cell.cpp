#include "render/text_cell.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace {

// `font` at a size the font engines measure right, and the factor that brings it back.
struct ShapedFont {
    QFont font;
    qreal scale = 1;
};

ShapedFont shapedFont(const QFont& font) {
    if (font.pixelSize() <= kLargestShapedPixels)
        return {font};
    ShapedFont shaped{font, qreal(font.pixelSize()) / kLargestShapedPixels};
    shaped.font.setPixelSize(kLargestShapedPixels);
    return shaped;
}

} // namespace

int textCellHeight(const QFont& font, const QPaintDevice* device) {
    const ShapedFont shaped = shapedFont(font);
    if (shaped.scale == 1)
        return QFontMetrics(font, device).height();
    return int(std::lround(QFontMetricsF(shaped.font, device).height() * shaped.scale));
}

int textCellWidth(const QFont& font, const QPaintDevice* device, const QString& text) {
    const ShapedFont shaped = shapedFont(font);
    if (shaped.scale == 1)
        return QFontMetrics(font, device).horizontalAdvance(text);
    return int(
        std::lround(QFontMetricsF(shaped.font, device).horizontalAdvance(text) * shaped.scale));
}

int textCellAscent(const QFont& font, const QPaintDevice* device) {
    const ShapedFont shaped = shapedFont(font);
    if (shaped.scale == 1)
        return QFontMetrics(font, device).ascent();
    return int(std::lround(QFontMetricsF(shaped.font, device).ascent() * shaped.scale));
}

void drawTextCell(QPainter& painter, QPoint topLeft, const QFont& font, const QString& text) {
    const ShapedFont shaped = shapedFont(font);
    painter.setFont(shaped.font);
    if (shaped.scale == 1) {
        painter.drawText(topLeft.x(), topLeft.y() + QFontMetrics(font, painter.device()).ascent(),
                         text);
        return;
    }
    painter.save();
    painter.translate(topLeft);
    painter.scale(shaped.scale, shaped.scale);
    painter.drawText(QPointF(0, QFontMetricsF(shaped.font, painter.device()).ascent()), text);
    painter.restore();
}
