#pragma once

#include "base/failure.h"

#include <QString>
#include <QStringList>

#include <optional>

// Questions to the print server that the printing toolkit leaves unasked. It hands a finished
// job over without looking at the answer, so a queue that refuses jobs would swallow them
// without a word, and it does not ask a printer for its resolution.

// The resolution at which the print server's queue prints, in dots per inch, if it says.
// The toolkit describes every printer as 1200 dpi, and edges drawn at another resolution
// than the printer's fall between its pixels.
std::optional<int> queueResolution(const QString& printerName);

// The name of the print server's queue that `name` names, as the server itself matches names
// (ASCII letters in either case): "pdf" names the queue "PDF". None when it names no queue or
// the server does not answer. A printer's calibration is kept under this name, so that it does
// not depend on how the user typed it.
std::optional<QString> queueNamed(const QString& name);
// The names of the print server's queues; empty when it does not answer or offers none.
QStringList queueNames();

// Whether the print server answers at all. Asked of a server that is not there, the print
// server's library says only that it knows no such printer.
bool printServerAnswers();
// What to say when the print server does not answer and `printerName` was to print.
QString serverSilence(const QString& printerName);

// Why the print server will not take a job for `printerName` now, if it will not.
Failure queueRefusal(const QString& printerName);

// Whether the queue takes jobs but holds them until someone starts it again.
bool queueIsStopped(const QString& printerName);

// Why the print server refused the job that was handed over last on this thread, if it did.
// Meaningful right after the job ended, before anything else talks to the print server.
Failure refusalOfLastJob(const QString& printerName, const QString& jobTitle);
