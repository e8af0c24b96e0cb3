#include "page/draw_page.h"

#include "reference_page.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"
#include "support/image_compare.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

constexpr double kBase = 25.39995;
constexpr QRgb kSilver = 0xc0c0c0;
constexpr QRgb kGray = 0x808080;
constexpr QRgb kWhite = 0xffffff;

PageScale printScale(int width, int height, int dpi = 600) {
    PageScale scale;
    scale.SurfaceWidth = width;
    scale.SurfaceHeight = height;
    scale.DotsPerInch = dpi;
    return scale;
}

PageScale previewScale(int width, int height, double zoom, int dpi = 96) {
    PageScale scale = printScale(width, height, dpi);
    scale.ZoomPercent = zoom;
    return scale;
}

PageScale calibrated(PageScale scale, double width, double height, double left) {
    scale.MmPerInchX = width * kBase / 100;
    scale.MmPerInchY = height * kBase / 100;
    scale.LeftOffsetMm = left;
    return scale;
}

// Stands in for a texture: paints the background the reference paints and hands the lines
// its pen mode.
class TestBackground : public PageLayers {
  public:
    explicit TestBackground(const ReferenceBackground& background) : m_background(background) {}

    PenMode drawBackground(Surface& surface, const PageScale& scale,
                           const PageDesign&) const override {
        paint(surface, QRect(0, 0, scale.SurfaceWidth, scale.SurfaceHeight), m_background.fill);
        paint(surface, m_background.patchArea, m_background.patch);
        return m_background.lineMode;
    }

  private:
    static void paint(Surface& surface, const QRect& area, QRgb colour) {
        if (area.isEmpty())
            return;
        surface.setPenMode(PenMode::Copy);
        surface.setPenColor(colour);
        surface.setBrushColor(colour);
        surface.rectangle(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
    }

    ReferenceBackground m_background;
};

QImage drawn(const PaperSettings& settings, const PageScale& scale,
             const ReferenceBackground& background = {}, QRect area = QRect()) {
    if (area.isNull())
        area = QRect(0, 0, scale.SurfaceWidth, scale.SurfaceHeight);
    ImageSurface surface(area.size(), area.topLeft());
    DrawPage(surface, scale, pageDesignOf(settings), TestBackground(background));
    return surface.image();
}

QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xffffff;
}

void checkered(PaperSettings& s) {
    s.setPaperKind(PaperKind::Checkered);
}

// The default page on a 600-dpi printer, at positions worked out by hand.
TEST(DrawPageDefaults, RuledDefaultsAtSixHundredDpi) {
    PaperSettings s;
    const QImage page = drawn(s, printScale(4760, 1000));
    // Lines at 0.5 mm and 9.5 mm (y 11, 224) are left out; 18.5 mm is y 437 with a 6-pixel
    // pen, rows 434 to 439.
    EXPECT_EQ(at(page, 100, 11), kWhite);
    EXPECT_EQ(at(page, 100, 224), kWhite);
    EXPECT_EQ(at(page, 100, 433), kWhite);
    EXPECT_EQ(at(page, 100, 434), kSilver);
    EXPECT_EQ(at(page, 100, 439), kSilver);
    EXPECT_EQ(at(page, 100, 440), kWhite);
    EXPECT_EQ(at(page, 0, 437), kSilver) << "the ruling runs over the edges by default";
    EXPECT_EQ(at(page, 4759, 437), kSilver);
    // 27.5 mm is y 649; 36.5 mm (y 862) would be the last line above RuleBottom = H - 118.
    EXPECT_EQ(at(page, 100, 649), kSilver);
    EXPECT_EQ(at(page, 100, 862), kWhite);
    // The edge lines: a 12-pixel pen at x 590 and at 4760 - 590.
    EXPECT_EQ(at(page, 583, 5), kWhite);
    EXPECT_EQ(at(page, 584, 5), kGray);
    EXPECT_EQ(at(page, 595, 999), kGray);
    EXPECT_EQ(at(page, 596, 5), kWhite);
    EXPECT_EQ(at(page, 4164, 437), kGray);
    EXPECT_EQ(at(page, 4175, 437), kGray);
    EXPECT_EQ(at(page, 4176, 437), kSilver);
}

