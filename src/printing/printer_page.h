#pragma once

#include <QSize>

// What the preview and the print need to know of a printer: its horizontal resolution, which
// serves the vertical axis too, and its printable area in device pixels.
struct PrinterPage {
    int dotsPerInch = 0;
    QSize printableArea;

    bool operator==(const PrinterPage&) const = default;
};

// The preview's page box: the printable area at the screen's resolution, times the zoom in
// percent. The height is converted with the horizontal resolution as well, and the
// calibration does not enter. Never negative, and never larger than a widget can be.
QSize previewBoxSize(const PrinterPage& page, int screenDotsPerInch, double zoomPercent);
