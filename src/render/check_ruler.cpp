#include "render/check_ruler.h"

#include "settings/page_design.h"

namespace {

constexpr double kFromLeftMm = 5;
constexpr double kAboveBottomMm = 5;
constexpr int kLengthMm = 100;

double tickLengthMm(int millimetre) {
    if (millimetre % 10 == 0)
        return 4;
    return millimetre % 5 == 0 ? 3 : 2;
}

// Where the ruler starts: near kFromLeftMm, where the exact position is the middle of a pixel.
// Every tick's truncated pixel is then its exact position rounded, so that from the first to
// the last tick the ruler is 100 mm to within half a pixel, not to within a whole one.
double startOnPixelMiddle(const PageScale& scale) {
    const double exact = scale.MmToExactX(kFromLeftMm);
    return kFromLeftMm * (scale.MmToX(kFromLeftMm) + 0.5) / exact;
}

} // namespace

void markCheckRuler(MarkSink& marks, const PageScale& scale, const PageDesign& design) {
    if (!(scale.MmToExactX(kFromLeftMm) > 0))
        return;
    const MarkPen pen{design.edgeLineColour, 0};
    const double start = startOnPixelMiddle(scale);
    const MarkCoordinate baseline{kAboveBottomMm, true};
    // Ticks stop short of the baseline and the baseline short of its end, as every line does, so
    // that no pixel is drawn twice, which a XOR pen would undo.
    marks.line({{start}, baseline, {start + kLengthMm}, baseline, pen});
    for (int millimetre = 0; millimetre <= kLengthMm; ++millimetre) {
        const MarkCoordinate x{start + millimetre};
        marks.line({x, {kAboveBottomMm + tickLengthMm(millimetre), true}, x, baseline, pen});
    }
}
