#include "page/draw_page.h"
#include "page/picture_page_layers.h"
#include "picture/picture_record.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"
#include "support/image_compare.h"
#include "support/noise_image.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

PageScale printScale(QSize sheetMm, int dotsPerInch, double leftOffsetMm, double mmPerInchX) {
    PageScale s;
    s.DotsPerInch = dotsPerInch;
    s.SurfaceWidth = sheetMm.width() * dotsPerInch * 10 / 254;
    s.SurfaceHeight = sheetMm.height() * dotsPerInch * 10 / 254;
    s.LeftOffsetMm = leftOffsetMm;
    s.MmPerInchX = mmPerInchX;
    return s;
}

QImage pageOf(const PageDesign& design, const PageScale& scale, const PageLayers& layers) {
    ImageSurface surface(QSize(scale.SurfaceWidth, scale.SurfaceHeight));
    DrawPage(surface, scale, design, layers);
    return surface.image();
}

struct MirrorCase {
    const char* name;
    PaperKind kind;
    PictureCorner corner;
    PictureCorner mirroredCorner;
};

void PrintTo(const MirrorCase& c, std::ostream* os) {
    *os << c.name;
}

class MirroredPages : public ::testing::TestWithParam<MirrorCase> {};

// An even page of a mirrored notebook is the odd page's design with its sides and the picture's
// corner swapped; an odd page, and any page of a notebook that is not mirrored, is the design.
TEST_P(MirroredPages, SwapTheSidesOfEvenPagesOnly) {
    const MirrorCase& c = GetParam();
    PaperSettings settings;
    settings.setPaperKind(c.kind);
    settings.setFlag(Setting::CornellCheck, true);
    settings.setFlag(Setting::SlantCheck, true);
    settings.setPictureCorner(c.corner);
    PageDesign odd = pageDesignOf(settings);
    odd.leftEdgeMm = 31;
    odd.rightEdgeMm = 12;
    odd.leftEdgeLine = true;
    odd.rightEdgeLine = false;
    odd.noFillLeftOfEdge = true;
    odd.noFillRightOfEdge = false;
    odd.freeText = QStringLiteral("Wg");
    odd.mirrorMargins = true;
    odd.pageNumber = 3;

    PageDesign even = odd;
    even.pageNumber = 4;
    PageDesign swapped = even;
    swapped.mirrorMargins = false;
    std::swap(swapped.leftEdgeMm, swapped.rightEdgeMm);
    std::swap(swapped.leftEdgeLine, swapped.rightEdgeLine);
    std::swap(swapped.noFillLeftOfEdge, swapped.noFillRightOfEdge);
    swapped.picture.corner = c.mirroredCorner;
    PageDesign unmirrored = odd;
    unmirrored.mirrorMargins = false;

    const PictureRecord none;
    const PictureRecord picture = PictureRecord::fromTrueColor(noiseImage(QSize(30, 20), 3));
    const PicturePageLayers layers(none, picture);
    const PageScale scale = printScale(QSize(105, 148), 150, 2, 25.7);
    EXPECT_TRUE(imagesEqual(pageOf(swapped, scale, layers), pageOf(even, scale, layers),
                            QStringLiteral("%1-even").arg(c.name)));
    EXPECT_TRUE(imagesEqual(pageOf(unmirrored, scale, layers), pageOf(odd, scale, layers),
                            QStringLiteral("%1-odd").arg(c.name)));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, MirroredPages,
    ::testing::Values(MirrorCase{"RuledCornellAndSlant", PaperKind::Ruled, PictureCorner::obenlinks,
                                 PictureCorner::obenrechts},
                      MirrorCase{"CheckeredSnapped", PaperKind::Checkered,
                                 PictureCorner::untenrechts, PictureCorner::untenlinks},
                      MirrorCase{"IsometricFromItsLeftEdge", PaperKind::Isometric,
                                 PictureCorner::obenrechts, PictureCorner::obenlinks},
                      MirrorCase{"HexagonalFromItsLeftEdge", PaperKind::Hexagonal,
                                 PictureCorner::untenlinks, PictureCorner::untenrechts}),
    [](const auto& info) { return std::string(info.param.name); });

struct HolesCase {
    const char* name;
    HolesPattern pattern;
    std::vector<double> fromMiddleMm;
    int pageNumber;
    bool mirrored;
    bool onTheRight;
};

void PrintTo(const HolesCase& c, std::ostream* os) {
    *os << c.name;
}

