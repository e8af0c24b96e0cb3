#include "render/paper_rulings.h"
#include "settings/page_design.h"

// Rows and columns of the grid, every N-th of each in the bold pen.
void ruleCheckeredPaper(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                        const RulingSpan& span) {
    const MarkPen ordinary{design.lineColour, design.lineWidthPoints};
    const MarkPen bold{design.majorColour, design.majorWidthPoints};
    const MajorRule major{design.majorEvery};
    const double spacing = design.gridSpacingMm;
    forEachGridRow(scale, spacing, [&](double y, int index) {
        marks.line(lineAcross(span, y, major.isMajor(index) ? bold : ordinary));
    });
    for (const GridColumn& column : gridColumns(scale, spacing, span))
        marks.line(lineDown({column.mm}, major.isMajor(column.index) ? bold : ordinary));
}
