#include "printing/ui/printer_choice.h"

#include <QPrinter>
#include <QPrinterInfo>

PrinterChoice::PrinterChoice(const QPrinter& printer, QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("PrinterChoice"));
    addItems(QPrinterInfo::availablePrinterNames());
    setCurrentIndex(
        printer.outputFormat() == QPrinter::NativeFormat ? findText(printer.printerName()) : -1);
    m_initialIndex = currentIndex();
}

std::optional<QString> PrinterChoice::changedPrinter() const {
    if (currentIndex() < 0 || currentIndex() == m_initialIndex)
        return std::nullopt;
    return currentText();
}
