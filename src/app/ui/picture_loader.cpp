#include "app/ui/picture_loader.h"

#include "page/design_pictures.h"
#include "picture/open_picture.h"
#include "printing/application.h"
#include "settings/paper_settings.h"
#include "settings/scoped_value.h"

#include <QFileInfo>

#include <utility>

namespace {

// What the file-name field shows of a load: why the picture cannot be opened, or that it lacks
// a part. While a name is typed it passes through nothing and through folders, which fail
// quietly; in a design just opened every name is meant, and a missing file is a failure too.
QString shownFailure(const QString& typedName, const DecodedPicture& opened, bool wholeDesign) {
    if (opened.ok())
        return opened.incomplete;
    const QString fileName = unquotedFileName(typedName);
    if (wholeDesign)
        return fileName.trimmed().isEmpty() ? QString() : opened.error;
    const QFileInfo file(fileName);
    return file.exists() && !file.isDir() ? opened.error : QString();
}

// The name a picture whose file is not there goes by in the note, or an empty string.
QString missingName(const PaperSettings& settings, Setting fileName, const PictureRecord& loaded) {
    const QString name = unquotedFileName(settings.text(fileName));
    if (!loaded.isEmpty() || name.trimmed().isEmpty() || QFileInfo::exists(name))
        return {};
    return (fileName == Setting::FilenameEdit1 ? QStringLiteral("the picture \"%1\"")
                                               : QStringLiteral("the background texture \"%1\""))
        .arg(name);
}

} // namespace

PictureLoader::PictureLoader(Application& app, QObject* parent) : QObject(parent), m_app(app) {
    connect(&app.settings, &PaperSettings::changed, this, &PictureLoader::settingChanged);
}

Failure PictureLoader::replaceDesign(const std::function<Failure()>& apply) {
    Failure failure;
    {
        const ScopedValue held(m_held, true);
        failure = apply();
    }
    if (failure.failed())
        return failure;
    load(Setting::FilenameEdit1, true);
    load(Setting::FilenameEdit2, true);
    QStringList missing;
    for (const Setting fileName : {Setting::FilenameEdit1, Setting::FilenameEdit2}) {
        if (const QString name = missingName(m_app.settings, fileName, record(fileName));
            !name.isEmpty())
            missing << name;
    }
    QString note;
    if (!missing.isEmpty()) {
        note = missing.join(QStringLiteral(" and "));
        note = note.front().toUpper() + note.mid(1) +
               (missing.size() == 1 ? QStringLiteral(" was not found.")
                                    : QStringLiteral(" were not found."));
    }
    m_noteShown = !note.isEmpty();
    emit designPicturesMissing(note);
    return Failure::none();
}

const PictureRecord& PictureLoader::record(Setting fileName) const {
    return fileName == Setting::FilenameEdit1 ? m_app.loaded.PictureDib : m_app.loaded.TextureDib;
}

void PictureLoader::settingChanged(Setting setting) {
    if (m_held)
        return;
    switch (setting) {
    case Setting::FilenameEdit1:
    case Setting::FilenameEdit2:
        // The note speaks of the names the design came with.
        if (std::exchange(m_noteShown, false))
            emit designPicturesMissing(QString());
        load(setting, false);
        break;
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
    load(Setting::FilenameEdit1, false);
}

void PictureLoader::FilenameEdit2Change() {
    load(Setting::FilenameEdit2, false);
}

void PictureLoader::load(Setting fileName, bool wholeDesign) {
    const QString name = m_app.settings.text(fileName);
    PictureRecord& record =
        fileName == Setting::FilenameEdit1 ? m_app.loaded.PictureDib : m_app.loaded.TextureDib;
    // The old picture goes first, so that its memory is free for the new one.
    record = {};
    const PictureProgress report = [this](int percent) { emit progress(percent); };
    DecodedPicture opened = fileName == Setting::FilenameEdit1
                                ? openPlacedPicture(pageDesignOf(m_app.settings), report)
                                : openTexturePicture(pageDesignOf(m_app.settings), report);
    const QString failure = shownFailure(name, opened, wholeDesign);
    record = std::move(opened.picture);
    emit loaded(fileName, failure);
}
