#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include <span>

// An e-ink tablet a page is drawn for: its screen in portrait, its pixels per inch, the band at
// the left that its toolbar covers, and the files it takes as page templates.
struct TabletDevice {
    QStringList names; // the first is the one the table shows; the others name the same screen
    QSize pixels;      // portrait
    int pixelsPerInch;
    int toolbarMarginPixels;  // 0 where the maker gives no figure
    bool takesPdf;            // besides PNG
    bool takesTemplateBundle; // PNG, SVG and an entry of the tablet's templates.json

    QString name() const { return names.first(); }
};

std::span<const TabletDevice> tabletDevices();
// The device of any of its names, or null.
const TabletDevice* tabletDeviceNamed(const QString& name);
// Every name of every device, in the table's order.
QStringList tabletDeviceNames();
// The table as `--device list` prints it: a line per device with its names, pixels, pixels per
// inch, toolbar margin and the files it takes.
QString tabletDeviceListing();
