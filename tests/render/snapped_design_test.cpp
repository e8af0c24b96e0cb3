#include "render/snapped_design.h"

#include "page/draw_page.h"
#include "render/device_scales.h"
#include "render/image_surface.h"
#include "settings/page_design.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Where each line begins, along one axis: the first of a run of rows (or columns) that are
// mostly not white.
std::vector<int> lineStarts(const QImage& page, bool columns) {
    const int count = columns ? page.width() : page.height();
    const int across = columns ? page.height() : page.width();
    std::vector<int> starts;
    bool inLine = false;
    for (int i = 0; i < count; ++i) {
        int ink = 0;
        for (int j = 0; j < across; ++j)
            ink += (columns ? page.pixel(i, j) : page.pixel(j, i)) != 0xffffffff;
        const bool line = ink > across / 2;
        if (line && !inLine)
            starts.push_back(i);
        inLine = line;
    }
    return starts;
}

std::set<int> gaps(const std::vector<int>& starts) {
    std::set<int> found;
    for (size_t i = 1; i < starts.size(); ++i)
        found.insert(starts[i] - starts[i - 1]);
    return found;
}

struct SnapCase {
    const char* name;
    PaperKind kind;
    double spacingMm;
    int pixelsPerInch;
    double topMarginMm;
};

void PrintTo(const SnapCase& c, std::ostream* os) {
    *os << c.name;
}

class SnappedDesign : public ::testing::TestWithParam<SnapCase> {};

TEST_P(SnappedDesign, GivesEveryGapTheSamePixelsWhereMillimetresDoNot) {
    const SnapCase& c = GetParam();
    PageDesign design = newPageDesign();
    design.kind = c.kind;
    design.lineSpacingMm = design.gridSpacingMm = c.spacingMm;
    design.topMarginMm = c.topMarginMm;
    // Bold lines and edge lines are wider, and would start earlier than the others.
    design.majorEvery = design.major2Every = 0;
    design.leftEdgeLine = design.rightEdgeLine = false;
    const PageScale scale = printScale({c.pixelsPerInch, {1404, 1872}}, PageCalibration{});

    const auto draw = [&](const PageDesign& d) {
        ImageSurface surface(QSize(scale.SurfaceWidth, scale.SurfaceHeight));
        DrawPage(surface, scale, d);
        return surface.image();
    };
    const QImage plain = draw(design);
    const QImage snapped = draw(snappedToPixels(design, scale));
    const bool grid = c.kind != PaperKind::Ruled;
    for (const bool columns : grid ? std::vector{false, true} : std::vector{false}) {
        SCOPED_TRACE(columns ? "columns" : "rows");
        EXPECT_GT(gaps(lineStarts(plain, columns)).size(), 1u) << "the millimetres' own gaps";
        const std::vector<int> starts = lineStarts(snapped, columns);
        EXPECT_GT(starts.size(), 10u);
        EXPECT_EQ(gaps(starts).size(), 1u) << ::testing::PrintToString(starts);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, SnappedDesign,
    ::testing::Values(SnapCase{"Ruled9mmAt226", PaperKind::Ruled, 9, 226, 20},
                      SnapCase{"RuledFromThePageTop", PaperKind::Ruled, 9, 226, 0},
                      SnapCase{"RuledOfAnOddPitchAt300", PaperKind::Ruled, 7.1, 300, 13.3},
                      SnapCase{"Checkered9mmAt226", PaperKind::Checkered, 9, 226, 0},
                      SnapCase{"Checkered5mmAt226", PaperKind::Checkered, 5, 226, 0},
                      SnapCase{"CheckeredOfAnOddPixelPitch", PaperKind::Checkered, 5.5, 226, 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
