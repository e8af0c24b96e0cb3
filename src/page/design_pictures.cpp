#include "page/design_pictures.h"

#include "picture/open_picture.h"
#include "picture/texture_filters.h"
#include "settings/page_design.h"

DecodedPicture openPlacedPicture(const PageDesign& design, const PictureProgress& progress) {
    return OpenDib(design.picture.fileName, {}, progress);
}

DecodedPicture openTexturePicture(const PageDesign& design, const PictureProgress& progress) {
    const PageDesign::Texture& t = design.texture;
    return loadTexture(t.fileName, t.grayScale, t.lighten, t.strongLight, {}, progress);
}
