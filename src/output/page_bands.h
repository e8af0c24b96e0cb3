#pragma once

#include "base/failure.h"

#include <QImage>
#include <QRect>

#include <functional>

class ImageSurface;

// Draws whatever `ImageSurface` it is given: a whole page, of which a surface shows one part.
using DrawOnSurface = std::function<void(ImageSurface&)>;
// Takes one band's pixels (RGB32, the area's width) whose first row is row `top` of the area;
// a failure ends the drawing.
using TakeBand = std::function<Failure(const QImage& band, int top)>;

// Bands go from the top down, or from the bottom up for a file that keeps its rows so.
enum class BandOrder { Downwards, Upwards };

// Rows of a band of an area `width` pixels wide: at least one, and as many as keep the band
// small enough to be read back from the processor's cache while it is written out.
int rowsPerFileBand(int width);

// Draws `area` of a page (page pixels) `rowsPerBand` rows at a time into one buffer that every
// band reuses, so that a page of any size costs the memory of a band, and gives each band to
// `take` in `order`. Every band is drawn whole by `draw`, its surface first filled white, and
// has exactly the pixels of that part of the whole page. Returns the first failure.
Failure drawInBands(const QRect& area, int rowsPerBand, BandOrder order, const DrawOnSurface& draw,
                    const TakeBand& take);
