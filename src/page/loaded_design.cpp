#include "page/loaded_design.h"

#include "page/design_pictures.h"
#include "picture/open_picture.h"

// The records are made before the layers, which only keep references to them.
LoadedDesign::LoadedDesign() : design(newPageDesign()), m_layers(ownLayers()) {}

QStringList LoadedDesign::open(const PageDesign& opened) {
    design = opened;
    QStringList failures;
    const auto take = [&](const QString& fileName, DecodedPicture picture, PictureRecord& record) {
        if (!picture.ok() && !unquotedFileName(fileName).trimmed().isEmpty())
            failures << picture.error;
        record = std::move(picture.picture);
    };
    take(design.texture.fileName, openTexturePicture(design), TextureDib);
    take(design.picture.fileName, openPlacedPicture(design), PictureDib);
    return failures;
}

PicturePageLayers LoadedDesign::ownLayers() const {
    return PicturePageLayers(TextureDib, PictureDib);
}
