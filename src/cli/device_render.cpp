#include "cli/device_render.h"

#include "base/listing.h"
#include "cli/command_arguments.h"
#include "cli/commands.h"
#include "cli/design_file.h"
#include "cli/output_options.h"
#include "output/device_page.h"
#include "output/output_formats.h"
#include "output/tablet_devices.h"
#include "output/template_bundle.h"
#include "page/loaded_design.h"

#include "settings/page_design.h"

#include <QFileInfo>
#include <QTextStream>

#include <utility>

namespace {

// The options that only a tablet's page takes.
const QStringList kDeviceOnlyOptions = {"toolbar-margin", "bundle"};
const QStringList kDeviceOnlySwitches = {"snap-pixels"};

// What the screen decides by itself, and why it leaves no room for the option.
const std::pair<const char*, const char*> kScreenGivens[] = {
    {"paper", "the screen is the page"},
    {"page", "the screen is the page"},
    {"dpi", "the screen has its own pixels per inch"},
    {"zoom", "the page is drawn as printed, not as previewed"},
    {"screen-dpi", "the page is drawn as printed, not as previewed"},
    {"thumbnail", "the page is drawn as printed, not as previewed"},
    {"calibration", "a screen shows the page at its size without calibration"},
    {"printer", "a screen shows the page at its size without calibration"},
    {"pages", "a template is one page"},
};

// The bundle's templates are named after the design; the defaults of New after the program.
const QString kNewDesignTemplateName = QStringLiteral("Lineavo-Pressolo");

struct DeviceRequest {
    QString design;
    QString output;    // empty with a bundle
    QString bundleDir; // empty without one
    OutputOptions file;
};

QStringList bundleDeviceNames() {
    QStringList names;
    for (const TabletDevice& device : tabletDevices()) {
        if (device.takesTemplateBundle)
            names << device.names;
    }
    return names;
}

// The output's format and compression, or why the device takes no such file.
Failure readOutput(const CommandArguments& args, const TabletDevice& device,
                   DeviceRequest& request) {
    const OutputFormat* named = &outputFormat(OutputFormatId::Png);
    if (!request.bundleDir.isEmpty()) {
        if (args.switches.contains("vector"))
            return Failure::because(
                QStringLiteral("--bundle writes PNG and SVG; --vector is for a PDF file only."));
    } else {
        named = outputFormatOfFile(request.output);
        if (Failure problem = deviceFormatProblem(named, device); problem.failed())
            return problem.within(request.output);
    }
    return readOutputOptions(args, *named, request.output, request.file);
}

// Where the files go: --output FILE, or --bundle DIR for a tablet that takes template bundles.
Failure readDestination(const CommandArguments& args, const TabletDevice& device,
                        DeviceRequest& request) {
    const std::optional<QString> output = args.last("output");
    const std::optional<QString> bundle = args.last("bundle");
    if (output && bundle)
        return Failure::because(
            QStringLiteral("--bundle writes its own files into the folder; it takes no --output."));
    if (bundle) {
        if (!device.takesTemplateBundle)
            return Failure::because(QStringLiteral("--bundle is for %1; the %2 takes no template "
                                                   "bundle.")
                                        .arg(listedWithOr(bundleDeviceNames()), device.name()));
        if (bundle->isEmpty())
            return Failure::because(QStringLiteral("--bundle needs a folder."));
        if (QFileInfo::exists(*bundle) && !QFileInfo(*bundle).isDir())
            return Failure::because(QStringLiteral("--bundle needs a folder, and this is a file."))
                .within(*bundle);
        request.bundleDir = *bundle;
        return Failure::none();
    }
    if (!output || output->isEmpty())
        return Failure::because(
            QStringLiteral("render --device needs --output FILE or --bundle DIR."));
    request.output = *output;
    return Failure::none();
}

std::optional<DevicePage> readDevicePage(const CommandArguments& args, const TabletDevice& device,
                                         QTextStream& err) {
    for (const auto& [option, reason] : kScreenGivens) {
        if (args.last(QLatin1String(option))) {
            err << "--device and --" << option << " do not go together: " << reason << ".\n";
            return std::nullopt;
        }
    }
    DevicePage page{device, args.switches.contains("landscape"), device.toolbarMarginPixels,
                    args.switches.contains("snap-pixels")};
    if (const std::optional<QString> margin = args.last("toolbar-margin")) {
        const int widest = page.screen().width() - 1;
        bool ok = false;
        page.toolbarMarginPixels = margin->trimmed().toInt(&ok);
        if (!ok || page.toolbarMarginPixels < 0 || page.toolbarMarginPixels > widest) {
            err << "--toolbar-margin needs a whole number of pixels from 0 to " << widest
                << " for the " << device.name() << (page.landscape ? " in landscape" : "") << ".\n";
            return std::nullopt;
        }
    }
    return page;
}

Failure writeRequest(const DeviceRequest& request, const DevicePage& page, const PageDesign& design,
                     const PageLayers& layers) {
    if (request.bundleDir.isEmpty()) {
        return writeDevicePage(*request.file.format, request.output, page, design, layers, {},
                               request.file.compression)
            .within(request.output);
    }
    const QString name = request.design.isEmpty() ? kNewDesignTemplateName
                                                  : QFileInfo(request.design).completeBaseName();
    return writeTemplateBundle(request.bundleDir, name, page, design, layers,
                               request.file.compression);
}

} // namespace

