#include "support/program_run.h"

#include "support/test_time.h"

#include <QProcess>

ProgramRun runProgram(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    ProgramRun run;
    const bool finished = process.waitForFinished(waitMilliseconds(60000));
    run.out = process.readAllStandardOutput();
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    if (finished && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    else
        run.err += QStringLiteral("\n%1 did not finish: %2").arg(program, process.errorString());
    return run;
}

ProgramRun runLineavo(const QStringList& arguments) {
    return runProgram(QStringLiteral(LINEAVO_EXECUTABLE), arguments);
}