TEST(DrawPageDefaults, CheckeredLeftEdgeSnapsToTheGrid) {
    PaperSettings s;
    checkered(s);
    const QImage page = drawn(s, printScale(4760, 300));
    // 22.5 mm (x 531) lies left of the entered edge at 590, so the edge goes to 27.5 mm (649).
    EXPECT_EQ(at(page, 642, 250), kWhite);
    EXPECT_EQ(at(page, 643, 250), kGray);
    EXPECT_EQ(at(page, 654, 250), kGray);
    EXPECT_EQ(at(page, 528, 250), kSilver) << "grid line at 531";
    EXPECT_EQ(at(page, 590, 250), kWhite);
}

TEST(DrawPageDefaults, PreviewAtNinetySixDpi) {
    PaperSettings s;
    s.setFlag(Setting::WithoutFirstLineCheck, false);
    const QImage page = drawn(s, previewScale(761, 1090, 100));
    // Lines at 0.5 mm and 9.5 mm: y 1 and 35, with a 1-pixel pen.
    EXPECT_EQ(at(page, 50, 0), kWhite);
    EXPECT_EQ(at(page, 50, 1), kSilver);
    EXPECT_EQ(at(page, 50, 2), kWhite);
    EXPECT_EQ(at(page, 50, 35), kSilver);
    EXPECT_EQ(at(page, 94, 500), kGray); // the left edge, a 2-pixel pen at 94: 93 and 94
    EXPECT_EQ(at(page, 93, 500), kGray);
    EXPECT_EQ(at(page, 95, 500), kWhite);
}

TEST(DrawPageDefaults, CalibrationMovesTheLeftEdge) {
    PaperSettings s;
    const QImage page = drawn(s, calibrated(printScale(1200, 100), 101, 100, 4));
    EXPECT_EQ(at(page, 485, 50), kGray); // 491 with a 12-pixel pen: 485 .. 496
    EXPECT_EQ(at(page, 496, 50), kGray);
    EXPECT_EQ(at(page, 484, 50), kWhite);
    EXPECT_EQ(at(page, 497, 50), kWhite);
}

TEST(DrawPageGrid, SnapsToPositionsExactlyOnEitherBound) {
    PaperSettings s;
    checkered(s);
    // 27.5 mm is x 649 exactly as the entered left edge 2.75 cm; 177.5 mm is x 4192, exactly
    // the right bound 4782 - 590.
    s.field(Setting::LeftBorderEd).setValue(2.75);
    s.setFlag(Setting::NoLeftBorderFillCheck, true);
    s.setFlag(Setting::NoRightBorderFillCheck, true);
    const QImage page = drawn(s, printScale(4782, 60));
    EXPECT_EQ(at(page, 643, 30), kGray);
    EXPECT_EQ(at(page, 654, 30), kGray);
    EXPECT_EQ(at(page, 4186, 30), kGray);
    EXPECT_EQ(at(page, 4197, 30), kGray);
    EXPECT_EQ(at(page, 4198, 30), kWhite);
    // The ruling stops at the snapped edges: a horizontal line at y 59 (2.5 mm) from 649 on,
    // up to 4192.
    EXPECT_EQ(at(page, 640, 59), kWhite);
    EXPECT_EQ(at(page, 700, 59), kSilver);
    EXPECT_EQ(at(page, 4200, 59), kWhite);
}

TEST(DrawPageGrid, WithoutAPositionBetweenTheEdgesReadsTheRightWidthFromTheLeft) {
    PaperSettings s;
    checkered(s);
    s.setFlag(Setting::NoRightBorderFillCheck, true);
    // On 1000 pixels the left edge (590) lies right of the right one (410): no grid position
    // between them. The right width of 25 mm is then taken as a position: x 590.
    const QImage page = drawn(s, printScale(1000, 80));
    EXPECT_EQ(at(page, 584, 40), kGray);
    EXPECT_EQ(at(page, 404, 40), kWhite) << "nothing where the right edge was entered";
    EXPECT_EQ(at(page, 700, 59), kWhite) << "the ruling stops at 590";
    EXPECT_EQ(at(page, 500, 59), kSilver);
}

