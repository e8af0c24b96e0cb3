#include "render/paper_rulings.h"
#include "settings/page_design.h"

// A dot on every crossing of the grid; where a bold row meets a bold column, a bold dot.
void drawDotGridPaper(Surface& surface, const PageScale& scale, const PageDesign& design,
                      const RulingSpan& span) {
    const Pen ordinary = penOf(scale, design.lineColour, design.dotSizePoints);
    const Pen bold = penOf(scale, design.majorColour, design.majorDotSizePoints);
    const bool round = design.roundDots;
    const MajorRule major{design.majorEvery};
    const double spacing = design.gridSpacingMm;
    const auto columns = gridColumns(scale, spacing, span);
    forEachGridRow(scale, spacing, [&](int y, int rowIndex) {
        for (const auto& [x, columnIndex] : columns) {
            const Pen& pen =
                major.isMajor(rowIndex) && major.isMajor(columnIndex) ? bold : ordinary;
            surface.setPenColor(pen.colour);
            surface.dot(x, y, pen.width, round);
        }
    });
}
