#pragma once

#include <QComboBox>

class QPrinter;

// The installed printers of the print server, with the printer in use selected. A printer that
// the server does not list (a PDF file) is kept unless the user picks another.
class PrinterChoice : public QComboBox {
    Q_OBJECT
  public:
    explicit PrinterChoice(const QPrinter& printer, QWidget* parent = nullptr);

    // The printer picked, when the user picked another than the one in use.
    std::optional<QString> changedPrinter() const;

  private:
    int m_initialIndex;
};
