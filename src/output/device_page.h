#pragma once

#include "base/failure.h"

#include "output/page_to_draw.h"
#include "output/png_encoder.h"
#include "render/page_scale.h"

#include <QSize>
#include <QString>

#include <optional>

class PageLayers;
struct OutputFormat;
struct PageDesign;
struct TabletDevice;

// A page for a tablet's screen, drawn as the print would be for a printer whose printable area
// is the screen right of the toolbar's band, at the screen's pixels per inch. A screen needs no
// calibration: the page has its exact millimetres.
struct DevicePage {
    const TabletDevice& device;
    bool landscape = false;
    int toolbarMarginPixels = 0; // the band at the left that stays white
    bool snapToPixels = false;   // every spacing in whole pixels of the screen

    // The screen as the page is held.
    QSize screen() const;
    // The area right of the band that the page is drawn into.
    PageScale drawnScale() const;
};

// Why a device page cannot be written in `format` (null: a suffix of no format), if it cannot:
// a tablet takes grey PNG pages, and PDF pages where it takes PDF templates.
Failure deviceFormatProblem(const OutputFormat* format, const TabletDevice& device);

// Draws the page and writes it into `path` in `format` (PNG as 8-bit grey without alpha, PDF
// exact or vector, or SVG), replacing a file there only when the new one is complete; returns
// the reason of a failure, as for a format that no tablet takes.
Failure writeDevicePage(const OutputFormat& format, const QString& path, const DevicePage& page,
                        const PageDesign& design, const PageLayers& layers,
                        const PageDrawn& drawn = {},
                        PngCompression compression = PngCompression::Fast);
