#include "app/ui/picture_loader.h"

#include "app/application.h"
#include "picture/design_pictures.h"
#include "picture/open_picture.h"

#include <QFileInfo>

#include <utility>

namespace {

QString shownFailure(const QString& typedName, const DecodedPicture& opened) {
    if (opened.ok())
        return {};
    // On the way to a file's name, a name passes through nothing and through folders.
    const QFileInfo file(unquotedFileName(typedName));
    return file.exists() && !file.isDir() ? opened.error : QString();
}

} // namespace

PictureLoader::PictureLoader(Application& app, QObject* parent) : QObject(parent), m_app(app) {
    connect(&app.settings, &PaperSettings::changed, this, &PictureLoader::settingChanged);
}

std::optional<QString>
PictureLoader::replaceDesign(const std::function<std::optional<QString>()>& apply) {
    m_held = true;
    std::optional<QString> error = apply();
    m_held = false;
    if (!error) {
        FilenameEdit1Change();
        FilenameEdit2Change();
    }
    return error;
}

const PictureRecord& PictureLoader::record(Setting fileName) const {
    return fileName == Setting::FilenameEdit1 ? m_app.PictureDib : m_app.TextureDib;
}

void PictureLoader::settingChanged(Setting setting) {
    if (m_held)
        return;
    switch (setting) {
    case Setting::FilenameEdit1:
        FilenameEdit1Change();
        break;
    case Setting::FilenameEdit2:
    case Setting::GrayScaleCheck:
    case Setting::LightenCheck:
    case Setting::StrongLightCheck:
        FilenameEdit2Change();
        break;
    default:
        break;
    }
}

void PictureLoader::FilenameEdit1Change() {
    const QString name = m_app.settings.text(Setting::FilenameEdit1);
    // The old picture goes first, so that its memory is free for the new one.
    m_app.PictureDib = {};
    DecodedPicture opened =
        openPlacedPicture(m_app.settings, [this](int percent) { emit progress(percent); });
    m_app.PictureDib = std::move(opened.picture);
    emit loaded(Setting::FilenameEdit1, shownFailure(name, opened));
}

void PictureLoader::FilenameEdit2Change() {
    const QString name = m_app.settings.text(Setting::FilenameEdit2);
    m_app.TextureDib = {};
    DecodedPicture opened =
        openTexturePicture(m_app.settings, [this](int percent) { emit progress(percent); });
    m_app.TextureDib = std::move(opened.picture);
    emit loaded(Setting::FilenameEdit2, shownFailure(name, opened));
}
