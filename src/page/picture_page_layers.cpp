#include "page/picture_page_layers.h"

#include "page/free_text.h"
#include "page/page_number.h"
#include "page/page_picture_geometry.h"
#include "picture/draw_dib.h"
#include "picture/surface_dib_device.h"
#include "settings/page_design.h"

#include <climits>

namespace {

PenMode lineModeFor(MergeMode merge) {
    switch (merge) {
    case MergeMode::Merge1Check:
        return PenMode::Xor;
    case MergeMode::Merge2Check:
        return PenMode::Not;
    case MergeMode::NOMergeCheck:
        break;
    }
    return PenMode::Copy;
}

DibRect wholePicture(const PictureRecord& dib) {
    return {0, 0, DibWidth(dib), DibHeight(dib)};
}

bool fitsInPixels(const PixelSize& size) {
    return size.width > 0 && size.height > 0 && size.width <= INT_MAX && size.height <= INT_MAX;
}

} // namespace

PicturePageLayers::PicturePageLayers(const PictureRecord& texture, const PictureRecord& picture)
    : m_texture(texture), m_picture(picture) {}

PenMode PicturePageLayers::drawBackground(Surface& surface, const PageScale& scale,
                                          const PageDesign& design) const {
    if (m_texture.isEmpty())
        return PenMode::Copy; // without a texture, no merge
    const PixelSize tile = textureTileSize(scale, design.texture, m_texture);
    // A tile of no pixels would never advance: it is not drawn, but the merge still applies.
    const QRect page(0, 0, scale.SurfaceWidth, scale.SurfaceHeight);
    if (fitsInPixels(tile) && surface.takesPicturesWhole()) {
        surface.drawStretchedTiles(page, QSize(int(tile.width), int(tile.height)),
                                   m_texture.image());
    } else if (fitsInPixels(tile)) {
        const QImage& scaled = m_tile.scaled(m_texture, QSize(int(tile.width), int(tile.height)));
        if (!scaled.isNull()) {
            surface.drawTiled(page, scaled);
        } else {
            // Too large to keep: each tile that reaches the visible part is drawn directly.
            SurfaceDibDevice device(surface);
            const QRect visible = page.intersected(surface.clipRect());
            for (qint64 y = visible.top() / tile.height * tile.height; y <= visible.bottom();
                 y += tile.height) {
                for (qint64 x = visible.left() / tile.width * tile.width; x <= visible.right();
                     x += tile.width)
                    DrawDib(device, {x, y, tile.width, tile.height}, m_texture,
                            wholePicture(m_texture), false);
            }
        }
    }
    return lineModeFor(design.texture.merge);
}

void PicturePageLayers::drawForeground(Surface& surface, const PageScale& scale,
                                       const PageDesign& design, int leftEdgeX) const {
    if (!m_picture.isEmpty()) {
        const DibRect box = placedPictureRect(scale, design.picture, m_picture);
        const bool keepable = fitsInPixels({box.width, box.height}) && box.x >= INT_MIN &&
                              box.x <= INT_MAX && box.y >= INT_MIN && box.y <= INT_MAX;
        const QImage* scaled =
            keepable && !surface.takesPicturesWhole()
                ? &m_placed.scaled(m_picture, QSize(int(box.width), int(box.height)))
                : nullptr;
        if (keepable && surface.takesPicturesWhole()) {
            surface.drawStretched(QRect(int(box.x), int(box.y), int(box.width), int(box.height)),
                                  m_picture.image());
        } else if (scaled && !scaled->isNull()) {
            surface.drawImage(QPoint(int(box.x), int(box.y)), *scaled);
        } else {
            SurfaceDibDevice device(surface);
            DrawDib(device, box, m_picture, wholePicture(m_picture), false);
        }
    }
    drawFreeText(surface, scale, design, leftEdgeX);
    drawPageNumber(surface, scale, design);
}
