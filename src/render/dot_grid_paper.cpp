#include "render/paper_rulings.h"
#include "settings/page_design.h"

// A dot on every crossing of the grid; where a bold row meets a bold column, a bold dot, and
// where rows and columns of the second weight meet, a dot in its pen.
void ruleDotGridPaper(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                      const RulingSpan& span) {
    const MarkPen ordinary{design.lineColour, design.dotSizePoints};
    const MarkPen bold{design.majorColour, design.majorDotSizePoints};
    const MarkPen bolder{design.major2Colour, design.major2WidthPoints};
    const MajorRule major{design.majorEvery};
    const MajorRule major2{design.major2Every};
    const std::vector<GridColumn> columns = gridColumns(scale, design.gridSpacingMm, span);
    DotMark dot;
    dot.round = design.roundDots;
    forEachGridRow(scale, design.gridSpacingMm, [&](double y, int rowIndex) {
        dot.y = {y};
        for (const GridColumn& column : columns) {
            dot.x = {column.mm};
            if (major2.isMajor(rowIndex) && major2.isMajor(column.index))
                dot.pen = bolder;
            else if (major.isMajor(rowIndex) && major.isMajor(column.index))
                dot.pen = bold;
            else
                dot.pen = ordinary;
            marks.dot(dot);
        }
    });
}
