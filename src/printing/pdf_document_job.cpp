#include "printing/pdf_document_job.h"

#include "printing/current_printer.h"
#include "printing/print_system.h"

#include <QList>
#include <QPageLayout>
#include <QPrintEngine>
#include <QPrinter>

#include <cups/cups.h>

#include <utility>

namespace {

// Where the toolkit's print engine keeps the print server options its dialog chose, as name
// and value in turn; it has no public name for it.
constexpr auto kServerOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QByteArray sides(const QPrinter& printer) {
    switch (printer.duplex()) {
    case QPrinter::DuplexNone:
        return "one-sided";
    case QPrinter::DuplexAuto:
        return printer.pageLayout().orientation() == QPageLayout::Portrait ? "two-sided-long-edge"
                                                                           : "two-sided-short-edge";
    case QPrinter::DuplexLongSide:
        return "two-sided-long-edge";
    case QPrinter::DuplexShortSide:
        return "two-sided-short-edge";
    }
    return "one-sided";
}

// The options the toolkit's engine hands over with each of its jobs. Its copies are pages of
// their own in our jobs, never an option. Its PDF pages are already turned for a landscape
// sheet, which it says with an empty "landscape" that the server reads as false.
QList<std::pair<QByteArray, QByteArray>> jobOptions(QPrinter& printer) {
    QList<std::pair<QByteArray, QByteArray>> options = {
        {"media", printer.pageLayout().pageSize().key().toUtf8()}, {"sides", sides(printer)}};
    if (printer.pageLayout().orientation() == QPageLayout::Landscape)
        options.emplaceBack("landscape", QByteArray());
    const QStringList chosen = printer.printEngine()->property(kServerOptions).toStringList();
    for (qsizetype i = 0; i + 1 < chosen.size(); i += 2)
        options.emplaceBack(chosen[i].toUtf8(), chosen[i + 1].toUtf8());
    return options;
}

} // namespace

Failure printPdfDocument(CurrentPrinter& current, const QString& title, QByteArrayView pdf) {
    if (Failure reason = current.unavailable(); reason.failed())
        return reason;
    if (Failure refusal = queueRefusal(current.name()); refusal.failed())
        return refusal;
    // A name may carry an instance after a slash; the server knows the queue without it.
    const QByteArray queue = current.name().section(u'/', 0, 0).toUtf8();
    const QByteArray jobTitle = title.toUtf8();

    QList<std::pair<QByteArray, QByteArray>> named = jobOptions(current.printer());
    QList<cups_option_t> options;
    for (auto& [name, value] : named)
        options.append(cups_option_t{name.data(), value.data()});
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.constData(), jobTitle.constData(),
                                  int(options.size()), options.data());
    bool sent = false;
    if (job > 0 &&
        cupsStartDocument(CUPS_HTTP_DEFAULT, queue.constData(), job, jobTitle.constData(),
                          CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE) {
        cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.data(), size_t(pdf.size()));
        sent = cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData()) <=
               IPP_STATUS_OK_EVENTS_COMPLETE;
    }
    Failure refusal = refusalOfLastJob(current.name(), title);
    // A job left without its document would wait for it until the server gives up.
    if (job > 0 && !sent)
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job, 0);
    if (refusal.failed())
        return refusal;
    if (!sent && job <= 0)
        return Failure::because(QStringLiteral("The printer \"%1\" could not begin the job \"%2\".")
                                    .arg(current.name(), title));
    if (!sent)
        return Failure::because(
            QStringLiteral("The printer \"%1\" could not finish the job \"%2\".")
                .arg(current.name(), title));
    return Failure::none();
}
