#include "cli/command_arguments.h"
#include "cli/commands.h"
#include "cli/printing/command_line.h"
#include "cli/printing/print_commands.h"

#include "picture/open_picture.h"
#include "printing/current_printer.h"
#include "viewer/picture_print_geometry.h"
#include "viewer/picture_print_job.h"

#include <QFile>
#include <QTextStream>

namespace {

// A percentage of the printable area's side, as the dialog's spin edits allow it.
std::optional<int> percentOption(const CommandArguments& args, const QString& name,
                                 QString& error) {
    const std::optional<QString> text = args.last(name);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const int percent = text->trimmed().toInt(&ok);
    if (!ok || percent < kLeastPercent || percent > kMostPercent)
        error = QStringLiteral("--%1 needs a whole number from %2 to %3.")
                    .arg(name)
                    .arg(kLeastPercent)
                    .arg(kMostPercent);
    return percent;
}

// The dialog's choices from the words; the height of a picture that keeps its proportions is
// derived later, when the picture and the printer are known. Fails with the usage error.
Failure readChoice(const CommandArguments& args, PicturePrintChoice& choice,
                   bool& heightFollowsWidth) {
    const auto given = [&](const char* name) {
        return args.switches.contains(QLatin1String(name));
    };
    if (given("keep-aspect") && given("stretch"))
        return Failure::because(
            QStringLiteral("Give either --keep-aspect or --stretch, not both."));
    if (given("centered") && given("top-left"))
        return Failure::because(QStringLiteral("Give either --centered or --top-left, not both."));
    choice.keepAspectRatio = !given("stretch");
    choice.centered = !given("top-left");

    QString error;
    const std::optional<int> width = percentOption(args, QStringLiteral("width"), error);
    const std::optional<int> height = percentOption(args, QStringLiteral("height"), error);
    if (!error.isEmpty())
        return Failure::because(error);
    if (height && !width)
        return Failure::because(QStringLiteral("--height needs --width as well."));
    if (choice.keepAspectRatio && height)
        return Failure::because(
            QStringLiteral("With the aspect ratio kept, give --width alone: the height "
                           "follows from it. Add --stretch to give both."));
    if (!choice.keepAspectRatio && width && !height)
        return Failure::because(
            QStringLiteral("With --stretch, give --height as well as --width."));
    if (width) {
        choice.useFullPage = false;
        choice.widthPercent = *width;
        choice.heightPercent = height.value_or(*width);
    }
    heightFollowsWidth = width && choice.keepAspectRatio;
    return Failure::none();
}

} // namespace

int runPrintPictureCommand(const QStringList& words, QTextStream& out, QTextStream& err) {
    Q_UNUSED(out);
    CommandArguments args;
    const QStringList switches = {QStringLiteral("keep-aspect"), QStringLiteral("stretch"),
                                  QStringLiteral("centered"), QStringLiteral("top-left")};
    if (Failure error = parseCommandArguments(
            words, {QStringLiteral("printer"), QStringLiteral("width"), QStringLiteral("height")},
            args, switches);
        error.failed()) {
        err << error.message() << "\n";
        return ExitUsage;
    }
    if (args.positional.size() != 1) {
        err << "print-picture needs exactly one picture file.\n";
        return ExitUsage;
    }
    PicturePrintChoice choice;
    bool heightFollowsWidth = false;
    if (Failure error = readChoice(args, choice, heightFollowsWidth); error.failed()) {
        err << error.message() << "\n";
        return ExitUsage;
    }

    const DecodedPicture decoded = OpenDib(args.positional.first());
    if (!decoded.ok()) {
        err << decoded.error << "\n";
        return ExitFailure;
    }
    CurrentPrinter printer;
    if (const std::optional<QString> name = args.last(QStringLiteral("printer"))) {
        if (Failure error = printer.selectPrinter(*name); error.failed()) {
            err << error.message() << "\n";
            return ExitFailure;
        }
    }
    if (heightFollowsWidth) {
        const PictureRecord& dib = decoded.picture;
        if (const std::optional<PrintPercents> percents = proportionalPercents(
                PercentSide::Width, choice.widthPercent, QSize(DibWidth(dib), DibHeight(dib)),
                printer.page().printableArea)) {
            choice.widthPercent = percents->width;
            choice.heightPercent = percents->height;
        }
    }
    // A JPEG read whole may go to the printer as it is; one that ends early is completed by our
    // decoder in its own way, which only its pixels show.
    QByteArray jpegFile;
    if (decoded.format == PictureFormat::Jpeg && decoded.incomplete.isEmpty()) {
        QFile file(unquotedFileName(args.positional.first()));
        if (file.open(QIODevice::ReadOnly))
            jpegFile = file.readAll();
    }
    return reportPrint(printer, printPicture(printer, decoded.picture, choice, jpegFile), err);
}
