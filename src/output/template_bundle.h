#pragma once

#include "output/png_encoder.h"

#include <QString>

#include <optional>

class PageLayers;
struct DevicePage;
struct PageDesign;

// Writes a template for a tablet that takes PNG and SVG templates into the folder `dir`, which
// must exist: NAME.png, NAME.svg of the same page, and a templates.json that lists it in the
// tablet's own form, for the user to merge into the tablet's list. Returns "FILE: reason" of a
// failure.
std::optional<QString> writeTemplateBundle(const QString& dir, const QString& name,
                                           const DevicePage& page, const PageDesign& design,
                                           const PageLayers& layers,
                                           PngCompression compression = PngCompression::Fast);
