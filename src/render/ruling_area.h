#pragma once

#include "render/page_marks.h"
#include "render/ruling.h"

#include <QRect>

struct PageDesign;

// Where the lattices and slant lines of a page lie: across the ruling's span, and down from the
// top edge to where ruled lines end. Their lines are cut to it: a piece that is horizontal or
// vertical keeps the line rules and ends at the area's sides; any other is drawn whole and
// clipped there, pixel by pixel.
struct RulingArea {
    MarkArea marks;
    QRect pixels; // the same in device pixels
    // A box well beyond the area, on a coarse grid of millimetres, that lines crossing the
    // area are drawn across: their flat ends stay outside the area, and which lines there are
    // does not change with the last pixel of the page at another resolution.
    double outerLeft, outerTop, outerRight, outerBottom;
};

// The area of `design`'s ruling; `penPoints` is the widest pen drawn in it.
RulingArea rulingArea(const PageScale& scale, const PageDesign& design, const RulingSpan& span,
                      double penPoints);

struct PieceStyle {
    MarkPen pen;
    double dashMm = 0;
    double gapMm = 0;
};

// The straight piece from (x1, y1) to (x2, y2) millimetres, cut to the area.
void pieceInArea(MarkSink& marks, const PageScale& scale, const RulingArea& area, double x1,
                 double y1, double x2, double y2, const PieceStyle& style);

// The line through (x, y) millimetres along (dx, dy), drawn across the outer box and cut to
// the area.
void lineAcrossArea(MarkSink& marks, const PageScale& scale, const RulingArea& area, double x,
                    double y, double dx, double dy, const PieceStyle& style);
