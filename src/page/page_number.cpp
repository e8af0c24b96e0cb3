#include "page/page_number.h"

#include "page/free_text.h"
#include "render/page_marks.h"
#include "settings/page_design.h"

#include <QString>

void drawPageNumber(Surface& surface, const PageScale& scale, const PageDesign& design) {
    const PageNumberPosition position = design.pageNumberPosition;
    if (position == PageNumberPosition::None)
        return;
    const double margin = design.pageNumberMarginMm;
    // The calibration's left distance is taken off a distance from either side, as it is off
    // the edges, so that the number keeps its place beside them on paper.
    const double fromSide = margin - scale.LeftOffsetMm;
    const bool odd = design.pageNumber % 2 != 0;
    writeInFreeTextFont(
        surface, scale, design.font, QString::number(design.pageNumber), [&](QSize cell) {
            int x = (scale.SurfaceWidth - cell.width()) / 2;
            if (position != PageNumberPosition::BottomCentre)
                x = odd ? pixelX(scale, {fromSide, true}) - cell.width()
                        : pixelX(scale, {fromSide});
            const int y = position == PageNumberPosition::TopOutside
                              ? scale.MmToY(margin)
                              : scale.SurfaceHeight - scale.MmToY(margin) - cell.height();
            return QPoint(x, y);
        });
}
