#include "app/ui/document_commands.h"
#include "app/ui/main_form.h"
#include "app/ui/qt_user_dialogs.h"
#include "base/interrupted_files.h"
#include "base/system_file_names.h"
#include "cli/printing/command_line.h"
#include "printing/application.h"
#include "program_version.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Lineavo-Pressolo"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tolvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LINEAVO_VERSION));
    // No display name: the desktop would append it to every window's title.
}

// The toolkit wants a private runtime folder and complains on the terminal without one, which
// a script calling the verbs should not have to read.
void provideRuntimeFolder() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray folder = QDir::tempPath().toLocal8Bit() + "/lineavo-pressolo-runtime-" +
                              QByteArray::number(getuid());
    mkdir(folder.constData(), 0700); // fails harmlessly when it is there already
    struct stat info {};
    // Only a private folder of our own, never one that someone else prepared.
    if (lstat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
        (info.st_mode & 077) == 0)
        qputenv("XDG_RUNTIME_DIR", folder);
}

// Output that never arrived is a failure: a script reading it would go on with nothing.
int reportLostOutput(QTextStream& out, QTextStream& err, int status) {
    out.flush();
    if (out.status() == QTextStream::Ok && std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    err << "Could not write to standard output: " << QString::fromLocal8Bit(strerror(errno))
        << ".\n";
    return ExitFailure;
}

int runCommandLineWithin(int argc, char* argv[]) {
    nameApplication();
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The words left once the toolkit has taken its own options out; a toolkit without
    // windows leaves theirs for us to pass over.
    const QStringList words = withoutToolkitOptions(commandLineWords(argc, argv)).words;
    return reportLostOutput(out, err, runCommandLine(words, out, err));
}

int runHeadless(int argc, char* argv[], ToolkitNeed need) {
    provideRuntimeFolder();
    if (need == ToolkitNeed::DataOnly) {
        // Loading a platform and its fonts would cost more than most of these verbs' work.
        QCoreApplication app(argc, argv);
        return runCommandLineWithin(argc, argv);
    }
    // Drawing needs fonts and colours but no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return runCommandLineWithin(argc, argv);
}

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
    Application models;
    QtUserDialogs dialogs;
    TMainForm window(models, dialogs);
    window.show();
    // A document handed over by a file manager is opened once the window is there.
    if (!design.isEmpty())
        window.documentCommands().OpenFile(design);
    return app.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    // Before any file is written: an interrupted command leaves no unfinished file behind.
    removeFilesOnInterrupt();
    // Decide before any application object exists: the verbs run without a display, and a
    // mistyped verb must not open the window (or fail for want of a display).
    // The window's toolkit takes its own options out of the arguments once it starts.
    const ProgramWords program = withoutToolkitOptions(commandLineWords(argc, argv));
    const QStringList& words = program.words;
    if (words.isEmpty())
        return runWindow(argc, argv, QString(), program.platform);
    if (!isCommandLineVerb(words.first())) {
        // "--" lets a document's name start with a dash.
        const QStringList design = words.first() == u"--" ? words.mid(1) : words;
        if (design.size() == 1 && isRegularFile(design.first()))
            return runWindow(argc, argv, design.first(), program.platform);
    }
    // Verbs, help, and everything else, which is told that it is no command.
    return runHeadless(argc, argv, toolkitNeedOf(words.first()));
}
