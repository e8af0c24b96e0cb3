#include "render/paper_rulings.h"
#include "settings/page_design.h"

// Rows and columns of the grid, every N-th of each in the bold pen, and every M-th in the
// second bold pen, which wins where both count.
void ruleCheckeredPaper(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                        const RulingSpan& span) {
    const MarkPen ordinary{design.lineColour, design.lineWidthPoints};
    const MarkPen bold{design.majorColour, design.majorWidthPoints};
    const MarkPen bolder{design.major2Colour, design.major2WidthPoints};
    const MajorRule major{design.majorEvery};
    const MajorRule major2{design.major2Every};
    const auto penOf = [&](int index) {
        return major2.isMajor(index) ? bolder : major.isMajor(index) ? bold : ordinary;
    };
    const double spacing = design.gridSpacingMm;
    forEachGridRow(scale, spacing,
                   [&](double y, int index) { marks.line(lineAcross(span, y, penOf(index))); });
    for (const GridColumn& column : gridColumns(scale, spacing, span))
        marks.line(lineDown({column.mm}, penOf(column.index)));
}
