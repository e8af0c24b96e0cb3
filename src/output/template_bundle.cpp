#include "output/template_bundle.h"

#include "base/safe_file_set.h"
#include "output/device_page.h"
#include "output/output_formats.h"
#include "output/whole_file.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// One of the icons the tablet has built in, the one of a plain page: a template cannot bring
// its own.
const QString kPlainPageIcon = QStringLiteral("\ue9fe");

QByteArray templateListEntry(const QString& name, bool landscape) {
    QJsonObject entry{
        {QStringLiteral("name"), name},
        // The tablet adds the suffix of the file it shows.
        {QStringLiteral("filename"), name},
        {QStringLiteral("iconCode"), kPlainPageIcon},
        {QStringLiteral("categories"), QJsonArray{QStringLiteral("Custom")}},
    };
    // The tablet turns its screen for a template that says so; without it, a landscape page
    // is shown upright and squeezed.
    if (landscape)
        entry.insert(QStringLiteral("landscape"), true);
    return QJsonDocument(QJsonObject{{QStringLiteral("templates"), QJsonArray{entry}}})
        .toJson(QJsonDocument::Indented);
}

} // namespace

std::optional<QString> templateNameProblem(const QString& name) {
    // A byte of the file name that is not UTF-8 reaches here as a lone surrogate, which JSON
    // can only write as an escape that strict readers refuse.
    if (QStringView(name).isValidUtf16())
        return std::nullopt;
    return QStringLiteral("The template would be named \"%1\" after the design's file name, "
                          "which is not UTF-8, and the tablet's list of templates holds only "
                          "UTF-8; rename the design to write its bundle.")
        .arg(name);
}

std::optional<QString> writeTemplateBundle(const QString& dir, const QString& name,
                                           const DevicePage& page, const PageDesign& design,
                                           const PageLayers& layers, PngCompression compression) {
    if (auto problem = templateNameProblem(name))
        return problem;
    if (!QDir().mkpath(dir))
        return dir + QStringLiteral(": the folder could not be made.");
    const QDir folder(dir);
    SafeFileSet files;
    QString staged;
    for (const OutputFormat& format : outputFormats()) {
        if (format.tablets != TabletUse::GreyPage && format.tablets != TabletUse::InBundle)
            continue;
        const QString path = folder.filePath(name + u'.' + format.suffixes.first());
        if (auto error = files.stage(path, staged))
            return error;
        if (auto error = writeDevicePage(format, staged, page, design, layers, {}, compression))
            return path + QStringLiteral(": ") + *error;
    }
    const QString list = folder.filePath(QStringLiteral("templates.json"));
    if (auto error = files.stage(list, staged))
        return error;
    if (auto error = writeWholeFile(staged, templateListEntry(name, page.landscape)))
        return list + QStringLiteral(": ") + *error;
    return files.commit();
}
