#include "render/image_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

constexpr QRgb kWhite = 0xffffff;
constexpr QRgb kPen = 0x3366cc;
constexpr QRgb kBrush = 0x00ff00;

// The surface's pixels as text, one string per row: '.' white, '#' the pen colour, 'o' the
// brush colour, 'x' and 'O' white XOR the pen and the brush colour, '@' black, '?' anything else.
std::string picture(ImageSurface& surface) {
    const QImage& image = surface.image();
    std::string text;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) & 0xffffff;
            text += p == kWhite              ? '.'
                    : p == kPen              ? '#'
                    : p == kBrush            ? 'o'
                    : p == (kWhite ^ kPen)   ? 'x'
                    : p == (kWhite ^ kBrush) ? 'O'
                    : p == 0                 ? '@'
                                             : '?';
        }
        text += '\n';
    }
    return text;
}

std::string rows(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + '\n';
    return text;
}

std::string drawn(int penWidth, PenMode mode, const std::function<void(Surface&)>& draw) {
    ImageSurface surface(QSize(12, 8));
    surface.setPenColor(kPen);
    surface.setBrushColor(kBrush);
    surface.setPenWidth(penWidth);
    surface.setPenMode(mode);
    draw(surface);
    return picture(surface);
}

void line(Surface& s, int x1, int y1, int x2, int y2) {
    s.moveTo(x1, y1);
    s.lineTo(x2, y2);
}

