// The check ruler and the top distance of a printer's own calibration, as pixels of the page.
#include "page/draw_page.h"
#include "render/image_surface.h"
#include "settings/page_design.h"
#include "support/image_compare.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kBase = 25.39995;
constexpr QRgb kWhite = 0xffffff;

PageScale calibratedPrint(int dpi, double widthMm, double heightMm, double topMm = 0) {
    PageScale scale;
    scale.DotsPerInch = dpi;
    scale.SurfaceWidth = int(std::lround(200 / kBase * dpi));
    scale.SurfaceHeight = int(std::lround(280 / kBase * dpi));
    scale.MmPerInchX = widthMm * kBase / 100;
    scale.MmPerInchY = heightMm * kBase / 100;
    scale.TopOffsetMm = topMm;
    return scale;
}

QImage drawn(const PageScale& scale, const PageDesign& design) {
    ImageSurface surface(QSize(scale.SurfaceWidth, scale.SurfaceHeight));
    DrawPage(surface, scale, design);
    return surface.image();
}

// The columns of a row that are not white.
std::vector<int> markedColumns(const QImage& page, int row) {
    std::vector<int> columns;
    for (int x = 0; x < page.width(); ++x) {
        if ((page.pixel(x, row) & 0xffffff) != kWhite)
            columns.push_back(x);
    }
    return columns;
}

// The rows above `baseline` in `column` that are marked, counted upwards.
int markedRowsAbove(const QImage& page, int column, int baseline) {
    int rows = 0;
    while (baseline - rows - 1 >= 0 &&
           (page.pixel(column, baseline - rows - 1) & 0xffffff) != kWhite)
        ++rows;
    return rows;
}

// A page of nothing but the ruler: no ruling lines reach the bottom rows.
PageDesign rulerOnly() {
    PageDesign design = newPageDesign();
    design.bottomMarginMm = 100;
    design.topMarginMm = 200;
    design.leftEdgeLine = false;
    design.rightEdgeLine = false;
    design.checkRuler = true;
    return design;
}

TEST(CheckRuler, TicksAreAMillimetreApartAndTheRulerIsAHundredMillimetresToHalfAPixel) {
    struct Row {
        const char* name;
        PageScale scale;
    };
    const Row rows[] = {
        {"300 dpi, printer prints 98 x 101", calibratedPrint(300, 98, 101)},
        {"600 dpi, printer prints 101.7 x 99.3", calibratedPrint(600, 101.7, 99.3)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PageScale& scale = row.scale;
        const QImage page = drawn(scale, rulerOnly());
        // The baseline's row: the lowest row with marks, above a 5 mm strip.
        int baseline = page.height() - 1;
        while (baseline > 0 && markedColumns(page, baseline).empty())
            --baseline;
        const std::vector<int> ticks = markedColumns(page, baseline - 1);
        ASSERT_EQ(ticks.size(), 101u);
        const double exactLength = 100 / scale.MmPerInchX * scale.DotsPerInch;
        EXPECT_LE(std::abs(ticks.back() - ticks.front() - exactLength), 0.5);
        for (size_t mm = 0; mm < ticks.size(); ++mm) {
            SCOPED_TRACE(mm);
            const double exactFromStart = mm / scale.MmPerInchX * scale.DotsPerInch;
            EXPECT_LE(std::abs(ticks[mm] - ticks.front() - exactFromStart), 0.5);
            const double tickMm = mm % 10 == 0 ? 4 : mm % 5 == 0 ? 3 : 2;
            EXPECT_NEAR(markedRowsAbove(page, ticks[mm], baseline),
                        tickMm / scale.MmPerInchY * scale.DotsPerInch, 1);
        }
        // The baseline joins the ticks, up to the last one, since a line leaves out its end.
        const std::vector<int> base = markedColumns(page, baseline);
        EXPECT_EQ(base.front(), ticks.front());
        EXPECT_EQ(base.back(), ticks.back() - 1);
        EXPECT_EQ(base.size(), size_t(ticks.back() - ticks.front()));
    }
}

// A top distance measures the top and bottom margins from the sheet's edges: the page is the one
// whose margins are that much smaller.
TEST(TopDistance, MovesTheTopAndBottomMarginsAsIfTheyWereThatMuchSmaller) {
    PageDesign design = newPageDesign();
    design.topMarginMm = 30;
    design.bottomMarginMm = 25;
    PageDesign smaller = design;
    smaller.topMarginMm -= 6.5;
    smaller.bottomMarginMm -= 6.5;

    const QImage shifted = drawn(calibratedPrint(300, 99, 102, 6.5), design);
    EXPECT_TRUE(
        imagesEqual(drawn(calibratedPrint(300, 99, 102), smaller), shifted, "top-distance"));
    EXPECT_NE(drawn(calibratedPrint(300, 99, 102), design), shifted);
}

} // namespace
