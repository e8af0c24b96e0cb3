#pragma once

#include "render/page_scale.h"
#include "settings/page_design.h"

// `design` with its spacings in whole pixels of `scale`, which has no zoom: the line, grid and
// slant spacings and the guide offsets. The first ruled line moves onto a pixel's centre, and
// a grid's spacing is a whole number of pixels plus a sliver too small to reach the next
// pixel on the page, so that truncating a position never lands a line a pixel early: every
// line lies the same number of pixels below the one before it. On a screen without greys
// every line then looks the same. Spacings that draw nothing (zero, negative) stay as they are.
PageDesign snappedToPixels(const PageDesign& design, const PageScale& scale);
