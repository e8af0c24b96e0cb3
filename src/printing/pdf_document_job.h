#pragma once

#include "base/failure.h"

#include <QByteArrayView>
#include <QString>

class CurrentPrinter;

// Hands `pdf`, a document made for the current printer's paper, to its print server queue as
// the job `title`, with the options the toolkit's own jobs carry there (paper, sides,
// orientation and whatever the print dialog set). Returns what went wrong, if anything did.
// Only for a printer of the print server, not one that writes a PDF file.
Failure printPdfDocument(CurrentPrinter& current, const QString& title, QByteArrayView pdf);
