#pragma once

#include "base/failure.h"

#include <QString>
#include <QStringList>

class PaperSettings;
class QTextStream;

// Exit statuses of the headless verbs.
enum ExitStatus { ExitSuccess = 0, ExitFailure = 1, ExitUsage = 2 };

// The verbs of the command line that neither print nor show a window. Each takes the words
// after the verb.
int runRenderCommand(const QStringList& words, QTextStream& out, QTextStream& err);
int runShowCommand(const QStringList& words, QTextStream& out, QTextStream& err);
int runSaveCommand(const QStringList& words, QTextStream& out, QTextStream& err);
int runPictureCommand(const QStringList& words, QTextStream& out, QTextStream& err);

// Opens `designPath` into `settings`, or leaves the defaults of New when it is empty.
// Fails with "FILE: message" when the design cannot be opened.
Failure loadDesign(const QString& designPath, PaperSettings& settings);
