#pragma once

#include <QDialog>

class PrinterChoice;
class QPrinter;
class QSpinBox;

// The print dialog: the printer and the number of copies, and nothing else. There is no page
// range to choose, so every copy is the whole page. Confirming sets both on the printer.
class PrintDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PrintDialog(QPrinter& printer, QWidget* parent = nullptr);

    void accept() override;

  private:
    QPrinter& m_printer;
    PrinterChoice* m_printerChoice;
    QSpinBox* m_copies;
};

// Runs the print dialog; true when the user confirmed it.
bool runPrintDialog(QPrinter& printer, QWidget* parent);
