#include "cli/command_arguments.h"
#include "cli/commands.h"

#include "document/document_file.h"
#include "settings/paper_settings.h"
#include "settings/presets.h"
#include "settings/setting_names.h"

#include <QJsonDocument>
#include <QTextStream>

std::optional<QString> loadDesign(const QString& designPath, PaperSettings& settings) {
    if (designPath.isEmpty()) {
        settings.resetToNew();
        return std::nullopt;
    }
    // The document's messages name the file themselves.
    return openDocument(settings, designPath);
}

int runShowCommand(const QStringList& words, QTextStream& out, QTextStream& err) {
    CommandArguments args;
    if (auto error = parseCommandArguments(words, {}, args)) {
        err << *error << "\n";
        return ExitUsage;
    }
    if (args.positional.size() != 1) {
        err << "show needs exactly one design file.\n";
        return ExitUsage;
    }
    PaperSettings settings;
    if (auto error = loadDesign(args.positional.first(), settings)) {
        err << *error << "\n";
        return ExitFailure;
    }
    out << QJsonDocument(settingsToJson(settings)).toJson(QJsonDocument::Indented);
    return ExitSuccess;
}

int runSaveCommand(const QStringList& words, QTextStream& out, QTextStream& err) {
    Q_UNUSED(out);
    CommandArguments args;
    if (auto error =
            parseCommandArguments(words, {QStringLiteral("set"), QStringLiteral("preset")}, args)) {
        err << *error << "\n";
        return ExitUsage;
    }
    if (args.positional.isEmpty() || args.positional.size() > 2) {
        err << "save needs an output file, after an optional design file.\n";
        return ExitUsage;
    }
    const QString designPath = args.positional.size() == 2 ? args.positional.first() : QString();
    const QString outputPath = args.positional.last();

    PaperSettings settings;
    if (auto error = loadDesign(designPath, settings)) {
        err << *error << "\n";
        return ExitFailure;
    }
    // The preset first, so that --set can change what it gives.
    if (const std::optional<QString> preset = args.last(QStringLiteral("preset"))) {
        if (auto error = applyPreset(settings, *preset)) {
            err << *error << "\n";
            return ExitUsage;
        }
    }
    for (const QString& assignment : args.all(QStringLiteral("set"))) {
        const qsizetype equals = assignment.indexOf(u'=');
        if (equals <= 0) {
            err << "--set needs NAME=VALUE, not \"" << assignment << "\".\n";
            return ExitUsage;
        }
        if (auto error =
                assignSetting(settings, assignment.left(equals), assignment.mid(equals + 1))) {
            err << *error << "\n";
            return ExitUsage;
        }
    }
    if (auto error = saveDocument(settings, outputPath)) {
        err << *error << "\n";
        return ExitFailure;
    }
    return ExitSuccess;
}
