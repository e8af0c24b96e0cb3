#include "page/punch_holes.h"

#include "page/notebook_page.h"
#include "settings/page_design.h"

#include <span>

namespace {

constexpr double kHoleDiameterMm = 6;
constexpr double kCentreFromEdgeMm = 12;

// The holes' centres from the middle of the sheet's height, downwards, in millimetres.
std::span<const double> holesOf(HolesPattern pattern) {
    static constexpr double kTwo[] = {-40, 40};
    static constexpr double kFour[] = {-120, -40, 40, 120};
    static constexpr double kThree[] = {-108, 0, 108};
    switch (pattern) {
    case HolesPattern::TwoHoles80:
        return kTwo;
    case HolesPattern::FourHoles80:
        return kFour;
    case HolesPattern::ThreeHoles108:
        return kThree;
    case HolesPattern::None:
        break;
    }
    return {};
}

} // namespace

void markPunchHoles(MarkSink& marks, const PageScale& scale, const PageDesign& design) {
    const std::span<const double> holes = holesOf(design.holes);
    if (holes.empty())
        return;
    // The calibration's left distance is taken off a distance from either side, as it is off
    // the edges, so that the holes keep their place beside the edges on paper.
    const double fromEdge = kCentreFromEdgeMm - scale.LeftOffsetMm;
    const double pageWidthMm = scale.SurfaceWidth / scale.MmToExactX(1);
    const double middleMm = scale.SurfaceHeight / scale.MmToExactY(1) / 2;
    const double x = isMirroredPage(design) ? pageWidthMm - fromEdge : fromEdge;
    const MarkPen hairline{design.guideColour, 0};
    for (const double offset : holes)
        marks.circle({x, middleMm + offset, kHoleDiameterMm / 2, hairline});
}
