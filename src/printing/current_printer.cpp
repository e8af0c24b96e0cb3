#include "printing/current_printer.h"

#include "base/listing.h"
#include "printing/print_system.h"

#include <QPageLayout>
#include <QPrinterInfo>

namespace {

QString noPrinterNamed(const QString& name) {
    const QString missing = QStringLiteral("There is no printer named \"%1\".").arg(name);
    QStringList queues = queueNames();
    if (queues.isEmpty())
        return missing + QStringLiteral(" The print server offers no printer.");
    for (QString& queue : queues)
        queue = u'"' + queue + u'"';
    return missing + QStringLiteral(" Name one of %1.").arg(listedWithOr(queues));
}

} // namespace

CurrentPrinter::CurrentPrinter() : m_printer(QPrinter::HighResolution) {
    followPrinter();
}

QString CurrentPrinter::name() const {
    return m_printer.outputFormat() == QPrinter::PdfFormat ? m_printer.outputFileName()
                                                           : m_printer.printerName();
}

QString CurrentPrinter::queueName() const {
    return m_printer.outputFormat() == QPrinter::NativeFormat ? m_printer.printerName() : QString();
}

std::optional<QString> CurrentPrinter::selectPrinter(const QString& name) {
    const std::optional<QString> queue = queueNamed(name);
    if (!queue || QPrinterInfo::printerInfo(*queue).isNull()) {
        if (!printServerAnswers())
            return serverSilence(name);
        return noPrinterNamed(name);
    }
    m_printer.setPrinterName(*queue);
    followPrinter();
    return std::nullopt;
}

void CurrentPrinter::followPrinter() {
    if (m_printer.outputFormat() == QPrinter::NativeFormat) {
        if (const std::optional<int> dotsPerInch = queueResolution(m_printer.printerName()))
            m_printer.setResolution(*dotsPerInch);
    }
    m_printer.setFullPage(false);
    const QPageLayout layout = m_printer.pageLayout();
    m_printer.setPageMargins(layout.minimumMargins(), layout.units());
}

PrinterPage CurrentPrinter::page() const {
    return PrinterPage{m_printer.logicalDpiX(), QSize(m_printer.width(), m_printer.height())};
}

std::optional<QString> CurrentPrinter::unavailableReason() const {
    const bool toFile = m_printer.outputFormat() == QPrinter::PdfFormat;
    if (toFile ? m_printer.outputFileName().isEmpty() : m_printer.printerName().isEmpty())
        return QStringLiteral("There is no printer to print on: the print server is not "
                              "running or offers no printer.");
    return std::nullopt;
}

std::optional<QString> CurrentPrinter::heldJobNotice() const {
    if (m_printer.outputFormat() != QPrinter::NativeFormat || !queueIsStopped(name()))
        return std::nullopt;
    return QStringLiteral("The printer \"%1\" is stopped; the job waits until it is started "
                          "again.")
        .arg(name());
}
