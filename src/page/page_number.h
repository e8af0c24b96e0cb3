#pragma once

struct PageDesign;
struct PageScale;
class Surface;

// Writes the number of the page, where the design puts one, in the free text's font and colour.
// Its cell keeps the design's distance from the sheet's edge: its bottom above the bottom edge,
// or its top below the top edge; it is centred, or "outside": at the right side of an odd page
// and the left side of an even one, the same distance from that side.
void drawPageNumber(Surface& surface, const PageScale& scale, const PageDesign& design);
