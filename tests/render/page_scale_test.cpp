#include "render/page_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kBase = 25.39995;

PageScale print(int dpi, double mmPerInchX = kBase, double mmPerInchY = kBase) {
    PageScale scale;
    scale.DotsPerInch = dpi;
    scale.MmPerInchX = mmPerInchX;
    scale.MmPerInchY = mmPerInchY;
    return scale;
}

PageScale preview(int dpi, double zoom) {
    PageScale scale = print(dpi);
    scale.ZoomPercent = zoom;
    return scale;
}

enum class Conversion { X, Y, Points };

struct ScaleCase {
    const char* name;
    PageScale scale;
    Conversion conversion;
    double length;
    int expected;
};

void PrintTo(const ScaleCase& c, std::ostream* os) {
    *os << c.name;
}

class PageScaleExamples : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(PageScaleExamples, TruncateTowardZero) {
    const ScaleCase& c = GetParam();
    const int actual = c.conversion == Conversion::X   ? c.scale.MmToX(c.length)
                       : c.conversion == Conversion::Y ? c.scale.MmToY(c.length)
                                                       : c.scale.PointsToPixels(c.length);
    EXPECT_EQ(actual, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    KnownPositions, PageScaleExamples,
    ::testing::Values(
        ScaleCase{"PrintLeftEdge", print(600), Conversion::X, 25, 590},
        ScaleCase{"PrintFirstRuledLine", print(600), Conversion::Y, 0.5, 11},
        ScaleCase{"PrintSecondRuledLine", print(600), Conversion::Y, 9.5, 224},
        ScaleCase{"PrintThirdRuledLine", print(600), Conversion::Y, 18.5, 437},
        ScaleCase{"PrintBottomEdge", print(600), Conversion::Y, 5, 118},
        ScaleCase{"PrintRulingPen", print(600), Conversion::Points, 0.75, 6},
        ScaleCase{"PrintEdgePen", print(600), Conversion::Points, 1.5, 12},
        ScaleCase{"PrintGridLeftOfEdge", print(600), Conversion::X, 22.5, 531},
        ScaleCase{"PrintGridEdge", print(600), Conversion::X, 27.5, 649},
        ScaleCase{"PrintNegativeTruncatesUp", print(600), Conversion::X, -2.5, -59},
        ScaleCase{"PrintSmallNegativeIsZero", print(600), Conversion::Y, -0.04, 0},
        ScaleCase{"PreviewLeftEdge", preview(96, 100), Conversion::X, 25, 94},
        ScaleCase{"PreviewFirstRuledLine", preview(96, 100), Conversion::Y, 0.5, 1},
        ScaleCase{"PreviewSecondRuledLine", preview(96, 100), Conversion::Y, 9.5, 35},
        ScaleCase{"PreviewNegative", preview(96, 100), Conversion::Y, -2.5, -9},
        ScaleCase{"PreviewZoom200", preview(96, 200), Conversion::X, 25, 188},
        ScaleCase{"PreviewThinPenIsZero", preview(96, 100), Conversion::Points, 0.5, 0},
        ScaleCase{"PreviewZoomedPen", preview(96, 250), Conversion::Points, 0.75, 2},
        ScaleCase{"CalibratedLeftEdge", print(600, 101 * kBase / 100), Conversion::X, 25 - 4, 491},
        ScaleCase{"CalibrationLeavesVerticalAlone", print(600, 101 * kBase / 100), Conversion::Y,
                  9.5, 224},
        ScaleCase{"VerticalCalibration", print(600, kBase, 95 * kBase / 100), Conversion::Y, 9.5,
                  236},
        ScaleCase{"PenIsNotCalibrated", print(600, 80 * kBase / 100, 80 * kBase / 100),
                  Conversion::Points, 0.75, 6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PageScale, ZoomDoublesPositionsUpToTruncation) {
    const PageScale at100 = preview(96, 100);
    const PageScale at200 = preview(96, 200);
    for (double mm = -10; mm < 300; mm += 0.37) {
        const int single = at100.MmToX(mm);
        const int twice = at200.MmToX(mm);
        EXPECT_LE(std::abs(twice - 2 * single), 1) << mm;
    }
}

TEST(PageScale, AbsurdLengthsStayFarFromOverflow) {
    const PageScale scale = print(9600);
    const int huge = scale.MmToX(1e300);
    EXPECT_GT(huge, 100000000);
    EXPECT_LT(huge, std::numeric_limits<int>::max() / 2) << "room for the renderer's sums";
    EXPECT_EQ(scale.MmToX(-1e300), -huge);
    EXPECT_EQ(scale.MmToY(std::nan("")), 0);
    EXPECT_EQ(scale.PointsToPixels(std::numeric_limits<double>::infinity()), huge);
}

} // namespace
