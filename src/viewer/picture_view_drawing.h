#pragma once

#include "picture/picture_record.h"
#include "viewer/picture_view_geometry.h"

#include <QImage>
#include <QPoint>

// Draws what the viewer shows of its paint box (the picture zoomed to `box`, scrolled by
// `scroll`) into `scratch`, whose top-left pixel is view pixel `origin`, for a display of
// `displayBitsPerPixel`. Pixels of `scratch` outside the paint box are left as they are.
void drawPictureView(QImage& scratch, QPoint origin, const PictureRecord& dib,
                     const ZoomedSize& box, QPoint scroll, int displayBitsPerPixel);
