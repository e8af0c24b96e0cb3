#include "picture/page_picture_geometry.h"

#include "picture/picture_record.h"
#include "render/page_scale.h"
#include "settings/paper_settings.h"

namespace {

// A length in centimetres as its field will hold it, in pixels of the horizontal scale.
qint64 centimetresToPixels(const PageScale& scale, const PaperSettings& settings, Setting s) {
    const RealField& field = settings.field(s);
    return scale.MmToX(field.clamp(field.value()) * 10);
}

} // namespace

PixelSize aspectFit(PixelSize box, qint64 dibWidth, qint64 dibHeight) {
    if (dibWidth <= 0 || dibHeight <= 0)
        return {};
    PixelSize fitted{box.width, dibHeight * box.width / dibWidth};
    if (fitted.height > box.height)
        fitted = {dibWidth * box.height / dibHeight, box.height};
    return fitted;
}

PixelSize textureTileSize(const PageScale& scale, const PaperSettings& settings,
                          const PictureRecord& texture) {
    const PixelSize box{centimetresToPixels(scale, settings, Setting::BreitEd2),
                        centimetresToPixels(scale, settings, Setting::HochEd2)};
    return settings.flag(Setting::SVerh2Check)
               ? aspectFit(box, DibWidth(texture), DibHeight(texture))
               : box;
}

DibRect placedPictureRect(const PageScale& scale, const PaperSettings& settings,
                          const PictureRecord& picture) {
    DibRect r{centimetresToPixels(scale, settings, Setting::PosXEd),
              centimetresToPixels(scale, settings, Setting::PosYEd),
              centimetresToPixels(scale, settings, Setting::BreitEd),
              centimetresToPixels(scale, settings, Setting::HochEd)};
    if (settings.flag(Setting::SVerhCheck)) {
        const PixelSize fitted =
            aspectFit({r.width, r.height}, DibWidth(picture), DibHeight(picture));
        r.width = fitted.width;
        r.height = fitted.height;
    }
    switch (settings.pictureCorner()) {
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
