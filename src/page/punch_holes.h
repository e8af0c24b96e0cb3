#pragma once

#include "render/page_marks.h"

struct PageDesign;

// Where the punch of the design's pattern will make its holes, marked as hairline circles in the
// guides' colour: on the sheet's binding edge, which is the right one on a mirrored page.
void markPunchHoles(MarkSink& marks, const PageScale& scale, const PageDesign& design);
