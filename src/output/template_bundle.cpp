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

Failure templateNameProblem(const QString& name) {
    // A byte of the file name that is not UTF-8 reaches here as a lone surrogate, which JSON
    // can only write as an escape that strict readers refuse.
    if (QStringView(name).isValidUtf16())
        return Failure::none();
    return Failure::because(
        QStringLiteral("The template would be named \"%1\" after the design's file name, "
                       "which is not UTF-8, and the tablet's list of templates holds only "
                       "UTF-8; rename the design to write its bundle.")
            .arg(name));
}

Failure writeTemplateBundle(const QString& dir, const QString& name, const DevicePage& page,
                            const PageDesign& design, const PageLayers& layers,
                            PngCompression compression) {
    if (Failure problem = templateNameProblem(name); problem.failed())
        return problem;
    if (!QDir().mkpath(dir))
        return Failure::because(dir + QStringLiteral(": the folder could not be made."));
    const QDir folder(dir);
    SafeFileSet files;
    QString staged;
    for (const OutputFormat& format : outputFormats()) {
        if (format.tablets != TabletUse::GreyPage && format.tablets != TabletUse::InBundle)
            continue;
        const QString path = folder.filePath(name + u'.' + format.suffixes.first());
        if (Failure error = files.stage(path, staged); error.failed())
            return error;
        if (Failure error = writeDevicePage(format, staged, page, design, layers, {}, compression);
            error.failed())
            return error.within(path);
    }
    const QString list = folder.filePath(QStringLiteral("templates.json"));
    if (Failure error = files.stage(list, staged); error.failed())
        return error;
    if (Failure error = writeWholeFile(staged, templateListEntry(name, page.landscape));
        error.failed())
        return error.within(list);
    return files.commit();
}
