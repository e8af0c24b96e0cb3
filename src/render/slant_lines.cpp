#include "render/paper_rulings.h"
#include "render/ruling_area.h"
#include "settings/page_design.h"

#include <cmath>
#include <numbers>

// Lines leaning right at the slant angle, one through the left edge on the top edge and the
// others the slant spacing apart along it, from the top edge down to where the lines end.
// Dashes start on the top edge, as a guide's start on its left end.
void ruleSlantLines(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                    const RulingSpan& span, double dashMm, double gapMm) {
    const double space = design.slantSpaceMm;
    if (!design.slantLines || !(space > 0))
        return;
    const double radians = design.slantAngleDegrees * std::numbers::pi / 180;
    const double rise = std::sin(radians);
    if (!(rise > 0))
        return;
    // Going down a line moves it left by `run` for every millimetre; upright lines exactly so.
    const double run = design.slantAngleDegrees == 90 ? 0 : std::cos(radians) / rise;
    const RulingArea area = rulingArea(scale, design, span, design.guideWidthPoints);
    const PieceStyle style{{design.guideColour, design.guideWidthPoints},
                           design.guidesDashed ? dashMm : 0,
                           design.guidesDashed ? gapMm : 0};
    const double period = style.dashMm > 0 ? style.dashMm + style.gapMm : 1;
    const double left = span.leftEdge.mm;
    const double top = design.topMarginMm;

    // Each line starts whole periods above the top edge, so that the area cuts it there and its
    // dashes still fall where they would from the top edge.
    const double above = period * std::ceil((top - area.outerTop) / rise / period);
    const double depth = area.outerBottom - top;
    const long first = long(std::ceil((area.outerLeft - left) / space));
    const long last = long(std::floor((area.outerRight + depth * run - left) / space));
    for (long n = first; n <= last; ++n) {
        const double x = left + double(n) * space;
        pieceInArea(marks, scale, area, x + above * rise * run, top - above * rise, x - depth * run,
                    top + depth, style);
    }
}
