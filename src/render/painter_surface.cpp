#include "render/painter_surface.h"

#include "render/image_bands.h"
#include "render/image_surface.h"
#include "render/merged_pieces.h"
#include "render/text_cell.h"

#include <QPainter>

#include <algorithm>

namespace {

// A merged piece goes out in strips of at most this many pixels (16 MB while drawn), so that a
// wide fill in XOR at 1200 dpi does not need a picture of its whole size at once.
constexpr qint64 kMaxStripPixels = qint64(4) << 20;

// What was drawn is looked up by bands of this many rows: a piece replays only what reaches its
// bands, a few rows of dots rather than the whole page.
constexpr int kBandRows = 64;

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
    m_bands.resize(size_t(bandOf(std::max(m_painter.device()->height() - 1, 0)) + 1));
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
    sendBands(at, imageBands(pixels), pixels.height());
}

// Each band is placed as a picture of its own, its edges inset like any other: the bands
// abut, and every device pixel still samples its own picture pixel.
void PainterSurface::sendBands(QPoint at, const std::vector<QImage>& bands, int rows) {
    const int bottom = at.y() + rows;
    int top = at.y();
    for (const QImage& band : bands) {
        if (top >= bottom)
            break;
        m_painter.drawImage(QRectF(at.x() + kImageInset, top + kImageInset,
                                   band.width() - 2 * kImageInset, band.height() - 2 * kImageInset),
                            band);
        top += band.height();
    }
}

void PainterSurface::drawImage(QPoint at, const QImage& pixels) {
    if (pixels.isNull())
        return;
    sendMerged();
    const QRect place(at, pixels.size());
    remember({place, inRgb32(pixels), Kind::Image}, place.intersected(clipRect()));
    sendImage(at, pixels);
}

void PainterSurface::drawTiled(const QRect& area, const QImage& tile) {
    const QRect visible = area.intersected(clipRect());
    if (visible.isEmpty() || tile.isNull())
        return;
    sendMerged();
    remember({area, inRgb32(tile), Kind::Tiles}, visible);
    // The very bands are sent for every tile: a PDF keeps one copy of them. A tile of one band
    // is the image given, which a PDF also knows again on the next page when the caller keeps
    // its tile. A tile cut by the area's sides is the whole tile clipped, rather than a cut copy
    // that would be one more picture to compress and keep.
    const std::vector<QImage> bands = imageBands(tile);
    forEachTile(area, visible, tile.size(), [&](const QRect& place) {
        if (place.size() == tile.size()) {
            sendBands(place.topLeft(), bands, place.height());
            return;
        }
        m_painter.save();
        // Inset like an image's edges, so that every rasteriser keeps the same pixels.
        m_painter.setClipRect(
            QRectF(place).adjusted(kImageInset, kImageInset, -kImageInset, -kImageInset),
            Qt::IntersectClip);
        sendBands(place.topLeft(), bands, place.height());
        m_painter.restore();
    });
}

int PainterSurface::textHeight(const QFont& font) const {
    return textCellHeight(font, m_painter.device());
}

int PainterSurface::textWidth(const QFont& font, const QString& text) const {
    return textCellWidth(font, m_painter.device(), text);
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
        remember({visible, QImage(), Kind::Fill, color, mode}, visible);
        m_held.push_back(visible);
        return;
    }
    sendMerged();
    remember({visible, QImage(), Kind::Fill, color, mode}, visible);
    m_painter.fillRect(visible, QColor::fromRgb(color | 0xff000000u));
}

void PainterSurface::fillRoundArea(const QRect& square, QRgb color, PenMode mode) {
    const QRect visible = square.intersected(clipRect());
    if (visible.isEmpty())
        return;
    if (mode == PenMode::Copy && !m_dotsOverlap) {
        m_dotsOverlap = square.intersects(m_lastDot);
        m_lastDot = square;
        if (!m_dotsOverlap) {
            Surface::fillRoundArea(square, color, mode); // sharp rectangles
            return;
        }
    }
    remember({square, QImage(), Kind::RoundDot, color, mode}, visible);
    m_held.push_back(visible);
}

int PainterSurface::bandOf(int y) {
    return y / kBandRows; // rows of the device, never negative
}

void PainterSurface::remember(Drawn drawn, const QRect& reach) {
    if (reach.isEmpty())
        return; // nothing that is merged later can lie under it
    const size_t index = m_drawn.size();
    m_drawn.push_back(std::move(drawn));
    for (int band = bandOf(reach.top()); band <= bandOf(reach.bottom()); ++band)
        m_bands[size_t(band)].push_back(index);
}

void PainterSurface::sendMerged() {
    if (m_held.empty())
        return;
    const std::vector<QRect> pieces = coverWithPieces(m_held);
    m_held.clear();
    for (const QRect& piece : pieces) {
        const int stripRows =
            int(std::clamp<qint64>(kMaxStripPixels / piece.width(), 1, piece.height()));
        for (int top = piece.top(); top <= piece.bottom(); top += stripRows) {
            const QRect strip(piece.left(), top, piece.width(),
                              std::min(stripRows, piece.bottom() + 1 - top));
            ImageSurface merged(strip.size(), strip.topLeft());
            for (size_t index : drawnReaching(strip))
                replay(merged, m_drawn[index]);
            sendImage(strip.topLeft(), merged.image());
        }
    }
}

std::vector<size_t> PainterSurface::drawnReaching(const QRect& area) const {
    std::vector<size_t> found;
    for (int band = bandOf(area.top()); band <= bandOf(area.bottom()); ++band) {
        for (size_t index : m_bands[size_t(band)]) {
            if (m_drawn[index].area.intersects(area))
                found.push_back(index);
        }
    }
    if (bandOf(area.top()) != bandOf(area.bottom())) { // an operation may reach several bands
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
    }
    return found;
}

void PainterSurface::replay(Surface& target, const Drawn& drawn) {
    switch (drawn.kind) {
    case Kind::Fill:
        target.fill(drawn.area, drawn.color, drawn.mode);
        break;
    case Kind::RoundDot:
        target.fillRound(drawn.area, drawn.color, drawn.mode);
        break;
    case Kind::Image:
        target.drawImage(drawn.area.topLeft(), drawn.image);
        break;
    case Kind::Tiles:
        target.drawTiled(drawn.area, drawn.image);
        break;
    }
}