struct LineCase {
    const char* name;
    int penWidth;
    PenMode mode;
    std::function<void(Surface&)> draw;
    std::string expected;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

class SurfacePixels : public ::testing::TestWithParam<LineCase> {};

TEST_P(SurfacePixels, FollowThePixelRules) {
    const LineCase& c = GetParam();
    EXPECT_EQ(drawn(c.penWidth, c.mode, c.draw), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Operations, SurfacePixels,
                         ::testing::Values(LineCase{"RightwardEndPointNotPainted", 1, PenMode::Copy,
                                                    [](Surface& s) { line(s, 2, 3, 7, 3); },
                                                    rows({"............", "............",
                                                          "............", "..#####.....",
                                                          "............", "............",
                                                          "............", "............"})},
                                           LineCase{
                                               "LeftwardStartsBesideTheEndPoint", 1, PenMode::Copy,
                                               [](Surface& s) { line(s, 7, 3, 2, 3); },
                                               rows({"............", "............", "............",
                                                     "...#####....", "............", "............",
                                                     "............", "............"})},
                                           LineCase{
                                               "DownwardAndUpward", 1, PenMode::Copy,
                                               [](Surface& s) {
                                                   line(s, 2, 1, 2, 5);
                                                   line(s, 8, 5, 8, 1);
                                               },
                                               rows({"............", "..#.........", "..#.....#...",
                                                     "..#.....#...", "..#.....#...", "........#...",
                                                     "............", "............"})},
                                           LineCase{
                                               "OddWidthCentred", 3, PenMode::Copy,
                                               [](Surface& s) { line(s, 1, 4, 5, 4); },
                                               rows({"............", "............", "............",
                                                     ".####.......", ".####.......", ".####.......",
                                                     "............", "............"})},
                                           LineCase{
                                               "EvenWidthReachesUpward", 4, PenMode::Copy,
                                               [](Surface& s) { line(s, 1, 4, 5, 4); },
                                               rows({"............", "............", ".####.......",
                                                     ".####.......", ".####.......", ".####.......",
                                                     "............", "............"})},
                                           LineCase{
                                               "VerticalWidthReachesLeftward", 4, PenMode::Copy,
                                               [](Surface& s) { line(s, 6, 1, 6, 3); },
                                               rows({"............", "....####....", "....####....",
                                                     "............", "............", "............",
                                                     "............", "............"})},
                                           LineCase{
                                               "WidthZeroIsOnePixel", 0, PenMode::Copy,
                                               [](Surface& s) { line(s, 1, 2, 4, 2); },
                                               rows({"............", "............", ".###........",
                                                     "............", "............", "............",
                                                     "............", "............"})},
                                           LineCase{
                                               "ClippedAtEverySide", 3, PenMode::Copy,
                                               [](Surface& s) {
                                                   line(s, -5, 0, 30, 0);
                                                   line(s, 11, -4, 11, 20);
                                                   line(s, -1, 3, -1, 6); // only its right column
                                                                          // is on the surface
                                               },
                                               rows({"############", "############", "..........##",
                                                     "#.........##", "#.........##", "#.........##",
                                                     "..........##", "..........##"})},
                                           LineCase{"EntirelyOutside", 2, PenMode::Copy,
                                                    [](Surface& s) {
                                                        line(s, -9, 3, -2, 3);
                                                        line(s, 3, 9, 3, 30);
                                                        line(s, 20, -5, 40, -5);
                                                    },
                                                    rows({"............", "............",
                                                          "............", "............",
                                                          "............", "............",
                                                          "............", "............"})},
                                           LineCase{
                                               "NoLineToItself", 3, PenMode::Copy,
                                               [](Surface& s) { line(s, 4, 4, 4, 4); },
                                               rows({"............", "............", "............",
                                                     "............", "............", "............",
                                                     "............", "............"})},
                                           LineCase{
                                               "RectangleFillsInsideTheOutline", 2, PenMode::Copy,
                                               [](Surface& s) { s.rectangle(1, 1, 9, 7); },
                                               rows({"............", ".########...", ".########...",
                                                     ".##oooo##...", ".##oooo##...", ".########...",
                                                     ".########...", "............"})},
                                           LineCase{
                                               "RectangleFromOppositeCorners", 1, PenMode::Copy,
                                               [](Surface& s) { s.rectangle(9, 7, 1, 1); },
                                               rows({"............", ".########...", ".#oooooo#...",
                                                     ".#oooooo#...", ".#oooooo#...", ".#oooooo#...",
                                                     ".########...", "............"})},
                                           LineCase{
                                               "RectangleNarrowerThanItsOutline", 2, PenMode::Copy,
                                               [](Surface& s) { s.rectangle(1, 1, 4, 4); },
                                               rows({"............", ".###........", ".###........",
                                                     ".###........", "............", "............",
                                                     "............", "............"})},
                                           LineCase{
                                               "XorCrossingIsAppliedTwice", 1, PenMode::Xor,
                                               [](Surface& s) {
                                                   line(s, 0, 2, 12, 2);
                                                   line(s, 3, 0, 3, 8);
                                               },
                                               rows({"...x........", "...x........", "xxx.xxxxxxxx",
                                                     "...x........", "...x........", "...x........",
                                                     "...x........", "...x........"})},
                                           LineCase{
                                               "XorRectangleTouchesEachPixelOnce", 2, PenMode::Xor,
                                               [](Surface& s) { s.rectangle(0, 0, 6, 6); },
                                               rows({"xxxxxx......", "xxxxxx......", "xxOOxx......",
                                                     "xxOOxx......", "xxxxxx......", "xxxxxx......",
                                                     "............", "............"})},
                                           LineCase{
                                               "NotIgnoresTheColour", 2, PenMode::Not,
                                               [](Surface& s) {
                                                   line(s, 0, 1, 5, 1);
                                                   s.setPenColor(kBrush);
                                                   line(s, 6, 1, 12, 1);
                                               },
                                               rows({"@@@@@.@@@@@@", "@@@@@.@@@@@@", "............",
                                                     "............", "............", "............",
                                                     "............", "............"})},
                                           LineCase{
                                               "DiagonalEndPointNotPainted", 1, PenMode::Copy,
                                               [](Surface& s) { line(s, 1, 1, 6, 6); },
                                               rows({"............", ".#..........", "..#.........",
                                                     "...#........", "....#.......", ".....#......",
                                                     "............", "............"})}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SurfaceXor, DrawnTwiceRestoresTheSurface) {
    const std::string blank = drawn(0, PenMode::Copy, [](Surface&) {});
    EXPECT_EQ(drawn(3, PenMode::Xor,
                    [](Surface& s) {
                        for (int i = 0; i < 2; ++i) {
                            line(s, 1, 4, 9, 4);
                            line(s, 2, 0, 2, 8);
                            line(s, 0, 0, 11, 7);
                            s.rectangle(5, 1, 10, 6);
                        }
                    }),
              blank);
}

// A slanted line stamps overlapping pen squares; XOR shows any pixel changed twice, because it
// turns back to white where the copy mode shows the pen.
TEST(SurfaceDiagonal, ChangesEachPixelOnce) {
    const struct {
        int x1, y1, x2, y2, w;
    } lines[] = {
        {1, 1, 10, 4, 3}, {10, 1, 2, 7, 4}, {3, 0, 5, 8, 3}, {11, 7, 0, 0, 5}, {0, 6, 11, 1, 2}};
    for (const auto& l : lines) {
        const auto draw = [&](Surface& s) { line(s, l.x1, l.y1, l.x2, l.y2); };
        std::string copied = drawn(l.w, PenMode::Copy, draw);
        std::replace(copied.begin(), copied.end(), '#', 'x');
        EXPECT_EQ(drawn(l.w, PenMode::Xor, draw), copied)
            << l.x1 << "," << l.y1 << " -> " << l.x2 << "," << l.y2 << " width " << l.w;
    }
}

TEST(SurfaceNot, InvertsWhateverIsThere) {
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, 0x123456);
    image.setPixel(1, 0, 0xffffff);
    ImageSurface surface(image, QPoint(0, 0));
    surface.setPenMode(PenMode::Not);
    surface.setPenColor(0xabcdef);
    line(surface, 0, 0, 2, 0);
    EXPECT_EQ(surface.image().pixel(0, 0) & 0xffffff, 0xedcba9u);
    EXPECT_EQ(surface.image().pixel(1, 0) & 0xffffff, 0u);
}

TEST(ImageSurface, ShowsItsRectangleOfThePageOverWhatItHeld) {
    QImage image(6, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x)
            image.setPixel(x, y, qRgb(10 * x, 20 * y, 99));
    }
    ImageSurface surface(image, QPoint(100, 50));
    surface.setPenColor(0xffffff);
    surface.setPenMode(PenMode::Xor);
    line(surface, 90, 52, 200, 52); // page row 52 is image row 2
    line(surface, 103, 0, 103, 51); // ends above the image's second row
    const QImage& result = surface.image();
    ASSERT_EQ(result.format(), QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool changed = y == 2 || (x == 3 && y == 0);
            const QRgb expected = qRgb(10 * x, 20 * y, 99) ^ (changed ? 0xffffffu : 0u);
            EXPECT_EQ(result.pixel(x, y) & 0xffffff, expected & 0xffffff) << x << "," << y;
        }
    }
}

TEST(ImageSurface, ReadingInBetweenKeepsTheOrderOfOperations) {
    ImageSurface surface(QSize(12, 8));
    surface.setPenColor(kPen);
    line(surface, 0, 3, 12, 3); // a whole row in copy mode
    EXPECT_EQ(surface.image().pixel(5, 3) & 0xffffff, kPen);
    surface.setPenMode(PenMode::Xor);
    line(surface, 5, 0, 5, 8);
    surface.setPenMode(PenMode::Copy);
    surface.setPenColor(kBrush);
    line(surface, 0, 6, 12, 6);
    EXPECT_EQ(picture(surface),
              rows({".....x......", ".....x......", ".....x......", "#####@######", ".....x......",
                    ".....x......", "oooooooooooo", ".....x......"}));
}

} // namespace
