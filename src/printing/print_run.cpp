#include "printing/print_run.h"

#include "printing/current_printer.h"
#include "printing/print_system.h"

#include <QPainter>

namespace {

// Copies are pages of their own, so the printer must not multiply them again while a job runs;
// afterwards the count the user chose is offered again by the next print dialog.
class SingleCopy {
  public:
    explicit SingleCopy(QPrinter& printer) : m_printer(printer), m_chosen(printer.copyCount()) {
        m_printer.setCopyCount(1);
    }
    ~SingleCopy() { m_printer.setCopyCount(m_chosen); }
    SingleCopy(const SingleCopy&) = delete;
    SingleCopy& operator=(const SingleCopy&) = delete;

  private:
    QPrinter& m_printer;
    int m_chosen;
};

} // namespace

Failure runPrintJob(CurrentPrinter& current, const QString& title, int pageCount,
                    const std::function<void(QPainter&, int page)>& drawPage) {
    if (Failure reason = current.unavailable(); reason.failed())
        return reason;
    QPrinter& printer = current.printer();
    const bool toServer = printer.outputFormat() == QPrinter::NativeFormat;
    if (toServer) {
        if (Failure refusal = queueRefusal(current.name()); refusal.failed())
            return refusal;
    }
    printer.setDocName(title);
    const SingleCopy singleCopy(printer);

    QPainter painter;
    if (!painter.begin(&printer))
        return Failure::because(QStringLiteral("The printer \"%1\" could not begin the job \"%2\".")
                                    .arg(current.name(), title));
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0 && !printer.newPage()) {
            printer.abort();
            painter.end();
            return Failure::because(
                QStringLiteral("The printer \"%1\" could not begin page %2 of the job \"%3\".")
                    .arg(current.name())
                    .arg(page + 1)
                    .arg(title));
        }
        drawPage(painter, page);
    }
    if (!painter.end())
        return Failure::because(
            QStringLiteral("The printer \"%1\" could not finish the job \"%2\".")
                .arg(current.name(), title));
    if (toServer)
        return refusalOfLastJob(current.name(), title);
    return Failure::none();
}