TEST(DrawPageRuled, LeavingOutTheLastLineWhenOnlyOneFitsDrawsNone) {
    PaperSettings s;
    s.setFlag(Setting::WithoutFirstLineCheck, false);
    s.setFlag(Setting::LeftBorderLineCheck, false);
    s.setFlag(Setting::RightBorderLineCheck, false);
    // RuleBottom = 318 - 118 = 200: the line at y 11 fits, the next one (224) would not.
    const QImage page = drawn(s, printScale(400, 318));
    for (int y = 0; y < page.height(); ++y)
        ASSERT_EQ(at(page, 200, y), kWhite) << y;
    s.setFlag(Setting::WithoutLastLineCheck, false);
    EXPECT_EQ(at(drawn(s, printScale(400, 318)), 200, 11), kSilver);
}

TEST(DrawPageGrid, CountsBoldLinesFromTheTopRowAndTheSnappedLeftEdge) {
    PaperSettings s;
    checkered(s);
    s.field(Setting::MajorEveryEd).setValue(5);
    s.setColour(Setting::MajorColor, colorValueFromRgb(255, 0, 0));
    s.setFlag(Setting::LeftBorderLineCheck, false);
    const QImage page = drawn(s, printScale(4760, 300));
    // The left edge snaps to 27.5 mm, the sixth position after -2.5 mm: columns 2.5, 27.5 and
    // 52.5 mm (x 59, 649, 1240) are bold, 47.5 mm (1122) is not. The first row at or below
    // the top is 2.5 mm (y 59), drawn with a 12-pixel pen.
    for (const int x : {59, 649, 1240})
        EXPECT_EQ(at(page, x, 200), 0xff0000u) << x;
    EXPECT_EQ(at(page, 1122, 200), kSilver);
    EXPECT_EQ(at(page, 300, 53), 0xff0000u);
    EXPECT_EQ(at(page, 300, 64), 0xff0000u);
    EXPECT_EQ(at(page, 300, 177), kSilver) << "7.5 mm is no bold row";
}

struct PageCase {
    const char* name;
    std::function<void(PaperSettings&)> setup;
    PageScale scale;
    ReferenceBackground background;
};

void PrintTo(const PageCase& c, std::ostream* os) {
    *os << c.name;
}

const ReferenceBackground kXorOverTexture{PenMode::Xor, 0xe0d0c0, QRect(50, 30, 400, 500),
                                          0x305070};
const ReferenceBackground kNotOverTexture{PenMode::Not, 0xe0d0c0, QRect(0, 100, 2000, 40),
                                          0x102030};

void majorEvery(PaperSettings& s, int every) {
    s.field(Setting::MajorEveryEd).setValue(every);
    s.field(Setting::MajorWidthEd).setValue(2.2);
    s.setColour(Setting::MajorColor, colorValueFromRgb(200, 30, 60));
}

void dotGrid(PaperSettings& s) {
    s.setPaperKind(PaperKind::DotGrid);
    s.field(Setting::DotSizeEd).setValue(1.1);
    s.field(Setting::MajorDotSizeEd).setValue(2.3);
    majorEvery(s, 3);
}

void guides(PaperSettings& s) {
    s.field(Setting::Guide1Ed).setValue(2);
    s.field(Setting::Guide2Ed).setValue(-3);
    s.field(Setting::Guide3Ed).setValue(4.5);
    s.field(Setting::GuideWidthEd).setValue(1);
    s.setColour(Setting::GuideColor, colorValueFromRgb(10, 150, 90));
}

// Cornell lines that fit a small page: the cue column and summary area in centimetres.
void cornell(PaperSettings& s, double cueCm, double summaryCm) {
    s.setFlag(Setting::CornellCheck, true);
    s.field(Setting::CueWidthEd).setValue(cueCm);
    s.field(Setting::SummaryHeightEd).setValue(summaryCm);
    s.field(Setting::RRLineWidthED).setValue(2.3);
    s.setColour(Setting::ColvarColorComboBox3, colorValueFromRgb(150, 20, 200));
}

