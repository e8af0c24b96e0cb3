#include "render/paper_rulings.h"
#include "settings/page_design.h"

#include <algorithm>

namespace {

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

} // namespace

// Lines at the line spacing from the top margin down to the bottom margin, each with the
// guides at their offsets above it.
void drawRuledPaper(Surface& surface, const PageScale& scale, const PageDesign& design,
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
