#pragma once

#include "picture/dib_device.h"
#include "picture/picture_record.h"

#include <QString>

// The ways DrawDib can draw, chosen by the picture's depth, the device and the display.
enum class DibPath {
    Halftone, // a 24-bit picture dithered for a display of 256 colours or fewer
    Rows24,   // a 24-bit picture row by row onto a screen or an image
    Rows8,    // an 8-bit picture likewise
    Direct,   // the device stretches it: printers, 1- and 4-bit pictures
};

DibPath chooseDibPath(int bitCount, bool printer, int displayBitsPerPixel, bool halftone);

// A destination rectangle and the source rectangle stretched into it.
struct DibTransfer {
    DibRect dest;
    DibRect source; // rows counted from the picture's bottom

    bool operator==(const DibTransfer&) const = default;
};

// Clips the source to the picture, right, bottom, top, left in that order, and shrinks the
// destination in proportion (to nearest, halves to even), so that what remains of the
// picture stays where it would have been.
DibTransfer clipToPicture(DibTransfer transfer, qint64 dibWidth, qint64 dibHeight);

// Draws `source` of `dib` stretched into `dest` of `device`. Only the part of the destination
// inside the device's clip is drawn, with the pixels the whole destination would have there.
// `halftone` permits dithering for a display of few colours. Returns what the user must be
// told when the device refused every way of drawing, or an empty text.
QString DrawDib(DibDevice& device, const DibRect& dest, const PictureRecord& dib,
                const DibRect& source, bool halftone);

// The bits per pixel of the user's display (32 where there is none).
int ScreenBitsPerPixel();
