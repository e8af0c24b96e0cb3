#include "printing/ui/print_dialog.h"

#include "printing/ui/printer_choice.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPrinter>
#include <QSpinBox>

namespace {
constexpr int kMostCopies = 999;
}

PrintDialog::PrintDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent), m_printer(printer), m_printerChoice(new PrinterChoice(printer, this)),
      m_copies(new QSpinBox(this)) {
    setObjectName(QStringLiteral("PrintDialog1"));
    setWindowTitle(tr("Print"));
    m_copies->setObjectName(QStringLiteral("Copies"));
    m_copies->setRange(1, kMostCopies);
    m_copies->setValue(printer.copyCount());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QFormLayout(this);
    layout->addRow(tr("&Printer:"), m_printerChoice);
    layout->addRow(tr("Number of &copies:"), m_copies);
    layout->addRow(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PrintDialog::accept() {
    if (const std::optional<QString> name = m_printerChoice->changedPrinter())
        m_printer.setPrinterName(*name);
    m_copies->interpretText();
    m_printer.setCopyCount(m_copies->value());
    QDialog::accept();
}

bool runPrintDialog(QPrinter& printer, QWidget* parent) {
    PrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
