#pragma once

#include "picture/decoded_picture.h"

#include <QStringList>

struct PageDesign;

// The two pictures a design names, opened as the window opens them: the placed picture from
// its file name as typed, the texture from its own, filtered with the texture's visibility
// options. The window and the headless verbs share these, so that both see the same page.
DecodedPicture openPlacedPicture(const PageDesign& design, const PictureProgress& progress = {});
DecodedPicture openTexturePicture(const PageDesign& design, const PictureProgress& progress = {});

// Opens both into the records given. Returns, for each picture whose file name names
// something that cannot be opened, why (a sentence naming the file); an empty name asks for no
// picture. A picture that fails leaves its record empty, and the page is drawn without it.
QStringList openDesignPictures(const PageDesign& design, PictureRecord& texture,
                               PictureRecord& picture);
