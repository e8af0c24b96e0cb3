#pragma once

#include "render/page_scale.h"
#include "render/surface.h"
#include "settings/color_value.h"

#include <utility>
#include <vector>

struct PageDesign;

// Where the ruling of a page goes: the columns its horizontal lines cover, and on a grid the
// step of the running sum, from -D/2, that lies on the left edge, where columns are counted
// from.
struct RulingSpan {
    int fillLeft = 0;
    int fillRight = 0;
    int leftColumnStep = 0;
};

// What the rulings of the kinds share. Each kind draws in the surface's pen mode, each line
// and dot its own drawing operation.

struct Pen {
    QRgb colour;
    int width;
};
Pen penOf(const PageScale& scale, ColorValue colour, double widthPoints);
void use(Surface& surface, const Pen& pen);
void line(Surface& surface, int x1, int y1, int x2, int y2);

// Every N-th row and column of a grid is bold, counted from index 0; N = 0 makes none bold.
struct MajorRule {
    int every;
    bool isMajor(int index) const { return every > 0 && index % every == 0; }
};

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
                                             const RulingSpan& span);
