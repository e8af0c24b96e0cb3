#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class CurrentPrinter;
class PaperSettings;
class QTextStream;

// Exit statuses of the headless verbs.
enum ExitStatus { ExitSuccess = 0, ExitFailure = 1, ExitUsage = 2 };

// The verbs of the command line. Each takes the words after the verb.
int runRenderCommand(const QStringList& words, QTextStream& out, QTextStream& err);
int runShowCommand(const QStringList& words, QTextStream& out, QTextStream& err);
int runSaveCommand(const QStringList& words, QTextStream& out, QTextStream& err);
int runPrintCommand(const QStringList& words, QTextStream& out, QTextStream& err);
int runPrintTestCommand(const QStringList& words, QTextStream& out, QTextStream& err);
int runPictureCommand(const QStringList& words, QTextStream& out, QTextStream& err);
int runPrintPictureCommand(const QStringList& words, QTextStream& out, QTextStream& err);

// Opens `designPath` into `settings`, or leaves the defaults of New when it is empty.
// Returns "FILE: message" when the design cannot be opened.
std::optional<QString> loadDesign(const QString& designPath, PaperSettings& settings);

// Reports how a print on `printer` ended, `error` saying why it failed, and returns the exit
// status. A job that a stopped printer holds is a success with a warning: it prints once the
// printer is started, and a script that tried again would print it twice.
int reportPrint(const CurrentPrinter& printer, const std::optional<QString>& error,
                QTextStream& err);
