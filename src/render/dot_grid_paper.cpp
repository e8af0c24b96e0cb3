#include "render/paper_rulings.h"
#include "settings/page_design.h"

// A dot on every crossing of the grid; where a bold row meets a bold column, a bold dot.
void ruleDotGridPaper(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                      const RulingSpan& span) {
    const MarkPen ordinary{design.lineColour, design.dotSizePoints};
    const MarkPen bold{design.majorColour, design.majorDotSizePoints};
    const MajorRule major{design.majorEvery};
    const std::vector<GridColumn> columns = gridColumns(scale, design.gridSpacingMm, span);
    DotMark dot;
    dot.round = design.roundDots;
    forEachGridRow(scale, design.gridSpacingMm, [&](double y, int rowIndex) {
        dot.y = {y};
        for (const GridColumn& column : columns) {
            dot.x = {column.mm};
            dot.pen = major.isMajor(rowIndex) && major.isMajor(column.index) ? bold : ordinary;
            marks.dot(dot);
        }
    });
}
