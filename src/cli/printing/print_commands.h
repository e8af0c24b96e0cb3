#pragma once

#include "base/failure.h"

#include <QString>
#include <QStringList>

class CurrentPrinter;
class QTextStream;

// The verbs of the command line that print. Each takes the words after the verb.
int runPrintCommand(const QStringList& words, QTextStream& out, QTextStream& err);
int runPrintTestCommand(const QStringList& words, QTextStream& out, QTextStream& err);
int runPrintPictureCommand(const QStringList& words, QTextStream& out, QTextStream& err);

// Reports how a print on `printer` ended, `failure` saying why it failed, and returns the exit
// status. A job that a stopped printer holds is a success with a warning: it prints once the
// printer is started, and a script that tried again would print it twice.
int reportPrint(const CurrentPrinter& printer, const Failure& failure, QTextStream& err);