class PunchHoles : public ::testing::TestWithParam<HolesCase> {};

// Each hole is a ring whose ink is centred on its place: 12 mm from the binding edge, at its
// distance from the middle of the sheet's height. No ink lies anywhere else.
TEST_P(PunchHoles, AreRingsCentredOnTheirPlaces) {
    const HolesCase& c = GetParam();
    PageDesign design = newPageDesign();
    design.lineColour = 0xffffff;
    design.leftEdgeLine = design.rightEdgeLine = false;
    design.guideColour = 0;
    design.holes = c.pattern;
    design.pageNumber = c.pageNumber;
    design.mirrorMargins = c.mirrored;

    for (const PageScale& scale : {printScale(QSize(210, 297), 150, 0, BaseMmPerInch),
                                   printScale(QSize(210, 297), 300, 3, 25.8)}) {
        SCOPED_TRACE(scale.DotsPerInch);
        const QImage page = pageOf(design, scale, PageLayers());
        const auto inkIn = [&](const QRect& area, QPointF& sum) {
            int count = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    if (qGray(page.pixel(x, y)) < 128) {
                        sum += QPointF(x + 0.5, y + 0.5);
                        ++count;
                    }
                }
            }
            return count;
        };
        const double fromSide = scale.MmToExactX(12 - scale.LeftOffsetMm);
        const double x = c.onTheRight ? scale.SurfaceWidth - fromSide : fromSide;
        const int window = scale.MmToX(5);
        int inkOfHoles = 0;
        for (const double offset : c.fromMiddleMm) {
            const QPointF centre(x, scale.SurfaceHeight / 2.0 + scale.MmToExactY(offset));
            const QPoint middle = centre.toPoint();
            QPointF sum;
            const int count =
                inkIn(QRect(middle - QPoint(window, window), QSize(2 * window, 2 * window)), sum);
            ASSERT_GT(count, 0) << "no hole at " << offset << " mm";
            EXPECT_NEAR(sum.x() / count, centre.x(), 1) << offset;
            EXPECT_NEAR(sum.y() / count, centre.y(), 1) << offset;
            inkOfHoles += count;
        }
        QPointF unused;
        EXPECT_EQ(inkIn(page.rect(), unused), inkOfHoles) << "ink away from the holes";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, PunchHoles,
    ::testing::Values(HolesCase{"None", HolesPattern::None, {}, 1, false, false},
                      HolesCase{
                          "TwoOnAnOddPage", HolesPattern::TwoHoles80, {-40, 40}, 1, true, false},
                      HolesCase{"FourOnAMirroredEvenPage",
                                HolesPattern::FourHoles80,
                                {-120, -40, 40, 120},
                                2,
                                true,
                                true},
                      HolesCase{"ThreeOnAnEvenPageNotMirrored",
                                HolesPattern::ThreeHoles108,
                                {-108, 0, 108},
                                4,
                                false,
                                false}),
    [](const auto& info) { return std::string(info.param.name); });

// A hole is 6 mm across and 6 mm down on paper, whatever each axis's calibration: with a height
// scaled apart from the width it is an ellipse in pixels.
TEST(PunchHoleShape, IsRoundOnPaperWhereTheAxesScaleApart) {
    PageDesign design = newPageDesign();
    design.lineColour = 0xffffff;
    design.leftEdgeLine = design.rightEdgeLine = false;
    design.guideColour = 0;
    design.holes = HolesPattern::ThreeHoles108;
    for (const double heightScale : {0.8, 1.15}) {
        SCOPED_TRACE(heightScale);
        PageScale scale = printScale(QSize(210, 297), 300, 0, BaseMmPerInch);
        scale.MmPerInchY = BaseMmPerInch * heightScale;
        const QImage page = pageOf(design, scale, PageLayers());
        // The middle hole, alone in the middle third of the sheet's height.
        const int third = scale.SurfaceHeight / 3;
        QRect ink;
        for (int y = third; y < 2 * third; ++y) {
            for (int x = 0; x < scale.SurfaceWidth; ++x) {
                if (qGray(page.pixel(x, y)) < 128)
                    ink |= QRect(x, y, 1, 1);
            }
        }
        // A hairline's pixel straddles the line on either side.
        EXPECT_NEAR(ink.width(), scale.MmToExactX(6) + 1, 1);
        EXPECT_NEAR(ink.height(), scale.MmToExactY(6) + 1, 1);
    }
}

} // namespace
