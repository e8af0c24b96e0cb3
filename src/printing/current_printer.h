#pragma once

#include "base/failure.h"

#include "render/printer_page.h"

#include <QPrinter>
#include <QString>

#include <optional>

// The program's one printer, which the preview and every print use: the system's default at
// start, then whatever the print and printer setup dialogs choose, with the paper format and
// orientation chosen there. Pages are drawn at the printer's own resolution, so that every
// edge lies on one of its pixels, and its printable area lies inside the least margins the
// printer can print to; drawing starts at that area's top-left corner.
//
// The print server is asked for the default printer only when the printer is first used: its
// answer can take longer than the whole window takes to appear.
class CurrentPrinter {
  public:
    CurrentPrinter() = default;
    CurrentPrinter(const CurrentPrinter&) = delete;
    CurrentPrinter& operator=(const CurrentPrinter&) = delete;

    // For the dialogs that change it. Call followPrinter() after they have.
    QPrinter& printer() { return device(); }
    // The printer's name, or the file's for a printer that writes a PDF file.
    QString name() const;
    // The print queue's name; empty for a printer that writes a PDF file, which is no queue
    // and has no calibration of its own.
    QString queueName() const;

    // Chooses the printer of that name, keeping the paper format where it can. The name is
    // taken as the print server takes it, ASCII letters in either case, and the printer goes by
    // the server's name for it. A name that is no printer is refused with the names that are;
    // a print server that does not answer knows no printer, and is named as the reason.
    Failure selectPrinter(const QString& name);
    // Takes the chosen printer's own resolution and its least margins. Dialogs change the
    // printer and offer margins of their own, which the page would otherwise shrink by.
    void followPrinter();

    // Horizontal resolution and printable area, as the preview and the print read them.
    PrinterPage page() const;

    // Why nothing can be printed now, if so: no printer at all, or a print server that is
    // not there. Without a server the toolkit quietly offers a PDF file with no name instead;
    // a PDF file that has a name is a printer like any other.
    Failure unavailable() const;

    // What the user should know about a job that the printer took, if anything: a stopped
    // printer keeps it waiting, which would otherwise look like a print that went nowhere.
    std::optional<QString> heldJobNotice() const;

  private:
    // The printer, made and set up on the first call.
    QPrinter& device() const;

    mutable std::optional<QPrinter> m_printer;
};
