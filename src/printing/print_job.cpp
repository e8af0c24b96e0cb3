#include "printing/print_job.h"

#include "output/notebook_pages.h"
#include "output/paged_page.h"
#include "printing/current_printer.h"
#include "printing/print_run.h"
#include "render/page_scale.h"
#include "render/painter_surface.h"
#include "settings/page_design.h"
#include "settings/units.h"

#include <QPainter>

namespace {

constexpr QRgb kSilver = 0xffc0c0c0;
constexpr QRgb kBlack = 0xff000000;

} // namespace

Failure printDesign(CurrentPrinter& printer, const PageToDraw& first, int copies,
                    int pagesPerCopy) {
    if (copies < 1)
        return Failure::because(
            QStringLiteral("There is nothing to print: the number of copies must be at "
                           "least 1."));
    return runPrintJob(printer, QString::fromLatin1(kPageJobTitle), copies * pagesPerCopy,
                       [&](QPainter& painter, int page) {
                           const PageDesign design =
                               notebookPageDesign(first.design, page % pagesPerCopy);
                           drawPageOnPagedDevice(painter, {first.scale, design, first.layers});
                       });
}

QSize testRectangleSize(int dotsPerInchX, int dotsPerInchY) {
    // The quotient first, then times the whole resolution: the order decides the truncation.
    const double inches = 100 / BaseMmPerInch;
    return QSize(truncToPixels(inches * dotsPerInchX), truncToPixels(inches * dotsPerInchY));
}

Failure printTestRectangle(CurrentPrinter& printer) {
    return runPrintJob(printer, QString::fromLatin1(kTestJobTitle), 1, [](QPainter& painter, int) {
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
