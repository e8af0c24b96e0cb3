#include "drawn_in_bands.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr QSize kSize(48, 40);
constexpr QRgb kPen = 0x3366cc;
constexpr QRgb kPaper = 0xf0e0d0;

struct PieceCase {
    const char* name;
    QPointF from;
    QPointF to;
    int width;
    QRect within = QRect(-100, -100, 300, 300);
};

void PrintTo(const PieceCase& c, std::ostream* os) {
    *os << c.name;
}

// The piece and its mirror image, crossing it, each once in XOR.
QPointF mirrored(QPointF p) {
    return {kSize.width() - p.x(), p.y()};
}

void drawPieces(Surface& surface, const PieceCase& c) {
    surface.setPenColor(kPen);
    surface.setPenWidth(c.width);
    surface.setPenMode(PenMode::Xor);
    surface.slantedLine(c.from, c.to, c.within);
    surface.slantedLine(mirrored(c.from), mirrored(c.to), c.within);
}

bool belongs(QPointF c, QPointF a, QPointF b, int w, const QRect& within, QPoint pixel) {
    const QPointF d = b - a;
    const double length = std::hypot(d.x(), d.y());
    const QPointF v = c - a;
    const double distance = std::abs(v.x() * d.y() - v.y() * d.x()) / length;
    const double along = (v.x() * d.x() + v.y() * d.y()) / length;
    return within.contains(pixel) && distance <= std::max(w, 1) / 2.0 && along >= 0 &&
           along <= length;
}

QImage reference(const PieceCase& c) {
    QImage image(kSize, QImage::Format_RGB32);
    image.fill(kPaper);
    for (int y = 0; y < kSize.height(); ++y) {
        for (int x = 0; x < kSize.width(); ++x) {
            const QPointF centre(x + 0.5, y + 0.5);
            QRgb p = image.pixel(x, y);
            if (belongs(centre, c.from, c.to, c.width, c.within, {x, y}))
                p ^= kPen;
            if (belongs(centre, mirrored(c.from), mirrored(c.to), c.width, c.within, {x, y}))
                p ^= kPen;
            image.setPixel(x, y, p);
        }
    }
    return image;
}

class SlantedPieces : public ::testing::TestWithParam<PieceCase> {};

// Every pixel whose centre the rule covers changes once per piece, on the plain surface, on
// an image surface, and on bands of the page drawn alone.
TEST_P(SlantedPieces, CoverThePixelsOfTheRule) {
    const PieceCase& c = GetParam();
    const QImage expected = reference(c);

    expectDrawnAsExpected(expected, kPaper, QLatin1String(c.name),
                          [&](Surface& surface) { drawPieces(surface, c); });
}

INSTANTIATE_TEST_SUITE_P(
    Rule, SlantedPieces,
    ::testing::Values(
        PieceCase{"ShortShallow", {3.3, 4.2}, {9.1, 6.9}, 1},
        PieceCase{"ShorterThanAPixelWide", {10.2, 10.3}, {10.6, 10.9}, 4},
        PieceCase{"SteepBeyondTopAndBottom", {-20.7, -50.2}, {30.4, 90.1}, 2},
        PieceCase{"ShallowBeyondBothSides", {-100.3, 10.2}, {150.6, 31.7}, 3},
        PieceCase{"WideDiagonalEndingInside", {5.5, 5.2}, {30.3, 33.1}, 5},
        PieceCase{"DownToTheLeft", {40.2, 3.3}, {2.9, 35.8}, 1},
        PieceCase{"NearlyUpright", {20.1, -5.3}, {20.9, 45.2}, 2},
        PieceCase{"NearlyLevel", {-3.7, 20.1}, {52.4, 20.6}, 3},
        PieceCase{"ClippedToARectangle", {-3.1, 2.2}, {50.2, 37.7}, 4, QRect(8, 6, 20, 15)},
        PieceCase{"ClippedAwayEntirely", {1.1, 1.3}, {9.2, 7.7}, 3, QRect(30, 20, 10, 10)}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
