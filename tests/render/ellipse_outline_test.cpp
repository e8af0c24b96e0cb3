#include "drawn_in_bands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr QSize kSize(44, 36);
constexpr QRgb kPen = 0x3366cc;
constexpr QRgb kPaper = 0xf0e0d0;

struct EllipseCase {
    const char* name;
    QPointF centre;
    double radiusX;
    double radiusY;
    int width;
    PenMode mode = PenMode::Xor;
};

void PrintTo(const EllipseCase& c, std::ostream* os) {
    *os << c.name;
}

// The ellipse, and in XOR a second one crossing it, each one operation.
QPointF shifted(QPointF centre) {
    return centre + QPointF(5.3, 3.1);
}

void drawEllipses(Surface& surface, const EllipseCase& c) {
    surface.setPenColor(kPen);
    surface.setPenWidth(c.width);
    surface.setPenMode(c.mode);
    surface.ellipse(c.centre, c.radiusX, c.radiusY);
    if (c.mode == PenMode::Xor)
        surface.ellipse(shifted(c.centre), c.radiusX, c.radiusY);
}

// The distance from p to the ellipse, found the slow way: the squared distance to the point at
// angle t, sampled all round and then narrowed by golden sections around the closest sample. A
// circle's is exact, so that pixel centres lying just on its rule's border count as they must.
double distanceToEllipse(QPointF p, QPointF centre, double a, double b) {
    if (a == b)
        return std::abs(std::hypot(p.x() - centre.x(), p.y() - centre.y()) - a);
    const auto squared = [&](double t) {
        const double dx = centre.x() + a * std::cos(t) - p.x();
        const double dy = centre.y() + b * std::sin(t) - p.y();
        return dx * dx + dy * dy;
    };
    constexpr int kSamples = 4000;
    const double step = 2 * std::numbers::pi / kSamples;
    int best = 0;
    for (int i = 1; i < kSamples; ++i) {
        if (squared(i * step) < squared(best * step))
            best = i;
    }
    double low = (best - 1) * step;
    double high = (best + 1) * step;
    const double golden = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 100; ++i) {
        const double left = high - golden * (high - low);
        const double right = low + golden * (high - low);
        if (squared(left) < squared(right))
            high = right;
        else
            low = left;
    }
    return std::sqrt(squared((low + high) / 2));
}

bool onEllipse(QPointF centre, const EllipseCase& c, int x, int y) {
    return distanceToEllipse(QPointF(x + 0.5, y + 0.5), centre, c.radiusX, c.radiusY) <=
           std::max(c.width, 1) / 2.0;
}

QImage reference(const EllipseCase& c) {
    QImage image(kSize, QImage::Format_RGB32);
    image.fill(kPaper);
    for (int y = 0; y < kSize.height(); ++y) {
        for (int x = 0; x < kSize.width(); ++x) {
            QRgb p = image.pixel(x, y);
            if (onEllipse(c.centre, c, x, y))
                p = c.mode == PenMode::Xor ? p ^ kPen : (kPen | 0xff000000u);
            if (c.mode == PenMode::Xor && onEllipse(shifted(c.centre), c, x, y))
                p ^= kPen;
            image.setPixel(x, y, p);
        }
    }
    return image;
}

class EllipseOutlines : public ::testing::TestWithParam<EllipseCase> {};

// Every pixel whose centre lies within half the pen's width of the ellipse, measured to its
// nearest point, changes once per ellipse, on the plain surface and on bands drawn alone.
TEST_P(EllipseOutlines, CoverThePixelsOfTheRule) {
    const EllipseCase& c = GetParam();
    expectDrawnAsExpected(reference(c), kPaper, QLatin1String(c.name),
                          [&](Surface& surface) { drawEllipses(surface, c); });
}

INSTANTIATE_TEST_SUITE_P(
    Rule, EllipseOutlines,
    ::testing::Values(
        EllipseCase{"WiderThanHighHairline", {17.3, 15.7}, 12.6, 8.1, 0},
        EllipseCase{"HigherThanWideInCopyMode", {15.3, 14.7}, 7.7, 11.9, 1, PenMode::Copy},
        // Inside, the nearest point of a flat ellipse may lie on either long side.
        EllipseCase{"FlatWithAWidePen", {20.4, 16.6}, 15.2, 3.3, 3},
        EllipseCase{"WiderThanItsHole", {18.2, 17.9}, 4.1, 2.6, 6},
        EllipseCase{"CutByAllFourSides", {22.1, 17.8}, 25.3, 20.6, 2},
        EllipseCase{"CentreBeyondTheTopSide", {14.2, -5.4}, 9.7, 13.3, 2, PenMode::Copy},
        // A hole on paper whose axes scale alike is a circle, drawn by a rule of its own.
        EllipseCase{"CircleHairline", {15.3, 14.7}, 9.6, 9.6, 0},
        EllipseCase{"CircleHairlineInCopyMode", {15.3, 14.7}, 9.6, 9.6, 1, PenMode::Copy},
        EllipseCase{"CircleCentredOnAPixelCorner", {16, 16}, 7, 7, 1},
        EllipseCase{"CircleCentredOnAPixelCentre", {16.5, 16.5}, 7.5, 7.5, 2},
        EllipseCase{"CircleWiderThanItsHole", {18.2, 17.9}, 2.4, 2.4, 6},
        EllipseCase{"CircleSmallerThanAPixel", {10.4, 10.6}, 0.3, 0.3, 1},
        EllipseCase{"CircleCutByAllFourSides", {20.1, 17.8}, 21.3, 21.3, 3},
        EllipseCase{"CircleCentreBeyondTheLeftSide", {-6.2, 12.4}, 10.7, 10.7, 2, PenMode::Copy},
        EllipseCase{"CircleAwayFromThePage", {-40, -40}, 8, 8, 2}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
