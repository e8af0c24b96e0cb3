#pragma once

#include "render/page_marks.h"
#include "render/page_scale.h"

#include <vector>

// Where the ruling of a page goes: the stretch its horizontal lines cover, and on a grid the
// step of the running sum, from -D/2, that lies on the left edge, where columns are counted
// from.
struct RulingSpan {
    MarkCoordinate fillLeft;
    MarkCoordinate fillRight{0, true};
    int leftColumnStep = 0;
    MarkCoordinate leftEdge; // where lattices start
};

// What the rulings of the kinds share. A ruling gives its marks in millimetres; where it stops
// is decided on the pixels of `scale`, so that every output ends the ruling where the raster
// does.

// A line across the span at `y` millimetres from the top.
LineMark lineAcross(const RulingSpan& span, double y, const MarkPen& pen);
// A line down the whole page at `x` millimetres from the left.
LineMark lineDown(MarkCoordinate x, const MarkPen& pen);

// Every N-th row and column of a grid is bold, counted from index 0; N = 0 makes none bold.
struct MajorRule {
    int every;
    bool isMajor(int index) const { return every > 0 && index % every == 0; }
};

// The rows of a grid: positions -D/2 + k*D millimetres from the top down to the surface's
// end, each with its index counted from the first row at or below the top.
template <typename Row> void forEachGridRow(const PageScale& scale, double spacing, Row row) {
    double e = -spacing / 2;
    int firstVisible = 0;
    for (double f = e; scale.MmToY(f) < 0; f += spacing)
        ++firstVisible;
    for (int k = 0, y = scale.MmToY(e); y < scale.SurfaceHeight; y = scale.MmToY(e), ++k) {
        row(e, k - firstVisible);
        e += spacing;
    }
}

// A column of a grid: millimetres from the left, and its index counted from the left edge's.
struct GridColumn {
    double mm;
    int index;
};

// The columns of a grid strictly between the span's ends.
std::vector<GridColumn> gridColumns(const PageScale& scale, double spacing, const RulingSpan& span);
