#include "printing/ui/printer_setup_dialog.h"

#include "printing/ui/printer_choice.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// What a printer that the print server does not describe, such as a PDF file, is offered.
QList<QPageSize> commonPaperFormats() {
    QList<QPageSize> formats;
    for (const QPageSize::PageSizeId id :
         {QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::B5, QPageSize::Letter,
          QPageSize::Legal, QPageSize::Executive})
        formats << QPageSize(id);
    return formats;
}

QList<QPageSize> paperFormatsOf(const QString& printerName) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    const QList<QPageSize> formats = info.isNull() ? QList<QPageSize>() : info.supportedPageSizes();
    return formats.isEmpty() ? commonPaperFormats() : formats;
}

QString currentPrinterName(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString();
}

} // namespace

PrinterSetupDialog::PrinterSetupDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent), m_printer(printer), m_printerChoice(new PrinterChoice(printer, this)),
      m_paper(new QComboBox(this)), m_portrait(new QRadioButton(tr("P&ortrait"))),
      m_landscape(new QRadioButton(tr("&Landscape"))) {
    setObjectName(QStringLiteral("PrinterSetupDialog1"));
    setWindowTitle(tr("Printer setup"));
    m_paper->setObjectName(QStringLiteral("PaperFormat"));
    m_portrait->setObjectName(QStringLiteral("Portrait"));
    m_landscape->setObjectName(QStringLiteral("Landscape"));
    listPaperFormats(printer.pageLayout().pageSize());
    const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    (landscape ? m_landscape : m_portrait)->setChecked(true);
    connect(m_printerChoice, &QComboBox::currentIndexChanged, this,
            [this] { listPaperFormats(m_paper->currentData().value<QPageSize>()); });

    auto* orientation = new QGroupBox(tr("Orientation"));
    auto* orientationLayout = new QVBoxLayout(orientation);
    orientationLayout->addWidget(m_portrait);
    orientationLayout->addWidget(m_landscape);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QFormLayout(this);
    layout->addRow(tr("&Printer:"), m_printerChoice);
    layout->addRow(tr("Paper &size:"), m_paper);
    layout->addRow(orientation);
    layout->addRow(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PrinterSetupDialog::listPaperFormats(const QPageSize& wanted) {
    const QString printerName = m_printerChoice->currentIndex() >= 0
                                    ? m_printerChoice->currentText()
                                    : currentPrinterName(m_printer);
    m_paper->clear();
    int wantedIndex = -1;
    for (const QPageSize& format : paperFormatsOf(printerName)) {
        if (format.isEquivalentTo(wanted))
            wantedIndex = m_paper->count();
        m_paper->addItem(format.name(), QVariant::fromValue(format));
    }
    if (wantedIndex < 0) {
        const QPageSize fallback = QPrinterInfo::printerInfo(printerName).defaultPageSize();
        for (int index = 0; index < m_paper->count() && wantedIndex < 0; ++index) {
            if (m_paper->itemData(index).value<QPageSize>().isEquivalentTo(fallback))
                wantedIndex = index;
        }
    }
    m_paper->setCurrentIndex(std::max(wantedIndex, 0));
}

void PrinterSetupDialog::accept() {
    if (const std::optional<QString> name = m_printerChoice->changedPrinter())
        m_printer.setPrinterName(*name);
    m_printer.setPageSize(m_paper->currentData().value<QPageSize>());
    m_printer.setPageOrientation(m_landscape->isChecked() ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait);
    QDialog::accept();
}

void runPrinterSetupDialog(QPrinter& printer, QWidget* parent) {
    PrinterSetupDialog dialog(printer, parent);
    dialog.exec();
}
