#pragma once

#include "output/page_to_draw.h"
#include "output/vector_canvas.h"

#include <optional>

struct PageScale;

// The named paper a printed page of `scale` was drawn for, in tenths of a millimetre as it
// lies: the page has that paper's pixels at its resolution.
std::optional<QSize> paperOfPage(const PageScale& scale);
// The sheet of a vector page in points. A page for a named paper has that paper's exact size,
// at any resolution: its pixels, cut to whole ones, fall short of it by up to a pixel, which
// the paper still has and a print shop measures. Any other page has the size of its pixels.
// What is drawn lies as on the pixels from the top left either way.
QSizeF vectorSheetPoints(const PageScale& scale);

// Draws `page` on `canvas` as vector graphics: white paper over the whole sheet, the background
// pictures, every line and dot at its exact place, then the placed picture and the free text. Lines
// merged with the texture by XOR or NOT have no vector form: the areas they cover go out as
// pictures of their finished pixels at the page's resolution, as a printer is sent them.
void drawVectorPage(VectorCanvas& canvas, const PageToDraw& page);
