#include "cli/command_arguments.h"
#include "cli/commands.h"
#include "cli/design_file.h"
#include "cli/printing/command_line.h"
#include "cli/printing/print_commands.h"
#include "printing/application.h"

#include "calibration/calibration.h"
#include "output/notebook_pages.h"
#include "printing/current_printer.h"
#include "printing/print_job.h"
#include "render/device_scales.h"

#include <QTextStream>

namespace {

constexpr int kMaxCopies = 999;

// The printer the command names, else the system's default, as the window starts with.
Failure choosePrinter(const CommandArguments& args, CurrentPrinter& printer) {
    const std::optional<QString> name = args.last("printer");
    if (!name)
        return Failure::none();
    return printer.selectPrinter(*name);
}

} // namespace

int reportPrint(const CurrentPrinter& printer, const Failure& failure, QTextStream& err) {
    if (failure.failed()) {
        err << failure.message() << "\n";
        return ExitFailure;
    }
    if (const std::optional<QString> notice = printer.heldJobNotice())
        err << "Warning: " << *notice << "\n";
    return ExitSuccess;
}

int runPrintCommand(const QStringList& words, QTextStream& out, QTextStream& err) {
    Q_UNUSED(out);
    CommandArguments args;
    if (Failure error = parseCommandArguments(words, {"printer", "copies", "pages"}, args);
        error.failed()) {
        err << error.message() << "\n";
        return ExitUsage;
    }
    if (args.positional.size() > 1) {
        err << "print takes at most one design file.\n";
        return ExitUsage;
    }
    bool ok = true;
    const int copies = args.last("copies").value_or("1").trimmed().toInt(&ok);
    if (!ok || copies < 1 || copies > kMaxCopies) {
        err << "--copies needs a whole number from 1 to " << kMaxCopies << ".\n";
        return ExitUsage;
    }
    const int pages = args.last("pages").value_or("1").trimmed().toInt(&ok);
    if (!ok || pages < 1 || pages > kMaxNotebookPages) {
        err << "--pages needs a whole number from 1 to " << kMaxNotebookPages << ".\n";
        return ExitUsage;
    }

    Application models;
    if (const Failure failure = openDesignFile(args.positional.value(0), models.loaded, err,
                                               PageWithoutPicture::Printed);
        failure.failed()) {
        err << failure.message() << "\n";
        return ExitFailure;
    }
    if (const Failure failure = choosePrinter(args, models.printer); failure.failed()) {
        err << failure.message() << "\n";
        return ExitFailure;
    }
    models.followPrinterCalibration();
    models.onCalibrationDamage(
        [&err](const QString& damage) { err << "Warning: " << damage << "\n"; });
    const PageScale scale = printScale(models.printer.page(), models.calibration.forPage());
    return reportPrint(models.printer,
                       printDesign(models.printer,
                                   {scale, models.loaded.design, models.loaded.layers()}, copies,
                                   pages),
                       err);
}

int runPrintTestCommand(const QStringList& words, QTextStream& out, QTextStream& err) {
    Q_UNUSED(out);
    CommandArguments args;
    if (Failure error = parseCommandArguments(words, {"printer"}, args); error.failed()) {
        err << error.message() << "\n";
        return ExitUsage;
    }
    if (!args.positional.isEmpty()) {
        err << "print-test takes no file.\n";
        return ExitUsage;
    }
    CurrentPrinter printer;
    if (const Failure failure = choosePrinter(args, printer); failure.failed()) {
        err << failure.message() << "\n";
        return ExitFailure;
    }
    return reportPrint(printer, printTestRectangle(printer), err);
}
