#include "page/draw_page.h"
#include "page/free_text.h"
#include "page/picture_page_layers.h"
#include "picture/picture_record.h"
#include "render/image_surface.h"
#include "settings/page_design.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

enum class Side { Left, Centre, Right };

struct NumberCase {
    const char* name;
    PageNumberPosition position;
    int pageNumber;
    Side side;
    bool atTop;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << c.name;
}

class PageNumbers : public ::testing::TestWithParam<NumberCase> {};

// The number's ink lies in its cell, and the cell keeps the margin from the sheet's edges as the
// calibration places them: centred, or outside (right on odd pages, left on even ones), its
// bottom above the bottom edge or its top below the top edge.
TEST_P(PageNumbers, LieInTheirCellAtTheMarginFromTheEdges) {
    const NumberCase& c = GetParam();
    PageDesign design = newPageDesign();
    design.lineColour = 0xffffff;
    design.leftEdgeLine = design.rightEdgeLine = false;
    design.font.color = 0;
    design.font.sizePoints = 11;
    design.pageNumberPosition = c.position;
    design.pageNumber = c.pageNumber;
    design.pageNumberMarginMm = 14;

    for (const auto& [dotsPerInch, leftOffsetMm] : {std::pair(150, 0.0), std::pair(300, 2.5)}) {
        SCOPED_TRACE(dotsPerInch);
        PageScale scale;
        scale.DotsPerInch = dotsPerInch;
        scale.SurfaceWidth = dotsPerInch * 4;
        scale.SurfaceHeight = dotsPerInch * 5;
        scale.LeftOffsetMm = leftOffsetMm;
        ImageSurface surface(QSize(scale.SurfaceWidth, scale.SurfaceHeight));
        const PictureRecord none;
        DrawPage(surface, scale, design, PicturePageLayers(none, none));
        const QImage& page = surface.image();
        QRect ink;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                if (qGray(page.pixel(x, y)) < 128)
                    ink |= QRect(x, y, 1, 1);
            }
        }

        const QFontMetrics metrics(freeTextQFont(design.font, scale.PointsToPixels(11)), &page);
        const QSize cell(metrics.horizontalAdvance(QString::number(c.pageNumber)),
                         metrics.height());
        const int fromSide = scale.MmToX(14 - leftOffsetMm);
        const int left = c.side == Side::Left    ? fromSide
                         : c.side == Side::Right ? scale.SurfaceWidth - fromSide - cell.width()
                                                 : (scale.SurfaceWidth - cell.width()) / 2;
        const int top =
            c.atTop ? scale.MmToY(14) : scale.SurfaceHeight - scale.MmToY(14) - cell.height();
        const QRect expected(QPoint(left, top), cell);
        EXPECT_FALSE(ink.isEmpty());
        EXPECT_TRUE(expected.adjusted(-1, -1, 1, 1).contains(ink))
            << "ink " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height()
            << " outside the cell " << left << "," << top << " " << cell.width() << "x"
            << cell.height();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Positions, PageNumbers,
    ::testing::Values(
        NumberCase{"BottomCentre", PageNumberPosition::BottomCentre, 7, Side::Centre, false},
        NumberCase{"BottomOutsideOdd", PageNumberPosition::BottomOutside, 7, Side::Right, false},
        NumberCase{"BottomOutsideEven", PageNumberPosition::BottomOutside, 12, Side::Left, false},
        NumberCase{"TopOutsideOdd", PageNumberPosition::TopOutside, 13, Side::Right, true},
        NumberCase{"TopOutsideEvenZero", PageNumberPosition::TopOutside, 0, Side::Left, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
