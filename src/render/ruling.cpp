#include "render/ruling.h"

Pen penOf(const PageScale& scale, ColorValue colour, double widthPoints) {
    return {colorValueToRgb(colour), scale.PointsToPixels(widthPoints)};
}

void use(Surface& surface, const Pen& pen) {
    surface.setPenColor(pen.colour);
    surface.setPenWidth(pen.width);
}

void line(Surface& surface, int x1, int y1, int x2, int y2) {
    surface.moveTo(x1, y1);
    surface.lineTo(x2, y2);
}

std::vector<std::pair<int, int>> gridColumns(const PageScale& scale, double spacing,
                                             const RulingSpan& span) {
    std::vector<std::pair<int, int>> columns;
    double e = -spacing / 2;
    for (int k = 0, x = scale.MmToX(e); x < span.fillRight; x = scale.MmToX(e), ++k) {
        if (x > span.fillLeft)
            columns.emplace_back(x, k - span.leftColumnStep);
        e += spacing;
    }
    return columns;
}
