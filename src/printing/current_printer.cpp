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

// What followPrinter() does.
void followPrinterOf(QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        if (const std::optional<int> dotsPerInch = queueResolution(printer.printerName()))
            printer.setResolution(*dotsPerInch);
    }
    printer.setFullPage(false);
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

} // namespace

QPrinter& CurrentPrinter::device() const {
    if (!m_printer) {
        m_printer.emplace(QPrinter::HighResolution);
        followPrinterOf(*m_printer);
    }
    return *m_printer;
}

QString CurrentPrinter::name() const {
    const QPrinter& printer = device();
    return printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                         : printer.printerName();
}

QString CurrentPrinter::queueName() const {
    const QPrinter& printer = device();
    return printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString();
}

Failure CurrentPrinter::selectPrinter(const QString& name) {
    const std::optional<QString> queue = queueNamed(name);
    if (!queue || QPrinterInfo::printerInfo(*queue).isNull())
        return Failure::because(printServerAnswers() ? noPrinterNamed(name) : serverSilence(name));
    device().setPrinterName(*queue);
    followPrinter();
    return Failure::none();
}

void CurrentPrinter::followPrinter() {
    followPrinterOf(device());
}

PrinterPage CurrentPrinter::page() const {
    const QPrinter& printer = device();
    return PrinterPage{printer.logicalDpiX(), QSize(printer.width(), printer.height())};
}

Failure CurrentPrinter::unavailable() const {
    const QPrinter& printer = device();
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    if (toFile ? printer.outputFileName().isEmpty() : printer.printerName().isEmpty())
        return Failure::because(QStringLiteral("There is no printer to print on: the print "
                                               "server is not running or offers no printer."));
    return Failure::none();
}

std::optional<QString> CurrentPrinter::heldJobNotice() const {
    if (device().outputFormat() != QPrinter::NativeFormat || !queueIsStopped(name()))
        return std::nullopt;
    return QStringLiteral("The printer \"%1\" is stopped; the job waits until it is started "
                          "again.")
        .arg(name());
}
