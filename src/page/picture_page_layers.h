#pragma once

#include "page/draw_page.h"
#include "picture/scaled_picture_cache.h"

class PictureRecord;

// What a page carries besides its lines: the background texture tiled under them, whose merge
// choice sets how the lines meet it; the placed picture at its corner, the free text and the
// page's number over them. The records belong to the caller and may be replaced between paints:
// each is looked at afresh, and its stretched copy is remade only when the picture or its size
// changed.
class PicturePageLayers : public PageLayers {
  public:
    PicturePageLayers(const PictureRecord& texture, const PictureRecord& picture);

    PenMode drawBackground(Surface& surface, const PageScale& scale,
                           const PageDesign& design) const override;
    void drawForeground(Surface& surface, const PageScale& scale, const PageDesign& design,
                        int leftEdgeX) const override;

  private:
    const PictureRecord& m_texture;
    const PictureRecord& m_picture;
    mutable ScaledPictureCache m_tile;
    mutable ScaledPictureCache m_placed;
};
