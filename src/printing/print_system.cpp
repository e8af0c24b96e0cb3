#include "printing/print_system.h"

#include <QtGlobal>

#include <cups/cups.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct DestDeleter {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
using Dest = std::unique_ptr<cups_dest_t, DestDeleter>;

struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

Dest findQueue(const QString& printerName) {
    return Dest(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, printerName.toLocal8Bit().constData(), nullptr));
}

const char* option(const Dest& dest, const char* name) {
    return cupsGetOption(name, dest->num_options, dest->options);
}

// The name under which the toolkit knows a destination: the queue's, and an instance's after a
// slash.
QString destinationName(const cups_dest_t& dest) {
    const QString queue = QString::fromLocal8Bit(dest.name);
    return dest.instance ? queue + u'/' + QString::fromLocal8Bit(dest.instance) : queue;
}

// The print server's answer to a question about one attribute of a queue, or null.
Ipp askQueue(const Dest& dest, const char* attributeName) {
    const char* uri = option(dest, "printer-uri-supported");
    if (!uri)
        return nullptr;
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 attributeName);
    return Ipp(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
}

// What the administrator wrote about the queue's state, such as why it refuses jobs.
QString stateMessage(const Dest& dest) {
    const Ipp response = askQueue(dest, "printer-state-message");
    ipp_attribute_t* attribute =
        ippFindAttribute(response.get(), "printer-state-message", IPP_TAG_TEXT);
    return attribute ? QString::fromUtf8(ippGetString(attribute, 0, nullptr)).trimmed() : QString();
}

// A sentence from the print server's words, which may or may not end in a full stop.
QString sentence(const QString& text) {
    return text.endsWith(u'.') ? text : text + u'.';
}

} // namespace

std::optional<QString> queueNamed(const QString& name) {
    // An empty name would ask for the default printer.
    if (name.isEmpty())
        return std::nullopt;
    const Dest dest = findQueue(name);
    if (!dest)
        return std::nullopt;
    return destinationName(*dest);
}

QStringList queueNames() {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << destinationName(dests[i]);
    cupsFreeDests(count, dests);
    return names;
}

std::optional<int> queueResolution(const QString& printerName) {
    const Dest dest = findQueue(printerName);
    if (!dest)
        return std::nullopt;
    const Ipp response = askQueue(dest, "printer-resolution-default");
    ipp_attribute_t* attribute =
        ippFindAttribute(response.get(), "printer-resolution-default", IPP_TAG_RESOLUTION);
    if (!attribute)
        return std::nullopt;
    int vertical = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int horizontal = ippGetResolution(attribute, 0, &vertical, &units);
    if (horizontal <= 0)
        return std::nullopt;
    return units == IPP_RES_PER_CM ? qRound(horizontal * 2.54) : horizontal;
}

bool printServerAnswers() {
    constexpr int kWaitMilliseconds = 5000;
    http_t* connection = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(),
                                      1, kWaitMilliseconds, nullptr);
    if (!connection)
        return false;
    httpClose(connection);
    return true;
}

QString serverSilence(const QString& printerName) {
    return QStringLiteral("The print server does not answer, so nothing can be printed on "
                          "\"%1\".")
        .arg(printerName);
}

Failure queueRefusal(const QString& printerName) {
    const Dest dest = findQueue(printerName);
    if (!dest) {
        if (!printServerAnswers())
            return Failure::because(serverSilence(printerName));
        return Failure::because(
            QStringLiteral("The print server does not know the printer \"%1\".").arg(printerName));
    }
    const char* accepting = option(dest, "printer-is-accepting-jobs");
    if (!accepting || std::strcmp(accepting, "false") != 0)
        return Failure::none();
    const QString refusal =
        QStringLiteral("The printer \"%1\" does not accept jobs").arg(printerName);
    const QString reason = stateMessage(dest);
    return Failure::because(
        sentence(reason.isEmpty() ? refusal : refusal + QStringLiteral(": ") + reason));
}

bool queueIsStopped(const QString& printerName) {
    const Dest dest = findQueue(printerName);
    const char* state = dest ? option(dest, "printer-state") : nullptr;
    return state && std::atoi(state) == IPP_PSTATE_STOPPED;
}

Failure refusalOfLastJob(const QString& printerName, const QString& jobTitle) {
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return Failure::none();
    return Failure::because(
        sentence(QStringLiteral("The print server refused the job \"%1\" for the printer "
                                "\"%2\": %3")
                     .arg(jobTitle, printerName, QString::fromUtf8(cupsLastErrorString()))));
}
