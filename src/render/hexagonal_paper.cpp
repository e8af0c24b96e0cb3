#include "render/paper_rulings.h"
#include "render/ruling_area.h"
#include "settings/page_design.h"

#include <cmath>

// Hexagons of side s, worked out flat-top in (u, v) from the left and top edges: centres at
// u = s + 1.5*s*c and v = (1 + 2r)*a, a = s*sqrt(3)/2, the odd columns a lower. Pointy tops are
// the same lattice turned by 90 degrees, u and v exchanged. Each hexagon draws its top and its
// two left edges: the others are those of its neighbours, so every edge is drawn once.
void ruleHexagonalPaper(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                        const RulingSpan& span) {
    const double s = design.lineSpacingMm;
    if (!(s > 0))
        return;
    const RulingArea area = rulingArea(scale, design, span, design.lineWidthPoints);
    const double left = span.leftEdge.mm;
    const double top = design.topMarginMm;
    const bool pointy = design.hexagonPointyTop;
    const PieceStyle style{{design.lineColour, design.lineWidthPoints}};
    const auto edge = [&](double u1, double v1, double u2, double v2) {
        if (pointy)
            pieceInArea(marks, scale, area, left + v1, top + u1, left + v2, top + u2, style);
        else
            pieceInArea(marks, scale, area, left + u1, top + v1, left + u2, top + v2, style);
    };

    const double a = s * std::sqrt(3.0) / 2;
    const double uLow = pointy ? area.outerTop - top : area.outerLeft - left;
    const double uHigh = pointy ? area.outerBottom - top : area.outerRight - left;
    const double vLow = pointy ? area.outerLeft - left : area.outerTop - top;
    const double vHigh = pointy ? area.outerRight - left : area.outerBottom - top;
    // One hexagon more after the last that reaches the box: it owns the last ones' far edges.
    const long firstColumn = long(std::floor((uLow - 2 * s) / (1.5 * s)));
    const long lastColumn = long(std::ceil(uHigh / (1.5 * s))) + 1;
    for (long c = firstColumn; c <= lastColumn; ++c) {
        const double u = s + 1.5 * s * double(c);
        const double shift = c % 2 != 0 ? a : 0;
        const long firstRow = long(std::floor((vLow - 2 * a - shift) / (2 * a)));
        const long lastRow = long(std::ceil((vHigh - shift) / (2 * a))) + 1;
        for (long r = firstRow; r <= lastRow; ++r) {
            const double v = a * double(1 + 2 * r) + shift;
            edge(u - s / 2, v - a, u + s / 2, v - a);
            edge(u - s, v, u - s / 2, v - a);
            edge(u - s, v, u - s / 2, v + a);
        }
    }
}
