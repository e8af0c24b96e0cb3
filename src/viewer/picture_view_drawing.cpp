#include "viewer/picture_view_drawing.h"

#include "picture/dib_sampling.h"
#include "picture/draw_dib.h"
#include "picture/surface_dib_device.h"
#include "render/image_surface.h"

void drawPictureView(QImage& scratch, QPoint origin, const PictureRecord& dib,
                     const ZoomedSize& box, QPoint scroll, int displayBitsPerPixel) {
    if (dib.isEmpty())
        return;
    // View coordinates; the paint box lies at minus the scroll offset.
    const DibRect dest{-scroll.x(), -scroll.y(), box.width, box.height};
    const DibRect whole{0, 0, DibWidth(dib), DibHeight(dib)};
    // At 100 % every way of drawing but the dither copies the picture's pixels as they are, so
    // its rows go straight into the view: no row buffer, no column table.
    const bool oneToOne = box.width == whole.width && box.height == whole.height;
    if (oneToOne &&
        chooseDibPath(DibBitCount(dib), false, displayBitsPerPixel, true) != DibPath::Halftone) {
        copyRowsOneToOne(dib, dest, visiblePart(dest, QRect(origin, scratch.size())), scratch,
                         origin);
        return;
    }
    ImageSurface surface(std::move(scratch), origin);
    SurfaceDibDevice device(surface, displayBitsPerPixel);
    DrawDib(device, dest, dib, whole, true);
    scratch = surface.image();
}
