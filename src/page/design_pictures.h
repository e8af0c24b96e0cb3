#pragma once

#include "picture/decoded_picture.h"

struct PageDesign;

// The two pictures a design names, opened as the window opens them: the placed picture from
// its file name as typed, the texture from its own, filtered with the texture's visibility
// options. The window and the headless verbs share these, so that both see the same page.
DecodedPicture openPlacedPicture(const PageDesign& design, const PictureProgress& progress = {});
DecodedPicture openTexturePicture(const PageDesign& design, const PictureProgress& progress = {});
