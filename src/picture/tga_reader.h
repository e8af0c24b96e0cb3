#pragma once

#include "picture/decoded_picture.h"

// Reads a TGA file from its bytes: colour-mapped (types 1 and 9), true colour (2 and 10) and
// grey (3 and 11) pictures, raw or run-length encoded; 8, 15, 16, 24 and 32 bits; colour maps
// of 15, 16, 24 and 32 bits; either origin, with or without the footer of the newer files.
// Alpha counted by the header is laid over white.
DecodedPicture readTga(QByteArrayView file, const PictureLimits& limits = {},
                       const PictureProgress& progress = {});

// TGA has no signature: whether the header is consistent in itself and with the file's size,
// which is how a file that no other reader knows is recognised as TGA. A consistent header of
// a picture too large for `limits` is recognised too, so that the refusal says why.
bool looksLikeTga(QByteArrayView file, const PictureLimits& limits = {});
