#include "app/command_line.h"
#include "app/ui/document_commands.h"
#include "app/ui/main_form.h"
#include "app/ui/qt_user_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Lineavo-Pressolo"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tolvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
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

int runHeadless(int argc, char* argv[]) {
    // The headless verbs need fonts and colours but no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    provideRuntimeFolder();
    QGuiApplication app(argc, argv);
    nameApplication();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runCommandLine(app.arguments().mid(1), out, err);
}

int runWindow(int argc, char* argv[]) {
    QApplication app(argc, argv);
    nameApplication();
    QtUserDialogs dialogs;
    TMainForm window(dialogs);
    window.show();
    // A document handed over by a file manager is opened once the window is there.
    const QStringList arguments = app.arguments().mid(1);
    if (!arguments.isEmpty())
        window.documentCommands().OpenFile(arguments.first());
    return app.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    // Decide before any application object exists: the verbs run without a display.
    if (argc > 1 && isCommandLineVerb(QString::fromLocal8Bit(argv[1])))
        return runHeadless(argc, argv);
    return runWindow(argc, argv);
}
