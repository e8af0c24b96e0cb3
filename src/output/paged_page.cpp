#include "output/paged_page.h"

#include "page/draw_page.h"
#include "render/painter_surface.h"

void drawPageOnPagedDevice(QPainter& painter, const PageToDraw& page) {
    PainterSurface surface(painter); // sends the last merged lines as it goes
    DrawPage(surface, page.scale, page.design, page.layers);
}
