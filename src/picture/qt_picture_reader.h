#pragma once

#include "picture/decoded_picture.h"

class QIODevice;

// Decodes the picture of `format`, one of those Qt reads, from `device` (positioned at its
// start) with Qt's reader for that format alone, so that nothing else Qt could read is let
// through, reporting how far into the device it has read.
DecodedPicture readWithQt(QIODevice& device, PictureFormat format, const PictureLimits& limits,
                          const PictureProgress& progress);

// The record of an image Qt decoded, in the depth the file stores and with the file's pixel
// values: `header` is the file's first bytes, which tell the depths Qt does not keep (4-bit
// BMP, 2- and 4-bit PNG palettes) and the order of a 1-bit BMP's two colours.
PictureRecord recordFromQtImage(QImage image, PictureFormat format, QByteArrayView header);
