#include "picture/design_pictures.h"

#include "picture/open_picture.h"
#include "picture/texture_filters.h"
#include "settings/paper_settings.h"

DecodedPicture openPlacedPicture(const PaperSettings& settings, const PictureProgress& progress) {
    return OpenDib(settings.text(Setting::FilenameEdit1), {}, progress);
}

DecodedPicture openTexturePicture(const PaperSettings& settings, const PictureProgress& progress) {
    return loadTexture(settings.text(Setting::FilenameEdit2),
                       settings.flag(Setting::GrayScaleCheck), settings.flag(Setting::LightenCheck),
                       settings.flag(Setting::StrongLightCheck), {}, progress);
}

QStringList openDesignPictures(const PaperSettings& settings, PictureRecord& texture,
                               PictureRecord& picture) {
    QStringList failures;
    const auto open = [&](Setting fileName, DecodedPicture opened, PictureRecord& record) {
        if (!opened.ok() && !unquotedFileName(settings.text(fileName)).trimmed().isEmpty())
            failures << opened.error;
        record = std::move(opened.picture);
    };
    open(Setting::FilenameEdit2, openTexturePicture(settings), texture);
    open(Setting::FilenameEdit1, openPlacedPicture(settings), picture);
    return failures;
}
