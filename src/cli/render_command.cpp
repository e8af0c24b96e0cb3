#include "base/listing.h"
#include "cli/command_arguments.h"
#include "cli/commands.h"
#include "cli/design_file.h"
#include "cli/device_render.h"
#include "cli/output_options.h"
#include "output/notebook_pages.h"
#include "output/output_formats.h"
#include "output/paper_sizes.h"

#include "base/system_file_names.h"
#include "calibration/calibration.h"
#include "calibration/printer_calibrations.h"
#include "page/loaded_design.h"
#include "render/device_scales.h"
#include "settings/page_design.h"

#include <QLocale>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>

#include <unistd.h>

namespace {

constexpr int kMaxSide = 1000000;
// The preview's screen when none is named; a thumbnail is a preview on such a screen.
constexpr int kUsualScreenDotsPerInch = 96;
constexpr int kMaxThumbnailSide = 10000;

std::optional<int> parseWhole(const QString& text, int minimum, int maximum) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < minimum || v > maximum)
        return std::nullopt;
    return v;
}

std::optional<QSize> parsePageSize(const QString& text) {
    const QStringList parts = text.toLower().split(u'x');
    if (parts.size() != 2)
        return std::nullopt;
    const auto w = parseWhole(parts[0], 1, kMaxSide);
    const auto h = parseWhole(parts[1], 1, kMaxSide);
    if (!w || !h)
        return std::nullopt;
    return QSize(*w, *h);
}

// LEFT,TOP,WIDTH,HEIGHT in millimetres.
std::optional<std::array<double, 4>> parseCalibration(const QString& text) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    std::array<double, 4> values{};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = QLocale::c().toDouble(parts[i].trimmed(), &ok);
        if (!ok || !std::isfinite(values[i]))
            return std::nullopt;
    }
    return values;
}

// What the verb was asked to do.
struct RenderRequest {
    QString design; // empty: the defaults of New
    QString output;
    OutputOptions file;
    int dotsPerInch = 0;
    QSize printableArea;
    std::optional<std::array<double, 4>> calibration; // else the saved one
    std::optional<QString> printer;                   // whose calibration, as printing takes it
    std::optional<int> zoomPercent;                   // the preview's instead of the print's
    std::optional<int> thumbnailSide;                 // the preview zoomed to this longer side
    int screenDotsPerInch = 0;
    int pages = 1;
};

// Reads the verb's arguments, or says on `err` why they are no request.
std::optional<RenderRequest> readRenderArguments(const CommandArguments& args, QTextStream& err) {
    RenderRequest request;
    const std::optional<QString> output = args.last("output");
    if (!output || output->isEmpty() || args.positional.size() > 1) {
        err << "render needs --output FILE and at most one design file.\n";
        return std::nullopt;
    }
    request.design = args.positional.value(0);
    request.output = *output;
    // A thumbnail is always a PNG: the file managers that ask for one name its file as they
    // please, without a suffix at times.
    const std::optional<QString> thumbnailText = args.last("thumbnail");
    const OutputFormat* named =
        thumbnailText ? &outputFormat(OutputFormatId::Png) : outputFormatOfFile(*output);
    if (!named) {
        err << *output << ": " << unknownOutputSuffixMessage() << "\n";
        return std::nullopt;
    }
    if (const Failure failure = readOutputOptions(args, *named, *output, request.file);
        failure.failed()) {
        err << failure.message() << "\n";
        return std::nullopt;
    }
    if (auto text = args.last("pages")) {
        const auto pages = parseWhole(*text, 1, kMaxNotebookPages);
        if (!pages) {
            err << "--pages needs a whole number from 1 to " << kMaxNotebookPages << ".\n";
            return std::nullopt;
        }
        if (*pages > 1 && !request.file.format->manyPages()) {
            err << *output << ": --pages above 1 is for a PDF file only.\n";
            return std::nullopt;
        }
        request.pages = *pages;
    }

    const auto dpi =
        parseWhole(args.last("dpi").value_or(QString::number(kDefaultOutputDotsPerInch)),
                   kMinOutputDotsPerInch, kMaxOutputDotsPerInch);
    if (!dpi) {
        err << "--dpi needs a whole number from " << kMinOutputDotsPerInch << " to "
            << kMaxOutputDotsPerInch << ".\n";
        return std::nullopt;
    }
    request.dotsPerInch = *dpi;
    const std::optional<QString> paper = args.last("paper");
    const bool landscape = args.switches.contains("landscape");
    if (paper && args.last("page")) {
        err << "--paper and --page do not go together: give the sheet by name or in pixels.\n";
        return std::nullopt;
    }
    std::optional<QSize> sheet = paperNamed(paper.value_or(kDefaultPaperName));
    if (!sheet) {
        err << "--paper needs one of " << listedWithOr(namedPaperNames()) << ".\n";
        return std::nullopt;
    }
    if (landscape && args.last("page")) {
        err << "--landscape turns a sheet given by --paper; --page gives width and height.\n";
        return std::nullopt;
    }
    request.printableArea = paperPixels(landscape ? sheet->transposed() : *sheet, *dpi);
    if (auto text = args.last("page")) {
        const auto size = parsePageSize(*text);
        if (!size) {
            err << "--page needs WIDTHxHEIGHT in device pixels, such as 4760x6814.\n";
            return std::nullopt;
        }
        request.printableArea = *size;
    }
    if (auto text = args.last("calibration")) {
        request.calibration = parseCalibration(*text);
        if (!request.calibration) {
            err << "--calibration needs four numbers: LEFT,TOP,WIDTH,HEIGHT in millimetres.\n";
            return std::nullopt;
        }
    }
    request.printer = args.last("printer");
    if (request.printer && request.calibration) {
        err << "--calibration and --printer each choose the calibration; give one of them.\n";
        return std::nullopt;
    }
    const std::optional<QString> zoomText = args.last("zoom");
    if (zoomText && thumbnailText) {
        err << "--zoom and --thumbnail do not go together: a thumbnail has a zoom of its own.\n";
        return std::nullopt;
    }
    if (zoomText) {
        request.zoomPercent = parseWhole(*zoomText, 1, 1000);
        const auto screenDpi =
            parseWhole(args.last("screen-dpi").value_or(QString::number(kUsualScreenDotsPerInch)),
                       kMinOutputDotsPerInch, kMaxOutputDotsPerInch);
        if (!request.zoomPercent || !screenDpi) {
            err << "--zoom needs a percentage from 1 to 1000 and --screen-dpi a whole number from "
                << kMinOutputDotsPerInch << " to " << kMaxOutputDotsPerInch << ".\n";
            return std::nullopt;
        }
        request.screenDotsPerInch = *screenDpi;
    }
    if (thumbnailText) {
        request.thumbnailSide = parseWhole(*thumbnailText, 1, kMaxThumbnailSide);
        if (!request.thumbnailSide) {
            err << "--thumbnail needs a whole number of pixels from 1 to " << kMaxThumbnailSide
                << ".\n";
            return std::nullopt;
        }
        request.screenDotsPerInch = kUsualScreenDotsPerInch;
    }
    return request;
}

