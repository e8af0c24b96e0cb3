#pragma once

#include "render/page_scale.h"
#include "render/surface.h"

struct PageDesign;

// Where the ruling of a page goes: the columns its horizontal lines cover, and on a grid the
// step of the running sum, from -D/2, that lies on the left edge, where columns are counted
// from.
struct RulingSpan {
    int fillLeft = 0;
    int fillRight = 0;
    int leftColumnStep = 0;
};

// The ruling in the surface's pen mode, each line and dot its own drawing operation.
void drawRuledLines(Surface& surface, const PageScale& scale, const PageDesign& design,
                    const RulingSpan& span);
void drawGrid(Surface& surface, const PageScale& scale, const PageDesign& design,
              const RulingSpan& span);
void drawDotGrid(Surface& surface, const PageScale& scale, const PageDesign& design,
                 const RulingSpan& span);
