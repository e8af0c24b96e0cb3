#include "output/vector_marks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// What a canvas was asked to draw, in points; a dot as its centre and size.
struct Stroke {
    QLineF line;
    VectorPen pen;
    bool round = false; // a round dot
    bool square = false;
};

class RecordingCanvas : public VectorCanvas {
  public:
    std::vector<Stroke> strokes;

    void line(const QLineF& line, const VectorPen& pen) override { strokes.push_back({line, pen}); }
    void fillRect(const QRectF&, QRgb) override {}
    void dot(QPointF centre, double size, QRgb colour, bool round) override {
        strokes.push_back({QLineF(centre, centre), {colour, size}, round, !round});
    }
    void ellipse(QPointF, double, double, QRgb, double) override {}
    int addImage(const QImage&, QSizeF) override { return 0; }
    void drawImage(int, QPointF) override {}
    void clip(const QRectF&) override {}
    void unclip() override {}
    void text(QPointF, const QFont&, double, QRgb, const QString&) override {}
};

struct MarkCase {
    const char* name;
    PageScale scale;
    std::optional<LineMark> line;
    std::optional<DotMark> dot;
    Stroke expected;
};

void PrintTo(const MarkCase& c, std::ostream* os) {
    *os << c.name;
}

class VectorMarksGeometry : public ::testing::TestWithParam<MarkCase> {};

// A page of 720 x 1440 pixels at 100 dpi is 518.4 x 1036.8 points.
PageScale scaleOf(double mmPerInchX, double mmPerInchY, std::optional<double> zoom = {}) {
    PageScale scale;
    scale.SurfaceWidth = 720;
    scale.SurfaceHeight = 1440;
    scale.DotsPerInch = 100;
    scale.MmPerInchX = mmPerInchX;
    scale.MmPerInchY = mmPerInchY;
    scale.ZoomPercent = zoom;
    return scale;
}

constexpr QRgb kRed = 0xffff0000;
constexpr ColorValue kRedValue = 0x0000ff;

TEST_P(VectorMarksGeometry, MarksLieAtTheirMillimetresThroughTheCalibration) {
    const MarkCase& c = GetParam();
    RecordingCanvas canvas;
    VectorMarks marks(canvas, c.scale);
    if (c.line)
        marks.line(*c.line);
    if (c.dot)
        marks.dot(*c.dot);
    ASSERT_EQ(canvas.strokes.size(), 1u);
    const Stroke& got = canvas.strokes[0];
    constexpr double kNear = 1e-9;
    EXPECT_NEAR(got.line.x1(), c.expected.line.x1(), kNear);
    EXPECT_NEAR(got.line.y1(), c.expected.line.y1(), kNear);
    EXPECT_NEAR(got.line.x2(), c.expected.line.x2(), kNear);
    EXPECT_NEAR(got.line.y2(), c.expected.line.y2(), kNear);
    EXPECT_EQ(got.pen.colour, c.expected.pen.colour);
    EXPECT_NEAR(got.pen.width, c.expected.pen.width, kNear);
    EXPECT_NEAR(got.pen.dash, c.expected.pen.dash, kNear);
    EXPECT_NEAR(got.pen.gap, c.expected.pen.gap, kNear);
    EXPECT_EQ(got.round, c.expected.round);
    EXPECT_EQ(got.square, c.expected.square);
}

LineMark across(double y, double widthPoints, double dashMm = 0, double gapMm = 0) {
    return {{10}, {y}, {0, true}, {y}, {kRedValue, widthPoints}, dashMm, gapMm};
}

INSTANTIATE_TEST_SUITE_P(
    Marks, VectorMarksGeometry,
    ::testing::Values(
        // 25.4 mm to the inch: a millimetre is 72/25.4 points, the far side is the page's.
        MarkCase{"LineAcrossToTheFarSide",
                 scaleOf(25.4, 25.4),
                 across(50.8, 0.75),
                 {},
                 {QLineF(720 / 25.4, 144, 518.4, 144), {kRed, 0.75}}},
        // A calibration stretching the axes moves every mark, not its width.
        MarkCase{"LineThroughAStretchingCalibration",
                 scaleOf(25.4 * 1.25, 25.4 * 0.8),
                 across(50.8, 0.75),
                 {},
                 {QLineF(720 / 25.4 / 1.25, 180, 518.4, 180), {kRed, 0.75}}},
        MarkCase{"LineDownFromTheFarSide",
                 scaleOf(25.4, 25.4),
                 LineMark{{25.4, true}, {0}, {25.4, true}, {0, true}, {kRedValue, 2}},
                 {},
                 {QLineF(446.4, 0, 446.4, 1036.8), {kRed, 2}}},
        MarkCase{"DashesInPoints",
                 scaleOf(25.4, 25.4),
                 across(25.4, 1, 2.54, 5.08),
                 {},
                 {QLineF(720 / 25.4, 72, 518.4, 72), {kRed, 1, 7.2, 14.4}}},
        MarkCase{"DashesDownAVerticalLineInItsScale",
                 scaleOf(25.4, 25.4 * 0.8),
                 LineMark{{25.4}, {0}, {25.4}, {0, true}, {kRedValue, 1}, 2.54, 5.08},
                 {},
                 {QLineF(72, 0, 72, 1036.8), {kRed, 1, 9, 18}}},
        // On pixels a line going left paints its start and not its end: a pixel further right.
        MarkCase{"LineGoingLeftLiesAPixelFurtherOn",
                 scaleOf(25.4, 25.4),
                 LineMark{{0, true}, {50.8}, {10}, {50.8}, {kRedValue, 0.75}},
                 {},
                 {QLineF(519.12, 144, 720 / 25.4 + 0.72, 144), {kRed, 0.75}}},
        // Dashes that would vanish on the page's pixels are drawn solid there, and here.
        MarkCase{"DashesUnderAPixelAreSolid",
                 scaleOf(25.4, 25.4),
                 across(25.4, 1, 0.2, 1),
                 {},
                 {QLineF(720 / 25.4, 72, 518.4, 72), {kRed, 1}}},
        // A width of 0 is one pixel of the page's resolution, as on pixels.
        MarkCase{"WidthZeroIsOneDevicePixel",
                 scaleOf(25.4, 25.4),
                 across(25.4, 0),
                 {},
                 {QLineF(720 / 25.4, 72, 518.4, 72), {kRed, 0.72}}},
        MarkCase{"ZoomScalesPlacesAndWidths",
                 scaleOf(25.4, 25.4, 50),
                 across(50.8, 3),
                 {},
                 {QLineF(360 / 25.4, 72, 518.4, 72), {kRed, 1.5}}},
        MarkCase{"RoundDot",
                 scaleOf(25.4 * 2, 25.4),
                 {},
                 DotMark{{25.4}, {12.7, true}, {kRedValue, 3}, true},
                 {QLineF(36, 1000.8, 36, 1000.8), {kRed, 3}, true}},
        MarkCase{"SquareDot",
                 scaleOf(25.4, 25.4),
                 {},
                 DotMark{{25.4}, {25.4}, {kRedValue, 4}, false},
                 {QLineF(72, 72, 72, 72), {kRed, 4}, false, true}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
