#pragma once

#include "output/page_to_draw.h"

class QPainter;

// Draws `page` on the printer or PDF writer that `painter` is active on, in the device's
// pixels. Whatever the surface held back has been sent when it returns, so that the painter
// can go on to the next page or end.
void drawPageOnPagedDevice(QPainter& painter, const PageToDraw& page);
