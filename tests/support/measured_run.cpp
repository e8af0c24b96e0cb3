#include "support/measured_run.h"

#include <QProcess>

MeasuredRun runMeasured(const QStringList& arguments, int timeoutMilliseconds) {
    QProcess timed;
    timed.start(QStringLiteral("/usr/bin/time"),
                QStringList{"-f", "%M", QStringLiteral(LINEAVO_EXECUTABLE)} + arguments);
    MeasuredRun run;
    const bool finished = timed.waitForFinished(timeoutMilliseconds);
    run.standardError = QString::fromUtf8(timed.readAllStandardError());
    if (!finished || timed.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = timed.exitCode();
    // time(1) reports the peak on the last line, also when the program failed.
    const QStringList lines = run.standardError.split(u'\n', Qt::SkipEmptyParts);
    bool ok = false;
    const qint64 kilobytes = lines.isEmpty() ? 0 : lines.last().toLongLong(&ok);
    if (ok)
        run.peakKilobytes = kilobytes;
    return run;
}
