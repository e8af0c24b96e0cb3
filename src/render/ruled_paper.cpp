#include "render/paper_rulings.h"
#include "settings/page_design.h"

namespace {

// Dashed guides: runs of 2 mm, gaps of 1 mm.
constexpr double kGuideDashMm = 2;
constexpr double kGuideGapMm = 1;

// A distance from the surface's bottom whose pixel lies `heightMm` above the pixel of
// `bottomMm`, both counted in whole pixels as on paper. The plain sum may truncate to a pixel
// above that one, as truncated parts add up to no more than their truncated sum; then the
// position where that pixel starts is searched, where a vector output puts the line's middle
// as the raster does.
MarkCoordinate abovePixelOf(const PageScale& scale, double bottomMm, double heightMm) {
    const int target = scale.MmToY(bottomMm) + scale.MmToY(heightMm);
    double low = bottomMm;
    double high = bottomMm + heightMm;
    if (scale.MmToY(high) == target)
        return {high, true};
    if (scale.MmToY(low) >= target)
        return {low, true};
    for (double middle = (low + high) / 2; middle > low && middle < high; middle = (low + high) / 2)
        (scale.MmToY(middle) < target ? low : high) = middle;
    return {high, true};
}

// Cornell notes: a cue column right of the left edge, down to a summary area across the
// page above the ruling's bottom. A cue line outside the ruling's columns is not drawn. Where
// the edges or the areas cross, as on a narrow or short page, the lines still run from their
// starts to their ends, as every line does: the cue line up to a summary line above the top
// edge, the summary line leftwards to a right edge left of the left one.
void markCornellNotes(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                      const RulingSpan& span, const MarkPen& pen) {
    const MarkCoordinate top{design.topMarginMm};
    const MarkCoordinate summary =
        abovePixelOf(scale, design.bottomMarginMm, design.summaryHeightMm);
    const double leftEdge = design.leftEdgeMm - scale.LeftOffsetMm;
    const MarkCoordinate cue{leftEdge + design.cueWidthMm};
    const int cueX = pixelX(scale, cue);
    if (pixelY(scale, top) != pixelY(scale, summary) && cueX >= pixelX(scale, span.fillLeft) &&
        cueX < pixelX(scale, span.fillRight))
        marks.line({cue, top, cue, summary, pen});
    const MarkCoordinate left{leftEdge};
    const MarkCoordinate right{design.rightEdgeMm - scale.LeftOffsetMm, true};
    if (pixelX(scale, left) != pixelX(scale, right))
        marks.line({left, summary, right, summary, pen});
}

} // namespace

// Lines at the line spacing from the top margin down to the bottom margin, each with the
// guides at their offsets above it.
void ruleRuledPaper(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                    const RulingSpan& span) {
    const MarkPen ruling{design.lineColour, design.lineWidthPoints};
    const MarkPen guidePen{design.guideColour, design.guideWidthPoints};
    std::vector<double> guides;
    for (const double offset : design.guideOffsetsMm) {
        if (offset != 0)
            guides.push_back(offset);
    }

    const double spacing = design.lineSpacingMm;
    double e = design.topMarginMm - spacing / 2;
    if (design.withoutFirstLine)
        e += 2 * spacing; // both lines around the top edge go
    const int ruleBottom = pixelY(scale, {design.bottomMarginMm, true});
    int y = scale.MmToY(e);
    while (y < ruleBottom) {
        if (design.withoutLastLine && scale.MmToY(e + spacing) >= ruleBottom)
            break;
        marks.line(lineAcross(span, e, ruling));
        for (double offset : guides) {
            LineMark guide = lineAcross(span, e - offset, guidePen);
            if (design.guidesDashed) {
                guide.dashMm = kGuideDashMm;
                guide.gapMm = kGuideGapMm;
            }
            marks.line(guide);
        }
        e += spacing;
        y = scale.MmToY(e);
    }
    ruleSlantLines(marks, scale, design, span, kGuideDashMm, kGuideGapMm);
    if (design.cornellNotes)
        markCornellNotes(marks, scale, design, span,
                         {design.edgeLineColour, design.edgeLineWidthPoints});
}
