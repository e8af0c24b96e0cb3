#include "cli/headless_program.h"

#include "cli/commands.h"
#include "program_version.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

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

int runCommandLineWithin(int argc, char* argv[], std::span<const PrintingVerb> printingVerbs) {
    nameApplication();
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The words left once the toolkit has taken its own options out; a toolkit without
    // windows leaves theirs for us to pass over.
    const QStringList words = withoutToolkitOptions(commandLineWords(argc, argv)).words;
    return reportLostOutput(out, err, runCommandLine(words, out, err, printingVerbs));
}

} // namespace

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Lineavo-Pressolo"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tolvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LINEAVO_VERSION));
    // No display name: the desktop would append it to every window's title.
}

int runHeadless(int argc, char* argv[], std::span<const PrintingVerb> printingVerbs) {
    provideRuntimeFolder();
    const QStringList words = withoutToolkitOptions(commandLineWords(argc, argv)).words;
    if (toolkitNeedOf(words.value(0)) == ToolkitNeed::DataOnly) {
        // Loading a platform and its fonts would cost more than most of these verbs' work.
        QCoreApplication app(argc, argv);
        return runCommandLineWithin(argc, argv, printingVerbs);
    }
    // Drawing needs fonts and colours but no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept to the end of the process: taking it down would set up the fonts of a page without
    // text only to tear them down again, which costs more than drawing a thumbnail.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    Q_UNUSED(app);
    return runCommandLineWithin(argc, argv, printingVerbs);
}
