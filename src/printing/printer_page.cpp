#include "printing/printer_page.h"

#include "render/page_scale.h"

#include <QtGlobal>

#include <algorithm>

namespace {

// QWIDGETSIZE_MAX, without pulling the widgets into the core.
constexpr int kLargestBoxSide = (1 << 24) - 1;

int boxSide(qint64 devicePixels, int screenDotsPerInch, int printerDotsPerInch,
            double zoomPercent) {
    if (printerDotsPerInch <= 0)
        return 0;
    // The product of two integers stays whole; the division and all after it are real.
    const double side =
        zoomPercent * (double(devicePixels * screenDotsPerInch) / printerDotsPerInch) / 100;
    return std::clamp(truncToPixels(side), 0, kLargestBoxSide);
}

} // namespace

QSize previewBoxSize(const PrinterPage& page, int screenDotsPerInch, double zoomPercent) {
    return QSize(
        boxSide(page.printableArea.width(), screenDotsPerInch, page.dotsPerInch, zoomPercent),
        boxSide(page.printableArea.height(), screenDotsPerInch, page.dotsPerInch, zoomPercent));
}
