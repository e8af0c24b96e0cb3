#include "cli/command_arguments.h"
#include "cli/commands.h"

#include "document/document_file.h"
#include "settings/paper_settings.h"
#include "settings/presets.h"
#include "settings/setting_names.h"

#include <QJsonDocument>
#include <QTextStream>

Failure loadDesign(const QString& designPath, PaperSettings& settings) {
    if (designPath.isEmpty()) {
        settings.resetToNew();
        return Failure::none();
    }
    // The document's messages name the file themselves.
    return openDocument(settings, designPath);
}

int runShowCommand(const QStringList& words, QTextStream& out, QTextStream& err) {
    CommandArguments args;
    if (Failure error = parseCommandArguments(words, {}, args); error.failed()) {
        err << error.message() << "\n";
        return ExitUsage;
    }
    if (args.positional.size() != 1) {
        err << "show needs exactly one design file.\n";
        return ExitUsage;
    }
    PaperSettings settings;
    if (Failure error = loadDesign(args.positional.first(), settings); error.failed()) {
        err << error.message() << "\n";
        return ExitFailure;
    }
    out << QJsonDocument(settingsToJson(settings)).toJson(QJsonDocument::Indented);
    return ExitSuccess;
}

int runSaveCommand(const QStringList& words, QTextStream& out, QTextStream& err) {
    Q_UNUSED(out);
    CommandArguments args;
    if (Failure error =
            parseCommandArguments(words, {QStringLiteral("set"), QStringLiteral("preset")}, args);
        error.failed()) {
        err << error.message() << "\n";
        return ExitUsage;
    }
    if (args.positional.isEmpty() || args.positional.size() > 2) {
        err << "save needs an output file, after an optional design file.\n";
        return ExitUsage;
    }
    const QString designPath = args.positional.size() == 2 ? args.positional.first() : QString();
    const QString outputPath = args.positional.last();

    PaperSettings settings;
    if (Failure error = loadDesign(designPath, settings); error.failed()) {
        err << error.message() << "\n";
        return ExitFailure;
    }
    // The preset first, so that --set can change what it gives.
    if (const std::optional<QString> preset = args.last(QStringLiteral("preset"))) {
        if (Failure error = applyPreset(settings, *preset); error.failed()) {
            err << error.message() << "\n";
            return ExitUsage;
        }
    }
    for (const QString& assignment : args.all(QStringLiteral("set"))) {
        const qsizetype equals = assignment.indexOf(u'=');
        if (equals <= 0) {
            err << "--set needs NAME=VALUE, not \"" << assignment << "\".\n";
            return ExitUsage;
        }
        if (Failure error =
                assignSetting(settings, assignment.left(equals), assignment.mid(equals + 1));
            error.failed()) {
            err << error.message() << "\n";
            return ExitUsage;
        }
    }
    if (Failure error = saveDocument(settings, outputPath); error.failed()) {
        err << error.message() << "\n";
        return ExitFailure;
    }
    return ExitSuccess;
}
