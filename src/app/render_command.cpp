#include "app/command_arguments.h"
#include "app/command_line.h"
#include "app/commands.h"
#include "app/render_output.h"

#include "printing/calibration.h"
#include "printing/printer_page.h"
#include "render/draw_page.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"

#include <QFileInfo>
#include <QLocale>
#include <QTextStream>

#include <cmath>

namespace {

// A page beyond this many pixels (4 GB as a picture) is refused rather than attempted.
constexpr qint64 kMaxPagePixels = qint64(1) << 30;
// Below this, a grid of millimetres would put many lines on every pixel.
constexpr int kMinDotsPerInch = 24;
constexpr int kMaxDotsPerInch = 9600;
constexpr int kMaxSide = 1000000;

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

bool parseCalibration(const QString& text, CalibrationSettings& calibration) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        return false;
    RealField* fields[] = {&calibration.LinksEd, &calibration.ObenEd, &calibration.BreitEd,
                           &calibration.HochEd};
    double values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = QLocale::c().toDouble(parts[i].trimmed(), &ok);
        if (!ok || !std::isfinite(values[i]))
            return false;
    }
    for (int i = 0; i < 4; ++i)
        fields[i]->setValue(values[i]);
    return true;
}

std::optional<RenderFormat> formatOf(const QString& output) {
    const QString suffix = QFileInfo(output).suffix().toLower();
    if (suffix == u"png")
        return RenderFormat::Png;
    if (suffix == u"bmp")
        return RenderFormat::Bmp;
    if (suffix == u"pdf")
        return RenderFormat::Pdf;
    return std::nullopt;
}

struct RenderJob {
    PageScale scale;
    int outputDotsPerInch = 0;
};

// A sheet of A4 (210 x 297 mm) at `dotsPerInch`, in whole pixels: tenths of a millimetre
// against the 254 tenths of an inch, so that no rounding of a real creeps in.
QSize a4Pixels(int dotsPerInch) {
    return QSize(2100 * dotsPerInch / 254, 2970 * dotsPerInch / 254);
}

} // namespace

int runRenderCommand(const QStringList& words, QTextStream& out, QTextStream& err) {
    Q_UNUSED(out);
    CommandArguments args;
    const QStringList optionNames = {"output", "dpi", "page", "calibration", "zoom", "screen-dpi"};
    if (auto error = parseCommandArguments(words, optionNames, args)) {
        err << *error << "\n";
        return ExitUsage;
    }
    const std::optional<QString> output = args.last("output");
    if (!output || output->isEmpty() || args.positional.size() > 1) {
        err << "render needs --output FILE and at most one design file.\n";
        return ExitUsage;
    }
    const std::optional<RenderFormat> format = formatOf(*output);
    if (!format) {
        err << *output << ": the output must end in .png, .bmp or .pdf.\n";
        return ExitUsage;
    }

    const auto dpi = parseWhole(args.last("dpi").value_or("600"), kMinDotsPerInch, kMaxDotsPerInch);
    if (!dpi) {
        err << "--dpi needs a whole number from " << kMinDotsPerInch << " to " << kMaxDotsPerInch
            << ".\n";
        return ExitUsage;
    }
    QSize page = a4Pixels(*dpi);
    if (auto text = args.last("page")) {
        const auto size = parsePageSize(*text);
        if (!size) {
            err << "--page needs WIDTHxHEIGHT in device pixels, such as 4760x6814.\n";
            return ExitUsage;
        }
        page = *size;
    }
    CalibrationSettings calibration;
    if (auto text = args.last("calibration")) {
        if (!parseCalibration(*text, calibration)) {
            err << "--calibration needs four numbers: LEFT,TOP,WIDTH,HEIGHT in millimetres.\n";
            return ExitUsage;
        }
    } else {
        loadSavedCalibration(calibration);
    }

    RenderJob job;
    job.scale.MmPerInchX = calibration.MmPerInchX();
    job.scale.MmPerInchY = calibration.MmPerInchY();
    if (auto zoomText = args.last("zoom")) {
        const auto zoom = parseWhole(*zoomText, 1, 1000);
        const auto screenDpi =
            parseWhole(args.last("screen-dpi").value_or("96"), kMinDotsPerInch, kMaxDotsPerInch);
        if (!zoom || !screenDpi) {
            err << "--zoom needs a percentage from 1 to 1000 and --screen-dpi a whole number from "
                << kMinDotsPerInch << " to " << kMaxDotsPerInch << ".\n";
            return ExitUsage;
        }
        // The page box of the preview: the printable area at the screen's resolution, zoomed.
        const QSize box = previewBoxSize(PrinterPage{*dpi, page}, *screenDpi, *zoom);
        job.scale.SurfaceWidth = box.width();
        job.scale.SurfaceHeight = box.height();
        job.scale.DotsPerInch = *screenDpi;
        job.scale.ZoomPercent = *zoom;
        job.outputDotsPerInch = *screenDpi;
    } else {
        job.scale.SurfaceWidth = page.width();
        job.scale.SurfaceHeight = page.height();
        job.scale.DotsPerInch = *dpi;
        job.scale.LeftOffsetMm = calibration.LeftOffsetMm();
        job.outputDotsPerInch = *dpi;
    }
    if (job.scale.SurfaceWidth < 1 || job.scale.SurfaceHeight < 1) {
        err << "The page has no pixels at this zoom.\n";
        return ExitUsage;
    }

    PaperSettings settings;
    if (auto error = loadDesign(args.positional.value(0), settings)) {
        err << *error << "\n";
        return ExitFailure;
    }

    // A folder, FIFO or device of that name is not replaced by a picture.
    const QFileInfo target(*output);
    if (target.exists() && !target.isFile()) {
        err << *output << ": this is not a regular file; the page is not written there.\n";
        return ExitFailure;
    }
    const QSize pixels(job.scale.SurfaceWidth, job.scale.SurfaceHeight);
    if (qint64(pixels.width()) * pixels.height() > kMaxPagePixels) {
        err << *output << ": a page of " << pixels.width() << " x " << pixels.height()
            << " pixels is too large to draw.\n";
        return ExitFailure;
    }
    if (auto limit = renderFormatLimit(*format, pixels, job.outputDotsPerInch)) {
        err << *output << ": " << *limit << "\n";
        return ExitFailure;
    }
    std::optional<QString> error;
    if (*format == RenderFormat::Pdf) {
        error = writePdfPage(settings, job.scale, job.outputDotsPerInch, *output);
    } else {
        QImage page;
        {
            ImageSurface surface(pixels);
            DrawPage(surface, job.scale, settings);
            page = surface.image();
        }
        error = writeRasterPage(std::move(page), *output, *format, job.outputDotsPerInch);
    }
    if (error) {
        err << *output << ": " << *error << "\n";
        return ExitFailure;
    }
    return ExitSuccess;
}
