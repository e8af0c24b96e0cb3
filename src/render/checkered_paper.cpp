#include "render/paper_rulings.h"
#include "settings/page_design.h"

// Rows and columns of the grid, every N-th of each in the bold pen.
void drawCheckeredPaper(Surface& surface, const PageScale& scale, const PageDesign& design,
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
