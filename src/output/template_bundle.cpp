#include "output/template_bundle.h"

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

QByteArray templateListEntry(const QString& name) {
    const QJsonObject entry{
        {QStringLiteral("name"), name},
        // The tablet adds the suffix of the file it shows.
        {QStringLiteral("filename"), name},
        {QStringLiteral("iconCode"), kPlainPageIcon},
        {QStringLiteral("categories"), QJsonArray{QStringLiteral("Custom")}},
    };
    return QJsonDocument(QJsonObject{{QStringLiteral("templates"), QJsonArray{entry}}})
        .toJson(QJsonDocument::Indented);
}

} // namespace

std::optional<QString> writeTemplateBundle(const QString& dir, const QString& name,
                                           const DevicePage& page, const PageDesign& design,
                                           const PageLayers& layers, PngCompression compression) {
    const QDir folder(dir);
    for (const char* suffix : {"png", "svg"}) {
        const QString path = folder.filePath(name + u'.' + QLatin1String(suffix));
        const OutputFormat& format = *outputFormatWithSuffix(QLatin1String(suffix));
        if (auto error = writeDevicePage(format, path, page, design, layers, {}, compression))
            return path + QStringLiteral(": ") + *error;
    }
    const QString list = folder.filePath(QStringLiteral("templates.json"));
    if (auto error = writeWholeFile(list, templateListEntry(name)))
        return list + QStringLiteral(": ") + *error;
    return std::nullopt;
}
