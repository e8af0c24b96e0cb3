#include "render/snapped_design.h"

#include <algorithm>
#include <cmath>

namespace {

// A page of the scale's pixels on each axis; a device page has no zoom.
struct PixelAxis {
    double mmPerInch;
    int dotsPerInch;

    double pixels(double mm) const { return mm / mmPerInch * dotsPerInch; }
    double mm(double pixels) const { return pixels * mmPerInch / dotsPerInch; }
    // The length of the nearest whole number of pixels, at least one, with the sign kept.
    double whole(double mm) const {
        const double rounded = std::max(1.0, std::round(std::abs(pixels(mm))));
        return std::copysign(this->mm(rounded), mm);
    }
};

bool draws(double spacing) {
    return std::isfinite(spacing) && spacing > 0;
}

// The top margin that puts the first ruled line on the centre of the pixel it lies in, with
// the ruling's own arithmetic for where that line is.
double topMarginOnPixelCentre(const PageDesign& design, const PixelAxis& y) {
    const double spacing = design.lineSpacingMm;
    const double before = design.withoutFirstLine ? 2 * spacing : 0;
    const double first = design.topMarginMm - spacing / 2 + before;
    double centre = std::floor(y.pixels(first)) + 0.5;
    // Truncation goes toward zero: a line at -0.5 would land on row 0, a pixel below its place.
    const double steps = (-0.5 - centre) / std::round(y.pixels(spacing));
    if (steps >= 0 && steps == std::floor(steps))
        centre += 1;
    return y.mm(centre) + spacing / 2 - before;
}

// Whole pixels plus a sliver that keeps every position of the grid, -D/2 + k*D, inside the
// pixel its whole part names, over as many rows as the longer side of the page can hold.
double gridSpacing(double spacing, const PixelAxis& axis, const PageScale& scale) {
    const double whole = std::max(1.0, std::round(axis.pixels(spacing)));
    const double rows = std::ceil(std::max(scale.SurfaceWidth, scale.SurfaceHeight) / whole) + 2;
    return axis.mm(whole + 1 / (4 * rows));
}

} // namespace

PageDesign snappedToPixels(const PageDesign& design, const PageScale& scale) {
    const PixelAxis x{scale.MmPerInchX, scale.DotsPerInch};
    const PixelAxis y{scale.MmPerInchY, scale.DotsPerInch};
    PageDesign snapped = design;
    if (draws(design.lineSpacingMm)) {
        snapped.lineSpacingMm = y.whole(design.lineSpacingMm);
        if (design.kind == PaperKind::Ruled)
            snapped.topMarginMm = topMarginOnPixelCentre(snapped, y);
    }
    for (double& offset : snapped.guideOffsetsMm) {
        if (offset != 0 && std::isfinite(offset))
            offset = y.whole(offset);
    }
    if (draws(design.gridSpacingMm))
        snapped.gridSpacingMm = gridSpacing(design.gridSpacingMm, y, scale);
    if (draws(design.slantSpaceMm))
        snapped.slantSpaceMm = x.whole(design.slantSpaceMm);
    return snapped;
}
