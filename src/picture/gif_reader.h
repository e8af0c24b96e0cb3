#pragma once

#include "picture/decoded_picture.h"

// Reads the first picture of a GIF file (87a or 89a) from its bytes as 8-bit palette indices on
// its logical screen. Colours come out as the program has always shown GIFs: transparent
// pixels as white (or as their own colour when the whole screen is transparent), the palette
// made of the colours the screen shows, in the order they first appear. A file cut short
// opens with the rows it has.
DecodedPicture readGif(QByteArrayView file, const PictureLimits& limits = {},
                       const PictureProgress& progress = {});
