#pragma once

#include <QDialog>

#include <optional>

class PrinterChoice;
class QPrinter;
class QSpinBox;

// The print dialog: the printer, the number of copies and the pages of each copy, numbered on
// from the design's first page, and nothing else. Confirming sets the printer and the copies on
// the printer.
class PrintDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PrintDialog(QPrinter& printer, QWidget* parent = nullptr, int pagesPerCopy = 1);

    void accept() override;
    // The pages of each copy, as confirmed.
    int pagesPerCopy() const { return m_pagesPerCopy; }

  private:
    QPrinter& m_printer;
    PrinterChoice* m_printerChoice;
    QSpinBox* m_copies;
    QSpinBox* m_pages;
    int m_pagesPerCopy;
};

// Runs the print dialog offering `pagesPerCopy`; the pages of each copy when the user
// confirmed it, none when not.
std::optional<int> runPrintDialog(QPrinter& printer, QWidget* parent, int pagesPerCopy = 1);
