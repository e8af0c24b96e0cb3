#pragma once

#include "picture/decoded_picture.h"

// Reads a PCX file from its bytes: 1 bit; 2 to 4 planes of 1 bit (the 16-colour EGA kind, with
// the palette of its header); 4 bits in one plane; 8 bits with the 256-colour palette at the
// end; 24 bits as 3 (or 4) planes of 8. A file cut short opens with the rows it has.
DecodedPicture readPcx(QByteArrayView file, const PictureLimits& limits = {},
                       const PictureProgress& progress = {});

// Whether the bytes begin like a PCX header.
bool looksLikePcx(QByteArrayView file);
