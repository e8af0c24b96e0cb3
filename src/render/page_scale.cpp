#include "render/page_scale.h"

#include <climits>
#include <cmath>

int truncToPixels(double value) {
    // Far beyond any surface, yet far from overflowing the additions of the renderer.
    constexpr double kLimit = double(INT_MAX / 4);
    if (std::isnan(value))
        return 0;
    if (value >= kLimit)
        return int(kLimit);
    if (value <= -kLimit)
        return -int(kLimit);
    return int(value); // truncates toward zero
}

namespace {

// The same order of operations for exact and truncated positions, so that truncating an exact
// position gives the pixel every other length of the page lands on.
double exactLength(const PageScale& scale, double mm, double mmPerInch) {
    if (scale.ZoomPercent)
        return *scale.ZoomPercent * ((mm / mmPerInch) * scale.DotsPerInch) / 100;
    return (mm / mmPerInch) * scale.DotsPerInch;
}

} // namespace

bool PageScale::isDrawable() const {
    const auto positive = [](double v) { return std::isfinite(v) && v > 0; };
    return DotsPerInch > 0 && positive(MmPerInchX) && positive(MmPerInchY) &&
           (!ZoomPercent || positive(*ZoomPercent));
}

int PageScale::MmToX(double mm) const {
    return truncToPixels(exactLength(*this, mm, MmPerInchX));
}

int PageScale::MmToY(double mm) const {
    return truncToPixels(exactLength(*this, mm, MmPerInchY));
}

double PageScale::MmToExactX(double mm) const {
    return exactLength(*this, mm, MmPerInchX);
}

double PageScale::MmToExactY(double mm) const {
    return exactLength(*this, mm, MmPerInchY);
}

int PageScale::PointsToPixels(double points) const {
    if (ZoomPercent)
        return truncToPixels(*ZoomPercent * ((points / 72) * DotsPerInch) / 100);
    return truncToPixels((points / 72) * DotsPerInch);
}
