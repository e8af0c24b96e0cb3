#include "render/ruling.h"

LineMark lineAcross(const RulingSpan& span, double y, const MarkPen& pen) {
    return {span.fillLeft, {y}, span.fillRight, {y}, pen};
}

LineMark lineDown(MarkCoordinate x, const MarkPen& pen) {
    return {x, {0}, x, {0, true}, pen};
}

std::vector<GridColumn> gridColumns(const PageScale& scale, double spacing,
                                    const RulingSpan& span) {
    const int fillLeft = pixelX(scale, span.fillLeft);
    const int fillRight = pixelX(scale, span.fillRight);
    std::vector<GridColumn> columns;
    double e = -spacing / 2;
    for (int k = 0, x = scale.MmToX(e); x < fillRight; x = scale.MmToX(e), ++k) {
        if (x > fillLeft)
            columns.push_back({e, k - span.leftColumnStep});
        e += spacing;
    }
    return columns;
}
