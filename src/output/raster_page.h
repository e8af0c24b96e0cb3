#pragma once

#include "base/failure.h"
#include "output/page_bands.h"
#include "output/page_to_draw.h"
#include "output/png_encoder.h"

#include <QRect>
#include <QString>

#include <optional>

// A picture file of a page: `area` of the page (page pixels), drawn by `draw` on a surface
// that shows any band of it.
struct BandedPicture {
    QRect area;
    DrawOnSurface draw;
};

// Each draws `picture` a band at a time, writing each band into the file as it is drawn, so
// that neither the page nor the file is ever held whole; the file says its resolution, and
// replaces any file at `path` only when it is complete. Drawing and writing go on together:
// `drawn` is told once the first band is drawn.
//
// An 8-bit RGB or grey PNG.
Failure writePngInBands(const BandedPicture& picture, const QString& path, int dotsPerInch,
                        PngCompression compression, PngColours colours, const PageDrawn& drawn);
// An uncompressed 24-bit BMP, whose rows go from the bottom up: so are the bands drawn.
Failure writeBmpInBands(const BandedPicture& picture, const QString& path, int dotsPerInch,
                        const PageDrawn& drawn);

// The page as an RGB PNG and as a BMP, for the table of output formats.
Failure writePngFile(const PageToDraw& page, const QString& path, const PageDrawn& drawn,
                     PngCompression compression);
Failure writeBmpFile(const PageToDraw& page, const QString& path, const PageDrawn& drawn,
                     PngCompression);
