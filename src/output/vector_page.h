#pragma once

#include "output/page_to_draw.h"
#include "output/vector_canvas.h"

// Draws `page` on `canvas` as vector graphics: white paper, the background pictures, every
// line and dot at its exact place, then the placed picture and the free text. Lines merged
// with the texture by XOR or NOT have no vector form: the areas they cover go out as pictures
// of their finished pixels at the page's resolution, as a printer is sent them.
void drawVectorPage(VectorCanvas& canvas, const PageToDraw& page);
