#include "app/window_part.h"

#include "app/first_paint.h"
#include "app/ui/document_commands.h"
#include "app/ui/main_form.h"
#include "app/ui/qt_user_dialogs.h"
#include "base/interrupted_files.h"
#include "base/system_file_names.h"
#include "cli/commands.h"
#include "cli/headless_program.h"
#include "cli/printing/command_line.h"
#include "printing/application.h"

#include <QApplication>

#include <cstdio>

namespace {

// Whether the window has somewhere to appear. The toolkit would abort without a word a user
// can act on; the platforms that need no display server are taken at their word.
bool hasDisplay(const QString& chosenPlatform) {
    const QByteArray platform =
        chosenPlatform.isEmpty() ? qgetenv("QT_QPA_PLATFORM") : chosenPlatform.toLocal8Bit();
    const bool needsServer =
        platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
    return !needsServer || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// `platform` is the one the command line chooses, if any.
int runWindow(int argc, char* argv[], const QString& design, const QString& platform) {
    if (!hasDisplay(platform)) {
        std::fputs("The window needs a display, and none is set (DISPLAY or WAYLAND_DISPLAY); "
                   "the commands of --help work without one.\n",
                   stderr);
        return ExitFailure;
    }
    QApplication app(argc, argv);
    nameApplication();
    // The models go after the window, which is bound to them.
    Application models{Application::PrinterLater{}};
    QtUserDialogs dialogs;
    TMainForm window(models, dialogs);
    window.show();
    // The first page shows nothing of the printer; its calibration is in force before the user
    // can reach anything that does.
    afterFirstPaint(window, [&models] { models.followPrinterCalibration(); });
    // A document handed over by a file manager is opened once the window is there.
    if (!design.isEmpty())
        window.documentCommands().OpenFile(design);
    return app.exec();
}

} // namespace

int lineavoWindowPartMain(int argc, char* argv[]) {
    // This part keeps its own list of unfinished files, which an interruption must empty.
    removeFilesOnInterrupt();
    const ProgramWords program = withoutToolkitOptions(commandLineWords(argc, argv));
    const QStringList& words = program.words;
    if (isPrintingVerb(words.value(0)))
        return runHeadless(argc, argv, printingVerbs());
    // "--" lets a document's name start with a dash.
    const QStringList design = words.value(0) == u"--" ? words.mid(1) : words;
    return runWindow(argc, argv, design.value(0), program.platform);
}
