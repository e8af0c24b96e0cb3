#pragma once

#include "render/page_scale.h"
#include "render/surface.h"
#include "settings/real_field.h"

class PaperSettings;

// Where the ruling of a page goes: the columns its horizontal lines cover, and on a grid the
// step of the running sum, from -D/2, that lies on the left edge, where columns are counted
// from.
struct RulingSpan {
    int fillLeft = 0;
    int fillRight = 0;
    int leftColumnStep = 0;
};

// The ruling in the surface's pen mode, each line and dot its own drawing operation. The
// spacings are the fields' values as they will hold them once left.
void drawRuledLines(Surface& surface, const PageScale& scale, const PaperSettings& settings,
                    const RulingSpan& span);
void drawGrid(Surface& surface, const PageScale& scale, const PaperSettings& settings,
              const RulingSpan& span);
void drawDotGrid(Surface& surface, const PageScale& scale, const PaperSettings& settings,
                 const RulingSpan& span);

// A field's value as the field will hold it once it is left. While the user types, a field
// may read "-5" or "0"; drawn with such a spacing, the ruling would never reach the page's end.
double lengthOf(const RealField& field);
