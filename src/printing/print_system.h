#pragma once

#include <QString>

#include <optional>

// Questions to the print server that the printing toolkit leaves unasked: it hands a finished
// job over without looking at the answer, so a queue that refuses jobs would swallow them
// without a word.

// Why the print server will not take a job for `printerName` now, if it will not.
std::optional<QString> queueRefusal(const QString& printerName);

// Why the print server refused the job that was handed over last on this thread, if it did.
// Meaningful right after the job ended, before anything else talks to the print server.
std::optional<QString> refusalOfLastJob(const QString& printerName, const QString& jobTitle);
