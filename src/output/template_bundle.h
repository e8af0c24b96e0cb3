#pragma once

#include "base/failure.h"
#include "output/png_encoder.h"

#include <QString>

class PageLayers;
struct DevicePage;
struct PageDesign;

// Why `name` cannot name a template in the tablet's list, if it cannot.
Failure templateNameProblem(const QString& name);

// Writes a template for a tablet that takes PNG and SVG templates into the folder `dir`, made
// if missing: NAME.png, NAME.svg of the same page, and a templates.json that lists it in the
// tablet's own form, for the user to merge into the tablet's list. The three replace the files
// there all together or not at all; a name that cannot be listed writes nothing. Returns
// "FILE: reason" of a failure, or the name's problem.
Failure writeTemplateBundle(const QString& dir, const QString& name, const DevicePage& page,
                            const PageDesign& design, const PageLayers& layers,
                            PngCompression compression = PngCompression::Fast);
