#include "cli/printing/calibrate_command.h"

#include "cli/command_arguments.h"
#include "cli/commands.h"
#include "printing/application.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTextStream>

namespace {

// The options that set a calibration, each with its field, in the order they are named.
struct LengthOption {
    const char* name;
    RealField CalibrationSettings::*field;
};
constexpr LengthOption kLengthOptions[] = {
    {"left", &CalibrationSettings::LinksEd},
    {"top", &CalibrationSettings::ObenEd},
    {"width", &CalibrationSettings::BreitEd},
    {"height", &CalibrationSettings::HochEd},
};

QJsonObject describeCalibration(const QString& printer, const CalibrationSettings& calibration) {
    return {{"printer", printer},
            {"calibration", calibration.isPrintersOwn() ? "own" : "common"},
            {"left", calibration.LinksEd.value()},
            {"top", calibration.ObenEd.value()},
            {"width", calibration.BreitEd.value()},
            {"height", calibration.HochEd.value()}};
}

// Sets every length the options give, each within its field's range; fails saying which is
// missing or out of range.
Failure setLengths(const CommandArguments& args, CalibrationSettings& calibration) {
    for (const LengthOption& option : kLengthOptions) {
        RealField& field = calibration.*option.field;
        const std::optional<QString> text = args.last(QLatin1String(option.name));
        bool ok = false;
        const double value = text ? QLocale::c().toDouble(text->trimmed(), &ok) : 0;
        if (!ok || !(value >= field.range().minimum && value <= field.range().maximum)) {
            // Through a text stream, so that the numbers read as on the terminal.
            QString message;
            QTextStream(&message) << "calibrate needs --" << option.name << " in millimetres from "
                                  << field.range().minimum << " to " << field.range().maximum
                                  << (text ? QStringLiteral(", not \"%1\".").arg(*text)
                                           : QStringLiteral("."));
            return Failure::because(message);
        }
        field.setValue(value);
    }
    return Failure::none();
}

bool setsLengths(const CommandArguments& args) {
    for (const LengthOption& option : kLengthOptions) {
        if (args.last(QLatin1String(option.name)))
            return true;
    }
    return false;
}

} // namespace

int runCalibrateCommand(const QStringList& words, QTextStream& out, QTextStream& err) {
    CommandArguments args;
    if (Failure error = parseCommandArguments(words, {"printer", "left", "top", "width", "height"},
                                              args, {"reset"});
        error.failed()) {
        err << error.message() << "\n";
        return ExitUsage;
    }
    const bool reset = args.switches.contains(QStringLiteral("reset"));
    const bool set = setsLengths(args);
    const std::optional<QString> named = args.last("printer");
    if (!args.positional.isEmpty() || (reset && set) || ((reset || set) && !named)) {
        err << "calibrate takes --printer NAME and then either --reset or all of --width, "
               "--height, --left and --top, or neither to show the calibration.\n";
        return ExitUsage;
    }

    Application models;
    if (named) {
        if (Failure error = models.printer.selectPrinter(*named); error.failed()) {
            err << error.message() << "\n";
            return ExitUsage;
        }
        models.followPrinterCalibration();
    }
    const QString printer = models.printer.queueName();
    if (printer.isEmpty()) {
        err << "There is no printer to calibrate: the print server is not running or offers "
               "no printer.\n";
        return ExitFailure;
    }
    if (reset) {
        if (Failure error = models.calibrations.removeOwn(printer); error.failed()) {
            err << error.message() << "\n";
            return ExitFailure;
        }
        return ExitSuccess;
    }
    if (set) {
        if (const Failure failure = setLengths(args, models.calibration); failure.failed()) {
            err << failure.message() << "\n";
            return ExitUsage;
        }
        const QString file = models.calibrationFile();
        if (Failure error = models.saveCalibration(file); error.failed()) {
            err << QStringLiteral("The calibration of the printer \"%1\" could not be saved in "
                                  "\"%2\": %3")
                       .arg(printer, file, error.message())
                << "\n";
            return ExitFailure;
        }
        return ExitSuccess;
    }
    // Setting or removing the calibration replaces a damaged file, which needs no word.
    models.onCalibrationDamage(
        [&err](const QString& damage) { err << "Warning: " << damage << "\n"; });
    out << QJsonDocument(describeCalibration(printer, models.calibration))
               .toJson(QJsonDocument::Indented);
    return ExitSuccess;
}
