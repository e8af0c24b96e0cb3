#include "app/command_line.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[]) {
    // The headless verbs need fonts and colours but no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Lineavo-Pressolo"));
    QGuiApplication::setOrganizationName(QStringLiteral("Tolvane"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty() || !isCommandLineVerb(arguments.first())) {
        // The window is not there yet.
        out << usageText();
        return arguments.isEmpty() ? ExitSuccess : ExitUsage;
    }
    return runCommandLine(arguments, out, err);
}
