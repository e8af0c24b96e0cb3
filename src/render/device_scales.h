#pragma once

#include "render/page_scale.h"
#include "render/printer_page.h"
#include "settings/page_calibration.h"

#include <QSize>

// The scale of a printed page: the printer's resolution and printable area, no zoom, and the
// calibration with its left and top distances.
PageScale printScale(const PrinterPage& printer, const PageCalibration& calibration);

// The preview's page box: the printable area at the screen's resolution, times the zoom in
// percent. The height is converted with the horizontal resolution as well, and the
// calibration does not enter. Never negative, and never larger than a widget can be.
QSize previewBoxSize(const PrinterPage& printer, int screenDotsPerInch, double zoomPercent);

// The scale of the preview: the page box at the screen's resolution and the zoom, with the
// calibration's millimetres per inch but not its distances, which only the paper has.
PageScale previewScale(const PrinterPage& printer, const PageCalibration& calibration,
                       int screenDotsPerInch, double zoomPercent);
