#include "printing/print_system.h"

#include <cups/cups.h>

#include <cstring>

std::optional<QString> queueRefusal(const QString& printerName) {
    cups_dest_t* dest =
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, printerName.toLocal8Bit().constData(), nullptr);
    if (!dest) {
        if (cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
            return QStringLiteral("The print server does not answer, so nothing can be printed "
                                  "on \"%1\".")
                .arg(printerName);
        return QStringLiteral("The print server does not know the printer \"%1\".")
            .arg(printerName);
    }
    std::optional<QString> refusal;
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    if (accepting && std::strcmp(accepting, "false") == 0) {
        const QString reason = QString::fromLocal8Bit(
            cupsGetOption("printer-state-message", dest->num_options, dest->options));
        refusal = QStringLiteral("The printer \"%1\" does not accept jobs").arg(printerName) +
                  (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason) +
                  (reason.endsWith(u'.') ? QString() : QStringLiteral("."));
    }
    cupsFreeDests(1, dest);
    return refusal;
}

std::optional<QString> refusalOfLastJob(const QString& printerName, const QString& jobTitle) {
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return std::nullopt;
    return QStringLiteral("The print server refused the job \"%1\" for the printer \"%2\": %3.")
        .arg(jobTitle, printerName, QString::fromLocal8Bit(cupsLastErrorString()));
}
