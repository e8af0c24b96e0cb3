#include "render/painter_surface.h"

#include "render/image_surface.h"
#include "render/text_cell.h"

#include <QPainter>

#include <algorithm>

namespace {

// A merged area goes out in strips of at most this many pixels (16 MB while drawn), so that a
// wide fill in XOR at 1200 dpi does not need a picture of its whole size at once.
constexpr qint64 kMaxStripPixels = qint64(4) << 20;

// How far inside its outer pixels an image's edges are placed, in device pixels. Rasterisers
// count a pixel that an edge only touches in different ways: one that stretches an image over
// every pixel it touches draws it a pixel wider and resamples it. With the edges inside, every
// rule gives the same pixels, and each pixel's centre still samples its own picture pixel.
// Print servers rewrite the PDF with six significant digits, which moves an edge of an A4 page
// by up to a twentieth of a pixel at 1200 dpi: the inset is well beyond that.
constexpr qreal kImageInset = 1.0 / 8;

QImage inRgb32(const QImage& image) {
    return image.format() == QImage::Format_RGB32 ? image
                                                  : image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

PainterSurface::PainterSurface(QPainter& painter) : m_painter(painter) {
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter.setRenderHint(QPainter::LosslessImageRendering, true);
}

PainterSurface::~PainterSurface() {
    sendMerged();
}

QRect PainterSurface::clipRect() const {
    const QPaintDevice* device = m_painter.device();
    const QRect whole(0, 0, device->width(), device->height());
    return m_painter.hasClipping() ? whole.intersected(m_painter.clipBoundingRect().toAlignedRect())
                                   : whole;
}

void PainterSurface::sendImage(QPoint at, const QImage& pixels) {
    m_painter.drawImage(QRectF(at.x() + kImageInset, at.y() + kImageInset,
                               pixels.width() - 2 * kImageInset, pixels.height() - 2 * kImageInset),
                        pixels);
}

void PainterSurface::drawImage(QPoint at, const QImage& pixels) {
    if (pixels.isNull())
        return;
    sendMerged();
    m_drawn.push_back({QRect(at, pixels.size()), inRgb32(pixels)});
    sendImage(at, pixels);
}

void PainterSurface::drawTiled(const QRect& area, const QImage& tile) {
    const QRect visible = area.intersected(clipRect());
    if (visible.isEmpty() || tile.isNull())
        return;
    sendMerged();
    m_drawn.push_back({area, inRgb32(tile), true});
    // The very image given is sent for every whole tile: a PDF keeps one copy of it, also for
    // the next page when the caller keeps its tile.
    std::vector<QImage> cuts;
    forEachTile(area, visible, tile.size(), [&](const QRect& place) {
        if (place.size() == tile.size()) {
            sendImage(place.topLeft(), tile);
            return;
        }
        auto cut = std::find_if(cuts.begin(), cuts.end(),
                                [&](const QImage& c) { return c.size() == place.size(); });
        if (cut == cuts.end())
            cut = cuts.insert(cuts.end(), tile.copy(QRect(QPoint(0, 0), place.size())));
        sendImage(place.topLeft(), *cut);
    });
}

int PainterSurface::textHeight(const QFont& font) const {
    return textCellHeight(font, m_painter.device());
}

// Text is not remembered: it is the last thing on a page, and no line merges with it.
void PainterSurface::textOut(QPoint topLeft, const QFont& font, QRgb color, const QString& text) {
    sendMerged();
    m_painter.setPen(QColor::fromRgb(color));
    drawTextCell(m_painter, topLeft, font, text);
}

void PainterSurface::fillArea(const QRect& area, QRgb color, PenMode mode) {
    const QRect visible = area.intersected(clipRect());
    if (visible.isEmpty())
        return;
    if (mode != PenMode::Copy) {
        m_drawn.push_back({visible, QImage(), false, color, mode});
        m_held.push_back(visible);
        return;
    }
    sendMerged();
    m_drawn.push_back({visible, QImage(), false, color, mode});
    m_painter.fillRect(visible, QColor::fromRgb(color | 0xff000000u));
}

void PainterSurface::sendMerged() {
    if (m_held.empty())
        return;
    const std::vector<QRect> held = std::move(m_held);
    m_held.clear();
    for (const QRect& area : held) {
        const int stripRows =
            int(std::clamp<qint64>(kMaxStripPixels / area.width(), 1, area.height()));
        for (int top = area.top(); top <= area.bottom(); top += stripRows) {
            const QRect strip(area.left(), top, area.width(),
                              std::min(stripRows, area.bottom() + 1 - top));
            ImageSurface merged(strip.size(), strip.topLeft());
            replay(merged, strip);
            sendImage(strip.topLeft(), merged.image());
        }
    }
}

void PainterSurface::replay(Surface& target, const QRect& area) const {
    for (const Drawn& drawn : m_drawn) {
        if (!drawn.area.intersects(area))
            continue;
        if (drawn.image.isNull())
            target.fill(drawn.area, drawn.color, drawn.mode);
        else if (drawn.tiled)
            target.drawTiled(drawn.area, drawn.image);
        else
            target.drawImage(drawn.area.topLeft(), drawn.image);
    }
}
