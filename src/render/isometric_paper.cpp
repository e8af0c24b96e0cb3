#include "render/paper_rulings.h"
#include "render/ruling_area.h"
#include "settings/page_design.h"

#include <cmath>

// The lattice of equilateral triangles of side s: columns s*sqrt(3)/2 apart from the left edge,
// its points s apart down each column from the top edge, those of odd columns half a step
// lower. Lines go down the columns and at 30 degrees either way through every point; or the
// points alone are drawn as dots.
void ruleIsometricPaper(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                        const RulingSpan& span) {
    const double s = design.lineSpacingMm;
    if (!(s > 0))
        return;
    const bool dots = design.isometricDotsOnly;
    const RulingArea area =
        rulingArea(scale, design, span, dots ? design.dotSizePoints : design.lineWidthPoints);
    const double left = span.leftEdge.mm;
    const double top = design.topMarginMm;
    const double column = s * std::sqrt(3.0) / 2;
    const auto columnX = [&](long k) { return left + double(k) * column; };

    // The columns that lie in the area.
    long first = long(std::floor((area.outerLeft - left) / column));
    while (scale.MmToX(columnX(first)) < area.pixels.left())
        ++first;
    long end = first;
    while (scale.MmToX(columnX(end)) <= area.pixels.right())
        ++end;

    if (dots) {
        DotMark dot;
        dot.pen = {design.lineColour, design.dotSizePoints};
        dot.round = design.roundDots;
        for (long k = first; k < end; ++k) {
            const double offset = k % 2 != 0 ? s / 2 : 0;
            for (long j = -1;; ++j) {
                const double y = top + double(j) * s + offset;
                const int pixelRow = scale.MmToY(y);
                if (pixelRow > area.pixels.bottom())
                    break;
                if (pixelRow < area.pixels.top())
                    continue;
                dot.x = {columnX(k)};
                dot.y = {y};
                marks.dot(dot);
            }
        }
        return;
    }

    const PieceStyle style{{design.lineColour, design.lineWidthPoints}};
    for (long k = first; k < end; ++k)
        lineAcrossArea(marks, scale, area, columnX(k), top, 0, 1, style);
    // Line j of a family meets the left edge's column at top + j*s, and every column at a point.
    for (const double rise : {s / 2, -s / 2}) {
        const double slope = rise / column;
        const double atLeft = slope * (area.outerLeft - left);
        const double atRight = slope * (area.outerRight - left);
        const long lowest = long(std::ceil((area.outerTop - top - std::max(atLeft, atRight)) / s));
        const long highest =
            long(std::floor((area.outerBottom - top - std::min(atLeft, atRight)) / s));
        for (long j = lowest; j <= highest; ++j)
            lineAcrossArea(marks, scale, area, left, top + double(j) * s, column, rise, style);
    }
}
