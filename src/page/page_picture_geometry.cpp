#include "page/page_picture_geometry.h"

#include "picture/picture_record.h"
#include "render/page_scale.h"

PixelSize aspectFit(PixelSize box, qint64 dibWidth, qint64 dibHeight) {
    if (dibWidth <= 0 || dibHeight <= 0)
        return {};
    PixelSize fitted{box.width, dibHeight * box.width / dibWidth};
    if (fitted.height > box.height)
        fitted = {dibWidth * box.height / dibHeight, box.height};
    return fitted;
}

PixelSize textureTileSize(const PageScale& scale, const PageDesign::Texture& design,
                          const PictureRecord& texture) {
    const PixelSize box{scale.MmToX(design.widthMm), scale.MmToX(design.heightMm)};
    return design.keepAspect ? aspectFit(box, DibWidth(texture), DibHeight(texture)) : box;
}

DibRect placedPictureRect(const PageScale& scale, const PageDesign::Picture& design,
                          const PictureRecord& picture) {
    DibRect r{scale.MmToX(design.xMm), scale.MmToX(design.yMm), scale.MmToX(design.widthMm),
              scale.MmToX(design.heightMm)};
    if (design.keepAspect) {
        const PixelSize fitted =
            aspectFit({r.width, r.height}, DibWidth(picture), DibHeight(picture));
        r.width = fitted.width;
        r.height = fitted.height;
    }
    switch (design.corner) {
    case PictureCorner::obenrechts:
        r.x = scale.SurfaceWidth - r.x - r.width;
        break;
    case PictureCorner::untenlinks:
        r.y = scale.SurfaceHeight - r.y - r.height;
        break;
    case PictureCorner::untenrechts:
        r.x = scale.SurfaceWidth - r.x - r.width;
        r.y = scale.SurfaceHeight - r.y - r.height;
        break;
    case PictureCorner::obenlinks:
        break;
    }
    return r;
}
