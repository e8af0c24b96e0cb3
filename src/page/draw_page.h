#pragma once

#include "render/page_marks.h"
#include "render/page_scale.h"
#include "render/surface.h"

struct PageDesign;

// What a page carries besides its lines: the background under them, and what is drawn over
// them. A page without pictures or free text has neither, and its lines are drawn in copy
// mode.
class PageLayers {
  public:
    virtual ~PageLayers() = default;
    // Draws the background and returns the pen mode in which every line is then drawn.
    virtual PenMode drawBackground(Surface&, const PageScale&, const PageDesign&) const {
        return PenMode::Copy;
    }
    // Draws what lies over the lines, for the page's own design (designOfPage); `leftEdgeX` is
    // where the left edge line lies (or would).
    virtual void drawForeground(Surface&, const PageScale&, const PageDesign&,
                                int /*leftEdgeX*/) const {}
};

// Gives `marks` the ruling of the page, its edge lines and its punch holes, in drawing order,
// with the left edge moved onto the grid where the paper snaps to it; returns where the left
// edge lies. `design` is the page's own (designOfPage).
MarkCoordinate markPage(MarkSink& marks, const PageScale& scale, const PageDesign& design);

// Draws one whole page of writing paper, as `design` describes it, for `scale`, an even page of
// a mirrored notebook with its sides swapped. The surface may show any rectangle of the page;
// its pixels are those of the same rectangle of the whole page.
void DrawPage(Surface& surface, const PageScale& scale, const PageDesign& design,
              const PageLayers& layers = PageLayers());
