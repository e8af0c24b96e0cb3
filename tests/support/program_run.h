#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A program run as a user runs it, for tests of the files it writes.
struct ProgramRun {
    int exitCode = -1; // -1 when it did not finish normally in time
    QByteArray out;
    QString err;
};

// Runs `program` (a name on the PATH or a path) with `arguments`.
ProgramRun runProgram(const QString& program, const QStringList& arguments);
// Runs this project's program.
ProgramRun runLineavo(const QStringList& arguments);
