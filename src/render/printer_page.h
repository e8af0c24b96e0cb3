#pragma once

#include <QSize>

// What the preview and the print need to know of a printer: its horizontal resolution, which
// serves the vertical axis too, and its printable area in device pixels.
struct PrinterPage {
    int dotsPerInch = 0;
    QSize printableArea;

    bool operator==(const PrinterPage&) const = default;
};
