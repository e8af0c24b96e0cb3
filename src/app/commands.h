#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class PaperSettings;
class QTextStream;

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