void secondWeight(PaperSettings& s, int every) {
    s.field(Setting::Major2EveryEd).setValue(every);
    s.field(Setting::Major2WidthEd).setValue(3.1);
    s.setColour(Setting::Major2Color, colorValueFromRgb(20, 90, 220));
}

const PageCase kPageCases[] = {
    {"CornellPrint600",
     [](PaperSettings& s) { cornell(s, 2, 1.5); },
     calibrated(printScale(1400, 1700), 97.3, 102, 7.5),
     {}},
    {"CornellPrint300NoFillXor",
     [](PaperSettings& s) {
         cornell(s, 3, 2);
         s.setFlag(Setting::NoLeftBorderFillCheck, true);
         s.setFlag(Setting::NoRightBorderFillCheck, true);
     },
     printScale(1000, 1400, 300), kXorOverTexture},
    {"CornellPreview96DefaultsXor",
     [](PaperSettings& s) { s.setFlag(Setting::CornellCheck, true); }, previewScale(761, 1090, 100),
     kXorOverTexture},
    {"CornellCueRightOfTheFillIsNotDrawn",
     [](PaperSettings& s) {
         cornell(s, 9, 1);
         s.setFlag(Setting::NoRightBorderFillCheck, true);
     },
     printScale(1400, 600),
     {}},
    {"CornellSummaryAboveTheTopDrawsTheCueUpwards", [](PaperSettings& s) { cornell(s, 1, 40); },
     printScale(1400, 900), kXorOverTexture},
    {"CornellEdgesCrossedDrawTheSummaryLeftwards",
     [](PaperSettings& s) {
         cornell(s, 1, 1);
         s.field(Setting::LeftBorderEd).setValue(4);
         s.field(Setting::RightBorderEd).setValue(3);
     },
     printScale(1400, 900), kXorOverTexture},
    {"SecondWeightCheckered600",
     [](PaperSettings& s) {
         checkered(s);
         majorEvery(s, 2);
         secondWeight(s, 4);
         s.setFlag(Setting::NoLeftBorderFillCheck, true);
     },
     printScale(1400, 1700),
     {}},
    {"SecondWeightCheckered300Xor",
     [](PaperSettings& s) {
         checkered(s);
         secondWeight(s, 3);
     },
     calibrated(printScale(1000, 1200, 300), 97.3, 102, 7.5), kXorOverTexture},
    {"SecondWeightDots96Xor",
     [](PaperSettings& s) {
         dotGrid(s);
         secondWeight(s, 2);
     },
     previewScale(761, 1090, 100), kXorOverTexture},
    {"MajorLinesBetweenSnappedEdges",
     [](PaperSettings& s) {
         checkered(s);
         majorEvery(s, 3);
         s.setFlag(Setting::NoLeftBorderFillCheck, true);
         s.setFlag(Setting::NoRightBorderFillCheck, true);
     },
     calibrated(printScale(1400, 1700), 97.3, 102, 7.5),
     {}},
    {"MajorLinesFirstRowOnTheTop",
     [](PaperSettings& s) {
         checkered(s);
         majorEvery(s, 2);
         s.field(Setting::CaretSpaceED).setValue(1);
     },
     previewScale(282, 403, 37),
     {}},
    {"MajorLinesWithoutAPositionBetweenTheEdges",
     [](PaperSettings& s) {
         checkered(s);
         majorEvery(s, 2);
         s.setFlag(Setting::NoRightBorderFillCheck, true);
     },
     printScale(1000, 300),
     {}},
    {"MajorLinesNot",
     [](PaperSettings& s) {
         checkered(s);
         majorEvery(s, 4);
     },
     previewScale(761, 1090, 150), kNotOverTexture},
    {"DotGridPrint", dotGrid, printScale(1400, 1700), {}},
    {"DotGridSquareNoFill",
     [](PaperSettings& s) {
         dotGrid(s);
         s.setFlag(Setting::DotRoundCheck, false);
         s.setFlag(Setting::NoLeftBorderFillCheck, true);
         s.setFlag(Setting::NoRightBorderFillCheck, true);
     },
     previewScale(761, 1090, 100),
     {}},
    {"DotGridXor", dotGrid, printScale(1400, 1000), kXorOverTexture},
    {"RoundDotsLargerThanTheirSpacingAndThePageXor",
     [](PaperSettings& s) {
         dotGrid(s);
         s.field(Setting::CaretSpaceED).setValue(3);
         s.field(Setting::DotSizeEd).setValue(100);
         s.field(Setting::MajorDotSizeEd).setValue(300);
     },
     previewScale(300, 200, 100), kXorOverTexture},
    {"GuidesSolidPreview", guides, previewScale(761, 1090, 100), {}},
    {"GuidesDashedCutAtTheLineEnd",
     [](PaperSettings& s) {
         guides(s);
         s.setFlag(Setting::GuideDashedCheck, true);
         s.setFlag(Setting::NoLeftBorderFillCheck, true);
         s.setFlag(Setting::NoRightBorderFillCheck, true);
     },
     printScale(1431, 900),
     {}},
    {"GuidesDashedTooSmallAreSolid",
     [](PaperSettings& s) {
         guides(s);
         s.setFlag(Setting::GuideDashedCheck, true);
     },
     previewScale(300, 400, 10),
     {}},
    {"GuidesDashedXor",
     [](PaperSettings& s) {
         guides(s);
         s.setFlag(Setting::GuideDashedCheck, true);
     },
     previewScale(761, 1090, 100), kXorOverTexture},
    {"RuledPrint", [](PaperSettings&) {}, printScale(1400, 1700), {}},
    {"CheckeredPrint", checkered, printScale(1400, 1700), {}},
    {"RuledPreview", [](PaperSettings&) {}, previewScale(761, 1090, 100), {}},
    {"CheckeredPreviewOddZoom", checkered, previewScale(282, 403, 37), {}},
    {"CheckeredPreviewZoom250", checkered, previewScale(1902, 2725, 250), {}},
    {"RuledCalibrated",
     [](PaperSettings& s) { s.setFlag(Setting::WithoutFirstLineCheck, false); },
     calibrated(printScale(1400, 1700), 101, 99.5, 4),
     {}},
    {"CheckeredCalibrated", checkered, calibrated(printScale(1400, 1700), 97.3, 102, 7.5), {}},
    {"RuledNoLeftFill",
     [](PaperSettings& s) { s.setFlag(Setting::NoLeftBorderFillCheck, true); },
     printScale(1400, 900),
     {}},
    {"RuledNoRightFill",
     [](PaperSettings& s) { s.setFlag(Setting::NoRightBorderFillCheck, true); },
     printScale(1400, 900),
     {}},
    {"CheckeredNoFillEitherSide",
     [](PaperSettings& s) {
         checkered(s);
         s.setFlag(Setting::NoLeftBorderFillCheck, true);
         s.setFlag(Setting::NoRightBorderFillCheck, true);
     },
     printScale(1400, 900),
     {}},
    {"CheckeredNoRightFill",
     [](PaperSettings& s) {
         checkered(s);
         s.field(Setting::CaretSpaceED).setValue(7.3);
         s.setFlag(Setting::NoRightBorderFillCheck, true);
     },
     previewScale(761, 500, 100),
     {}},
    {"PensThatConvertToZero",
     [](PaperSettings& s) {
         checkered(s);
         s.field(Setting::LineWidthEd).setValue(0.01);
         s.field(Setting::RRLineWidthED).setValue(0.01);
     },
     previewScale(300, 400, 10),
     {}},
    {"FirstLineAboveTheSurface",
     [](PaperSettings& s) {
         s.field(Setting::BorderTopEd).setValue(0);
         s.field(Setting::LineSpaceEd).setValue(1);
         s.field(Setting::LineWidthEd).setValue(5); // 41 pixels: the line at y -11 reaches row 9
         s.setFlag(Setting::WithoutFirstLineCheck, false);
     },
     printScale(500, 700),
     {}},
    {"BottomEdgeZero",
     [](PaperSettings& s) {
         s.field(Setting::BorderBottomEd).setValue(0);
         s.field(Setting::LineSpaceEd).setValue(3.3);
         s.setFlag(Setting::WithoutLastLineCheck, false);
     },
     printScale(500, 703),
     {}},
    {"LastLineReachingTheBottomEdgeExactlyIsLeftOut",
     [](PaperSettings&) {}, // RuleBottom 862 is where the line after 649 would lie
     printScale(800, 980),
     {}},
    {"LineOnTheBottomEdgeIsNotDrawn",
     [](PaperSettings& s) { s.setFlag(Setting::WithoutLastLineCheck, false); },
     printScale(800, 980),
     {}},
    {"GridLinesOnTheLastRowAndColumnAreNotDrawn", checkered, printScale(649, 649), {}},
    {"GridSnapsOnBothBounds",
     [](PaperSettings& s) {
         checkered(s);
         s.field(Setting::LeftBorderEd).setValue(2.75);
         s.setFlag(Setting::NoLeftBorderFillCheck, true);
         s.setFlag(Setting::NoRightBorderFillCheck, true);
     },
     printScale(4782, 60),
     {}},
    {"GridWiderThanTheSpaceBetweenTheEdges",
     [](PaperSettings& s) {
         checkered(s);
         s.field(Setting::CaretSpaceED).setValue(100);
         s.setFlag(Setting::NoRightBorderFillCheck, true);
         s.setFlag(Setting::NoLeftBorderFillCheck, true);
     },
     printScale(1300, 900),
     {}},
    {"EdgesOverlap",
     [](PaperSettings& s) {
         checkered(s);
         s.setFlag(Setting::NoRightBorderFillCheck, true);
     },
     printScale(1000, 300),
     {}},
    {"RuledXor", [](PaperSettings&) {}, previewScale(761, 1090, 100), kXorOverTexture},
    {"CheckeredXorThickLines",
     [](PaperSettings& s) {
         checkered(s);
         s.field(Setting::LineWidthEd).setValue(1.2);
         s.field(Setting::RRLineWidthED).setValue(10);
     },
     printScale(1400, 1000), kXorOverTexture},
    {"CheckeredNot", checkered, previewScale(761, 1090, 150), kNotOverTexture},
    {"RuledNotNoFill",
     [](PaperSettings& s) {
         s.setFlag(Setting::NoLeftBorderFillCheck, true);
         s.setFlag(Setting::NoRightBorderFillCheck, true);
         s.setFlag(Setting::WithoutFirstLineCheck, false);
     },
     printScale(1400, 1000), kNotOverTexture},
};

