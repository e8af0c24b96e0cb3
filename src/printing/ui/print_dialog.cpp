#include "printing/ui/print_dialog.h"

#include "output/notebook_pages.h"
#include "printing/ui/printer_choice.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPrinter>
#include <QSpinBox>

namespace {
constexpr int kMostCopies = 999;
}

PrintDialog::PrintDialog(QPrinter& printer, QWidget* parent, int pagesPerCopy)
    : QDialog(parent), m_printer(printer), m_printerChoice(new PrinterChoice(printer, this)),
      m_copies(new QSpinBox(this)), m_pages(new QSpinBox(this)), m_pagesPerCopy(pagesPerCopy) {
    setObjectName(QStringLiteral("PrintDialog1"));
    setWindowTitle(tr("Print"));
    m_copies->setObjectName(QStringLiteral("Copies"));
    m_copies->setRange(1, kMostCopies);
    m_copies->setValue(printer.copyCount());
    m_pages->setObjectName(QStringLiteral("Pages"));
    m_pages->setRange(1, kMaxNotebookPages);
    m_pages->setValue(pagesPerCopy);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QFormLayout(this);
    layout->addRow(tr("&Printer:"), m_printerChoice);
    layout->addRow(tr("Number of &copies:"), m_copies);
    layout->addRow(tr("P&ages:"), m_pages);
    layout->addRow(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PrintDialog::accept() {
    if (const std::optional<QString> name = m_printerChoice->changedPrinter())
        m_printer.setPrinterName(*name);
    m_copies->interpretText();
    m_printer.setCopyCount(m_copies->value());
    m_pages->interpretText();
    m_pagesPerCopy = m_pages->value();
    QDialog::accept();
}

std::optional<int> runPrintDialog(QPrinter& printer, QWidget* parent, int pagesPerCopy) {
    PrintDialog dialog(printer, parent, pagesPerCopy);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.pagesPerCopy();
}
