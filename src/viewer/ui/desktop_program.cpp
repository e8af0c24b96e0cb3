#include "viewer/ui/desktop_program.h"

#include <QProcess>

void openInDesktopProgram(QObject* context, const QString& fileName,
                          std::function<void(bool opened)> outcome) {
    // xdg-open, unlike a detached start, tells by its exit status whether the desktop had a
    // program for the file. It belongs to no window: destroying a running process kills it,
    // and the program it waits for should outlive the window that asked for it.
    auto* opener = new QProcess;
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    opener->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::finished, context,
                     [outcome](int exitCode, QProcess::ExitStatus status) {
                         outcome(status == QProcess::NormalExit && exitCode == 0);
                     });
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    // A start that fails is the one error after which the process never finishes.
    QObject::connect(opener, &QProcess::errorOccurred, context,
                     [outcome](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             outcome(false);
                     });
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             opener->deleteLater();
                     });
    opener->start(QStringLiteral("xdg-open"), {fileName});
}
