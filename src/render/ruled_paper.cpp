#include "render/paper_rulings.h"
#include "settings/page_design.h"

namespace {

// Dashed guides: runs of 2 mm, gaps of 1 mm.
constexpr double kGuideDashMm = 2;
constexpr double kGuideGapMm = 1;

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
}