// The calibration given, else the printer's named, else the one saved for this user. Drawing
// does not ask the print server which printer a name is; `err` is told when the name's own
// calibration is not found or cannot be used.
PageCalibration calibrationFor(const RenderRequest& request, QTextStream& err) {
    CalibrationSettings calibration;
    if (request.calibration)
        calibration.setLengths(*request.calibration);
    else if (request.printer) {
        if (const Failure note = PrinterCalibrations().loadByName(*request.printer, calibration);
            note.failed())
            err << "Warning: " << note.message() << "\n";
    } else
        loadSavedCalibration(calibration);
    return calibration.forPage();
}

// The zoom at which the preview's page box is `side` pixels along its longer side.
double thumbnailZoom(const PrinterPage& printer, int screenDotsPerInch, int side) {
    const QSize area = printer.printableArea;
    double zoom = 100.0 * side * printer.dotsPerInch /
                  (double(std::max(area.width(), area.height())) * screenDotsPerInch);
    // The box truncates: a zoom a rounding error short of the exact one would lose a pixel.
    const auto longerSide = [&](double z) {
        const QSize box = previewBoxSize(printer, screenDotsPerInch, z);
        return std::max(box.width(), box.height());
    };
    while (longerSide(zoom) < side)
        zoom = std::nextafter(zoom, HUGE_VAL);
    return zoom;
}

// The page as the print draws it, or as the preview shows it at the zoom asked for or at the
// thumbnail's.
PageScale scaleFor(const RenderRequest& request, QTextStream& err) {
    const PrinterPage printer{request.dotsPerInch, request.printableArea};
    const PageCalibration calibration = calibrationFor(request, err);
    if (request.thumbnailSide)
        return previewScale(
            printer, calibration, request.screenDotsPerInch,
            thumbnailZoom(printer, request.screenDotsPerInch, *request.thumbnailSide));
    return request.zoomPercent
               ? previewScale(printer, calibration, request.screenDotsPerInch, *request.zoomPercent)
               : printScale(printer, calibration);
}

// A notebook of many pages takes minutes: a person at the terminal sees how far it is, on one
// line that each page overwrites. A script reading the errors gets only the errors.
NotebookProgress progressOnTerminal(QTextStream& err) {
    if (!::isatty(STDERR_FILENO))
        return {};
    return [&err](int drawn, int count) {
        err << "\rPage " << drawn << " of " << count << (drawn == count ? "\n" : "");
        err.flush();
    };
}

} // namespace

int runRenderCommand(const QStringList& words, QTextStream& out, QTextStream& err) {
    CommandArguments args;
    const QStringList optionNames =
        QStringList{"output",     "dpi",       "page",  "calibration",     "zoom",
                    "screen-dpi", "thumbnail", "paper", "png-compression", "pages",
                    "printer"} +
        deviceRenderOptionNames();
    if (Failure error =
            parseCommandArguments(words, optionNames, args,
                                  QStringList{"landscape", "vector"} + deviceRenderSwitchNames());
        error.failed()) {
        err << error.message() << "\n";
        return ExitUsage;
    }
    if (asksForDevicePage(args))
        return runDeviceRender(args, out, err);
    const std::optional<RenderRequest> request = readRenderArguments(args, err);
    if (!request)
        return ExitUsage;
    const PageScale scale = scaleFor(*request, err);
    if (scale.SurfaceWidth < 1 || scale.SurfaceHeight < 1) {
        err << "The page has no pixels at this zoom.\n";
        return ExitUsage;
    }
    LoadedDesign loaded;
    if (const Failure failure = openDesignFile(request->design, loaded, err); failure.failed()) {
        err << failure.message() << "\n";
        return ExitFailure;
    }
    const PageToDraw page{scale, loaded.design, loaded.layers()};
    const OutputOptions& file = request->file;
    const Failure failure =
        request->pages > 1
            ? writeNotebookFile(*file.format, request->output, page, request->pages,
                                progressOnTerminal(err))
            : writePageFile(*file.format, request->output, page, {}, file.compression);
    if (failure.failed()) {
        err << request->output << ": " << failure.message() << "\n";
        return ExitFailure;
    }
    return ExitSuccess;
}
