#pragma once

#include <QDialog>
#include <QPageSize>

class PrinterChoice;
class QComboBox;
class QPrinter;
class QRadioButton;

// The printer setup: the printer, its paper format and the orientation, for every print and
// the preview from now on. The paper formats are those the chosen printer offers.
class PrinterSetupDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PrinterSetupDialog(QPrinter& printer, QWidget* parent = nullptr);

    void accept() override;

  private:
    // Lists the paper formats of the printer now chosen, keeping `wanted` where it can.
    void listPaperFormats(const QPageSize& wanted);

    QPrinter& m_printer;
    PrinterChoice* m_printerChoice;
    QComboBox* m_paper;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
};

// Runs the printer setup until it is closed.
void runPrinterSetupDialog(QPrinter& printer, QWidget* parent);
