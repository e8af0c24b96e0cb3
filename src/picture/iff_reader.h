#pragma once

#include "picture/decoded_picture.h"

// Reads an IFF picture from its bytes: ILBM of 1 to 8 planes with its colour map, extra
// half-bright and hold-and-modify pictures (the latter decoded to 24 bits), 24 planes, a mask
// plane skipped; and the chunky PBM kind. ByteRun1 or uncompressed; unknown chunks skipped.
DecodedPicture readIff(QByteArrayView file, const PictureLimits& limits = {},
                       const PictureProgress& progress = {});

// Whether the bytes begin as an IFF picture (a FORM of ILBM or PBM).
bool looksLikeIff(QByteArrayView file);
