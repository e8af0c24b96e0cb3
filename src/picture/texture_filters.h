#pragma once

#include "picture/decoded_picture.h"

// The filters that make a background texture grey and light. Each changes the record in
// place; a copy held elsewhere keeps its pixels.

// A 1-, 4- or 8-bit picture becomes 24 bits: a 1-bit pixel 0 black and any other value white,
// whatever the picture's two colours are; 4 and 8 bits through the palette. A 24-bit picture,
// or one whose new pixels cannot be allocated, stays as it is.
void DibToTrueColor(PictureRecord& dib);
// Each pixel of a 24-bit picture becomes the grey (30 red + 59 green + 11 blue) div 100.
void DibGrayScale(PictureRecord& dib);
// Each byte c of a 24-bit picture becomes 255 - (255 - c) div 4.
void DibLighten(PictureRecord& dib);
// Each byte c of a 24-bit picture becomes 255 - (255 - c) div 8.
void DibStrongLight(PictureRecord& dib);

// The texture as the page uses it: opened, then, if grey or lighten is on, made 24 bits, grey
// if asked, and lightened, strongly if asked. Strong lightening acts only with lighten.
DecodedPicture loadTexture(const QString& fileName, bool grayScale, bool lighten, bool strongLight,
                           const PictureLimits& limits = {}, const PictureProgress& progress = {});
// The filtering of loadTexture, on the picture read from `fileName`.
DecodedPicture filterTexture(DecodedPicture texture, const QString& fileName, bool grayScale,
                             bool lighten, bool strongLight, const PictureLimits& limits = {});
