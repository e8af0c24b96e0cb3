#include "printing/print_job.h"

#include "document/calibration.h"
#include "printing/current_printer.h"
#include "printing/print_system.h"
#include "render/painter_surface.h"
#include "settings/paper_settings.h"
#include "settings/units.h"

#include <QPainter>

#include <functional>

namespace {

constexpr QRgb kSilver = 0xffc0c0c0;
constexpr QRgb kBlack = 0xff000000;

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

// One job of `pageCount` pages on the current printer, every failure turned into a sentence.
std::optional<QString> runJob(CurrentPrinter& current, const QString& title, int pageCount,
                              const std::function<void(QPainter&)>& drawPage) {
    if (auto reason = current.unavailableReason())
        return reason;
    QPrinter& printer = current.printer();
    const bool toServer = printer.outputFormat() == QPrinter::NativeFormat;
    if (toServer) {
        if (auto refusal = queueRefusal(current.name()))
            return refusal;
    }
    printer.setDocName(title);
    const SingleCopy singleCopy(printer);

    QPainter painter;
    if (!painter.begin(&printer))
        return QStringLiteral("The printer \"%1\" could not begin the job \"%2\".")
            .arg(current.name(), title);
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0 && !printer.newPage()) {
            printer.abort();
            painter.end();
            return QStringLiteral("The printer \"%1\" could not begin page %2 of the job \"%3\".")
                .arg(current.name())
                .arg(page + 1)
                .arg(title);
        }
        drawPage(painter);
    }
    if (!painter.end())
        return QStringLiteral("The printer \"%1\" could not finish the job \"%2\".")
            .arg(current.name(), title);
    if (toServer)
        return refusalOfLastJob(current.name(), title);
    return std::nullopt;
}

} // namespace

std::optional<QString> printDesign(CurrentPrinter& printer, const PaperSettings& settings,
                                   const CalibrationSettings& calibration, int copies,
                                   const PageLayers& layers) {
    if (copies < 1)
        return QStringLiteral("There is nothing to print: the number of copies must be at "
                              "least 1.");
    return runJob(printer, QString::fromLatin1(kPageJobTitle), copies, [&](QPainter& painter) {
        PainterSurface surface(painter);
        DrawPage(surface, printScale(printer.page(), calibration.forPage()), settings, layers);
    });
}

QSize testRectangleSize(int dotsPerInchX, int dotsPerInchY) {
    // The quotient first, then times the whole resolution: the order decides the truncation.
    const double inches = 100 / BaseMmPerInch;
    return QSize(truncToPixels(inches * dotsPerInchX), truncToPixels(inches * dotsPerInchY));
}

std::optional<QString> printTestRectangle(CurrentPrinter& printer) {
    return runJob(printer, QString::fromLatin1(kTestJobTitle), 1, [](QPainter& painter) {
        const QSize size =
            testRectangleSize(painter.device()->logicalDpiX(), painter.device()->logicalDpiY());
        PainterSurface surface(painter);
        surface.setBrushColor(kSilver);
        surface.setPenColor(kBlack);
        surface.setPenWidth(1);
        surface.setPenMode(PenMode::Copy);
        surface.rectangle(0, 0, size.width(), size.height());
    });
}