QStringList deviceRenderOptionNames() {
    return QStringList{"device"} + kDeviceOnlyOptions;
}

QStringList deviceRenderSwitchNames() {
    return kDeviceOnlySwitches;
}

bool asksForDevicePage(const CommandArguments& args) {
    for (const QString& option : deviceRenderOptionNames()) {
        if (args.last(option))
            return true;
    }
    for (const QString& name : kDeviceOnlySwitches) {
        if (args.switches.contains(name))
            return true;
    }
    return false;
}

int runDeviceRender(const CommandArguments& args, QTextStream& out, QTextStream& err) {
    const std::optional<QString> name = args.last("device");
    if (!name) {
        QStringList given;
        for (const QString& option : kDeviceOnlyOptions + kDeviceOnlySwitches) {
            if (args.last(option) || args.switches.contains(option))
                given << QStringLiteral("--") + option;
        }
        err << given.join(QStringLiteral(" and ")) << (given.size() > 1 ? " go" : " goes")
            << " only with --device NAME.\n";
        return ExitUsage;
    }
    if (*name == u"list") {
        out << tabletDeviceListing();
        return ExitSuccess;
    }
    const TabletDevice* device = tabletDeviceNamed(*name);
    if (!device) {
        err << "--device needs list or one of " << listedWithOr(tabletDeviceNames()) << ".\n";
        return ExitUsage;
    }
    if (args.positional.size() > 1) {
        err << "render needs at most one design file.\n";
        return ExitUsage;
    }
    DeviceRequest request;
    request.design = args.positional.value(0);
    const std::optional<DevicePage> page = readDevicePage(args, *device, err);
    if (!page)
        return ExitUsage;
    Failure unusable = readDestination(args, *device, request);
    if (unusable.succeeded())
        unusable = readOutput(args, *device, request);
    if (unusable.failed()) {
        err << unusable.message() << "\n";
        return ExitUsage;
    }

    LoadedDesign loaded;
    if (const Failure failure = openDesignFile(request.design, loaded, err); failure.failed()) {
        err << failure.message() << "\n";
        return ExitFailure;
    }
    if (const Failure failure = writeRequest(request, *page, loaded.design, loaded.layers());
        failure.failed()) {
        err << failure.message() << "\n";
        return ExitFailure;
    }
    return ExitSuccess;
}
