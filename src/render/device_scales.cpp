#include "render/device_scales.h"

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

PageScale printScale(const PrinterPage& printer, const PageCalibration& calibration) {
    PageScale scale;
    scale.SurfaceWidth = printer.printableArea.width();
    scale.SurfaceHeight = printer.printableArea.height();
    scale.DotsPerInch = printer.dotsPerInch;
    scale.MmPerInchX = calibration.MmPerInchX;
    scale.MmPerInchY = calibration.MmPerInchY;
    scale.LeftOffsetMm = calibration.LeftOffsetMm;
    scale.TopOffsetMm = calibration.TopOffsetMm;
    return scale;
}

QSize previewBoxSize(const PrinterPage& printer, int screenDotsPerInch, double zoomPercent) {
    return QSize(
        boxSide(printer.printableArea.width(), screenDotsPerInch, printer.dotsPerInch, zoomPercent),
        boxSide(printer.printableArea.height(), screenDotsPerInch, printer.dotsPerInch,
                zoomPercent));
}

PageScale previewScale(const PrinterPage& printer, const PageCalibration& calibration,
                       int screenDotsPerInch, double zoomPercent) {
    const QSize box = previewBoxSize(printer, screenDotsPerInch, zoomPercent);
    PageScale scale;
    scale.SurfaceWidth = box.width();
    scale.SurfaceHeight = box.height();
    scale.DotsPerInch = screenDotsPerInch;
    scale.ZoomPercent = zoomPercent;
    scale.MmPerInchX = calibration.MmPerInchX;
    scale.MmPerInchY = calibration.MmPerInchY;
    return scale;
}
