#include "cli/command_arguments.h"
#include "cli/commands.h"

#include "picture/open_picture.h"
#include "picture/picture_output.h"
#include "picture/texture_filters.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QTextStream>

int runPictureCommand(const QStringList& words, QTextStream& out, QTextStream& err) {
    CommandArguments args;
    const QStringList switches = {QStringLiteral("grayscale"), QStringLiteral("lighten"),
                                  QStringLiteral("strong-lighten")};
    if (Failure error = parseCommandArguments(words, {QStringLiteral("output")}, args, switches);
        error.failed()) {
        err << error.message() << "\n";
        return ExitUsage;
    }
    if (args.positional.size() != 1) {
        err << "picture needs exactly one picture file.\n";
        return ExitUsage;
    }
    const std::optional<QString> output = args.last(QStringLiteral("output"));
    if (output) {
        const QString suffix = QFileInfo(*output).suffix().toLower();
        if (suffix != u"png" && suffix != u"bmp") {
            err << *output << ": the output must end in .png or .bmp.\n";
            return ExitUsage;
        }
    }

    // Opened as the window opens the texture, the switches standing for its check boxes; with
    // none of them, that is as the window opens the placed picture.
    const DecodedPicture decoded =
        loadTexture(args.positional.first(), args.switches.contains(switches[0]),
                    args.switches.contains(switches[1]), args.switches.contains(switches[2]));
    if (!decoded.ok()) {
        err << decoded.error << "\n";
        return ExitFailure;
    }
    if (!decoded.incomplete.isEmpty())
        err << "Warning: The picture \"" << unquotedFileName(args.positional.first())
            << "\" is incomplete. " << decoded.incomplete << "\n";
    if (output) {
        if (const Failure failure = writePicture(decoded.picture, *output); failure.failed()) {
            err << failure.message() << "\n";
            return ExitFailure;
        }
    }
    out << QJsonDocument(describePicture(decoded)).toJson(QJsonDocument::Indented);
    return ExitSuccess;
}