class DrawPageReference : public ::testing::TestWithParam<PageCase> {};

TEST_P(DrawPageReference, PaintsExactlyTheReferencePixels) {
    const PageCase& c = GetParam();
    PaperSettings s;
    c.setup(s);
    EXPECT_TRUE(imagesEqual(referencePage(s, c.scale, c.background),
                            drawn(s, c.scale, c.background), c.name));
}

// The preview paints only what is exposed: any rectangle of the page, drawn alone, must give
// the pixels of that rectangle of the whole page.
TEST_P(DrawPageReference, RectanglesEqualTheWholePage) {
    const PageCase& c = GetParam();
    PaperSettings s;
    c.setup(s);
    const QImage whole = drawn(s, c.scale, c.background);
    const int W = c.scale.SurfaceWidth;
    const int H = c.scale.SurfaceHeight;
    std::vector<QRect> areas = {QRect(0, 0, W, 1), QRect(0, H - 1, W, 1), QRect(W - 1, 0, 1, H),
                                QRect(W / 2, 0, 1, H), QRect(0, H / 3, W, 7)};
    std::mt19937 random(1234);
    for (int i = 0; i < 25; ++i) {
        const int x = std::uniform_int_distribution<int>(0, W - 1)(random);
        const int y = std::uniform_int_distribution<int>(0, H - 1)(random);
        const int w = std::uniform_int_distribution<int>(1, std::min(W - x, 400))(random);
        const int h = std::uniform_int_distribution<int>(1, std::min(H - y, 400))(random);
        areas.emplace_back(x, y, w, h);
    }
    for (const QRect& area : areas) {
        const QString name = QStringLiteral("%1-%2-%3-%4x%5")
                                 .arg(c.name)
                                 .arg(area.x())
                                 .arg(area.y())
                                 .arg(area.width())
                                 .arg(area.height());
        ASSERT_TRUE(imagesEqual(whole.copy(area), drawn(s, c.scale, c.background, area), name));
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, DrawPageReference, ::testing::ValuesIn(kPageCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DrawPageDots, OfOneToSixPixelsEqualTheReference) {
    // At 96 dpi, every 0.75 points are one more pixel.
    for (const bool round : {true, false}) {
        for (int d = 1; d <= 6; ++d) {
            PaperSettings s;
            s.setPaperKind(PaperKind::DotGrid);
            s.setFlag(Setting::DotRoundCheck, round);
            s.field(Setting::DotSizeEd).setValue(0.75 * d);
            s.field(Setting::CaretSpaceED).setValue(2);
            const PageScale scale = previewScale(120, 90, 100);
            const QString name =
                QStringLiteral("dots-%1-%2").arg(round ? "round" : "square").arg(d);
            EXPECT_TRUE(imagesEqual(referencePage(s, scale), drawn(s, scale), name));
        }
    }
}

TEST(DrawPage, ClearsThePreviewButNotAPrinterPage) {
    PaperSettings s;
    s.setFlag(Setting::LeftBorderLineCheck, false);
    s.setFlag(Setting::RightBorderLineCheck, false);
    QImage grey(200, 100, QImage::Format_RGB32);
    grey.fill(0x555555);

    ImageSurface preview(grey, QPoint(0, 0));
    DrawPage(preview, previewScale(200, 100, 100), pageDesignOf(s));
    EXPECT_EQ(at(preview.image(), 150, 90), kWhite);

    ImageSurface printer(grey, QPoint(0, 0));
    DrawPage(printer, printScale(200, 100), pageDesignOf(s));
    EXPECT_EQ(at(printer.image(), 150, 90), 0x555555u);
}

// What a field reads while the user is still typing in it may lie outside its range; the page
// is drawn as the field will hold it once it is left, and drawing always ends.
TEST(DrawPage, ValuesStillBeingTypedAreDrawnAsTheirFieldsWillHoldThem) {
    for (bool isCheckered : {false, true}) {
        PaperSettings typed;
        PaperSettings left;
        for (PaperSettings* s : {&typed, &left}) {
            if (isCheckered)
                checkered(*s);
            s->field(Setting::LineSpaceEd).setText("-5");
            s->field(Setting::CaretSpaceED).setText("0");
            s->field(Setting::LeftBorderEd).setText("1e9");
            s->field(Setting::LineWidthEd).setText("-1");
        }
        for (const SettingDescription& d : settingTable()) {
            if (d.kind == SettingKind::Real)
                left.field(d.setting).leave();
        }
        ASSERT_EQ(left.field(Setting::LineSpaceEd).text(), "1.00");
        const PageScale scale = previewScale(300, 400, 100);
        EXPECT_TRUE(imagesEqual(drawn(left, scale), drawn(typed, scale), "typed-values"))
            << (isCheckered ? "checkered" : "ruled");
    }
}

TEST(DrawPage, AScaleWithoutSizeDrawsNoLines) {
    PaperSettings s;
    PageScale noResolution = previewScale(120, 80, 100, 0);
    PageScale noZoom = previewScale(120, 80, 0);
    PageScale negativeCalibration = calibrated(previewScale(120, 80, 100), -10, 100, 0);
    for (const PageScale& scale : {noResolution, noZoom, negativeCalibration}) {
        EXPECT_FALSE(scale.isDrawable());
        const QImage page = drawn(s, scale);
        EXPECT_EQ(page.pixel(0, 0) & 0xffffff, kWhite);
        EXPECT_EQ(page.pixel(119, 79) & 0xffffff, kWhite);
    }
}

} // namespace
