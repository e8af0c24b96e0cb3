#include "render/ruling.h"

#include "settings/page_design.h"

#include <vector>

namespace {

struct Pen {
    QRgb colour;
    int width;
};

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

// Every N-th row and column of a grid is bold, counted from index 0; N = 0 makes none bold.
struct MajorRule {
    int every;
    bool isMajor(int index) const { return every > 0 && index % every == 0; }
};

// A horizontal line that may be dashed from its left end: runs of 2 mm, gaps of 1 mm, the
// last run cut where the line ends. Runs under a pixel would vanish, so the line is solid.
void guideLine(Surface& surface, const PageScale& scale, int left, int right, int y, bool dashed) {
    const int run = scale.MmToX(2);
    const int gap = scale.MmToX(1);
    if (!dashed || run < 1 || right <= left) {
        line(surface, left, y, right, y);
        return;
    }
    for (qint64 x = left; x < right; x += qint64(run) + gap)
        line(surface, int(x), y, int(std::min<qint64>(x + run, right)), y);
}

// The rows of a grid: positions -D/2 + k*D from the top down to the surface's end, each with
// its index counted from the first row at or below the top.
template <typename Row> void forEachGridRow(const PageScale& scale, double spacing, Row row) {
    double e = -spacing / 2;
    int firstVisible = 0;
    for (double f = e; scale.MmToY(f) < 0; f += spacing)
        ++firstVisible;
    for (int k = 0, y = scale.MmToY(e); y < scale.SurfaceHeight; y = scale.MmToY(e), ++k) {
        row(y, k - firstVisible);
        e += spacing;
    }
}

// The columns of a grid strictly between the fill's ends, with their indexes counted from the
// left edge's column.
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

} // namespace

void drawRuledLines(Surface& surface, const PageScale& scale, const PageDesign& design,
                    const RulingSpan& span) {
    const Pen ruling = penOf(scale, design.lineColour, design.lineWidthPoints);
    const Pen guide = penOf(scale, design.guideColour, design.guideWidthPoints);
    const bool dashed = design.guidesDashed;
    std::vector<double> guides;
    for (const double offset : design.guideOffsetsMm) {
        if (offset != 0)
            guides.push_back(offset);
    }

    const double spacing = design.lineSpacingMm;
    double e = design.topMarginMm - spacing / 2;
    if (design.withoutFirstLine)
        e += 2 * spacing; // both lines around the top edge go
    const bool withoutLastLine = design.withoutLastLine;
    const int ruleBottom = scale.SurfaceHeight - scale.MmToY(design.bottomMarginMm);
    use(surface, ruling);
    int y = scale.MmToY(e);
    while (y < ruleBottom) {
        if (withoutLastLine && scale.MmToY(e + spacing) >= ruleBottom)
            break;
        line(surface, span.fillLeft, y, span.fillRight, y);
        if (!guides.empty()) {
            use(surface, guide);
            for (double offset : guides)
                guideLine(surface, scale, span.fillLeft, span.fillRight, scale.MmToY(e - offset),
                          dashed);
            use(surface, ruling);
        }
        e += spacing;
        y = scale.MmToY(e);
    }
}

void drawGrid(Surface& surface, const PageScale& scale, const PageDesign& design,
              const RulingSpan& span) {
    const Pen ordinary = penOf(scale, design.lineColour, design.lineWidthPoints);
    const Pen bold = penOf(scale, design.majorColour, design.majorWidthPoints);
    const MajorRule major{design.majorEvery};
    const double spacing = design.gridSpacingMm;
    forEachGridRow(scale, spacing, [&](int y, int index) {
        use(surface, major.isMajor(index) ? bold : ordinary);
        line(surface, span.fillLeft, y, span.fillRight, y);
    });
    for (const auto& [x, index] : gridColumns(scale, spacing, span)) {
        use(surface, major.isMajor(index) ? bold : ordinary);
        line(surface, x, 0, x, scale.SurfaceHeight);
    }
}

void drawDotGrid(Surface& surface, const PageScale& scale, const PageDesign& design,
                 const RulingSpan& span) {
    const Pen ordinary = penOf(scale, design.lineColour, design.dotSizePoints);
    const Pen bold = penOf(scale, design.majorColour, design.majorDotSizePoints);
    const bool round = design.roundDots;
    const MajorRule major{design.majorEvery};
    const double spacing = design.gridSpacingMm;
    const auto columns = gridColumns(scale, spacing, span);
    forEachGridRow(scale, spacing, [&](int y, int rowIndex) {
        for (const auto& [x, columnIndex] : columns) {
            const Pen& pen =
                major.isMajor(rowIndex) && major.isMajor(columnIndex) ? bold : ordinary;
            surface.setPenColor(pen.colour);
            surface.dot(x, y, pen.width, round);
        }
    });
}
