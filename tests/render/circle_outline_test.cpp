#include "drawn_in_bands.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr QSize kSize(40, 36);
constexpr QRgb kPen = 0x3366cc;
constexpr QRgb kPaper = 0xf0e0d0;

struct CircleCase {
    const char* name;
    QPointF centre;
    double radius;
    int width;
    PenMode mode = PenMode::Xor;
};

void PrintTo(const CircleCase& c, std::ostream* os) {
    *os << c.name;
}

// The circle, and in XOR a second one crossing it, each one operation.
QPointF shifted(QPointF centre) {
    return centre + QPointF(5.3, 3.1);
}

void drawCircles(Surface& surface, const CircleCase& c) {
    surface.setPenColor(kPen);
    surface.setPenWidth(c.width);
    surface.setPenMode(c.mode);
    surface.ellipse(c.centre, c.radius, c.radius);
    if (c.mode == PenMode::Xor)
        surface.ellipse(shifted(c.centre), c.radius, c.radius);
}

bool onCircle(QPointF centre, double radius, int width, int x, int y) {
    const double distance = std::hypot(x + 0.5 - centre.x(), y + 0.5 - centre.y());
    return std::abs(distance - radius) <= std::max(width, 1) / 2.0;
}

QImage reference(const CircleCase& c) {
    QImage image(kSize, QImage::Format_RGB32);
    image.fill(kPaper);
    for (int y = 0; y < kSize.height(); ++y) {
        for (int x = 0; x < kSize.width(); ++x) {
            QRgb p = image.pixel(x, y);
            if (onCircle(c.centre, c.radius, c.width, x, y))
                p = c.mode == PenMode::Xor ? p ^ kPen : (kPen | 0xff000000u);
            if (c.mode == PenMode::Xor && onCircle(shifted(c.centre), c.radius, c.width, x, y))
                p ^= kPen;
            image.setPixel(x, y, p);
        }
    }
    return image;
}

class CircleOutlines : public ::testing::TestWithParam<CircleCase> {};

// Every pixel whose centre lies within half the pen's width of the circle changes once per
// circle, on the plain surface and on bands of the page drawn alone.
TEST_P(CircleOutlines, CoverThePixelsOfTheRule) {
    const CircleCase& c = GetParam();
    const QImage expected = reference(c);

    expectDrawnAsExpected(expected, kPaper, QLatin1String(c.name),
                          [&](Surface& surface) { drawCircles(surface, c); });
}

INSTANTIATE_TEST_SUITE_P(
    Rule, CircleOutlines,
    ::testing::Values(CircleCase{"Hairline", {15.3, 14.7}, 9.6, 0},
                      CircleCase{"HairlineInCopyMode", {15.3, 14.7}, 9.6, 1, PenMode::Copy},
                      CircleCase{"CentredOnAPixelCorner", {16, 16}, 7, 1},
                      CircleCase{"CentredOnAPixelCentre", {16.5, 16.5}, 7.5, 2},
                      CircleCase{"WiderThanItsHole", {18.2, 17.9}, 2.4, 6},
                      CircleCase{"SmallerThanAPixel", {10.4, 10.6}, 0.3, 1},
                      CircleCase{"CutByAllFourSides", {20.1, 17.8}, 21.3, 3},
                      CircleCase{"CentreBeyondTheLeftSide", {-6.2, 12.4}, 10.7, 2, PenMode::Copy},
                      CircleCase{"AwayFromThePage", {-40, -40}, 8, 2}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
