#include "viewer/picture_print_geometry.h"

#include <gtest/gtest.h>

namespace {

const QSize kPortrait(4800, 6600);
const QSize kLandscape(6600, 4800);
const QSize kWide(400, 100);
const QSize kTall(100, 400);

PicturePrintChoice userDefined(int width, int height, bool centered = true) {
    return {false, true, centered, width, height};
}

TEST(PicturePrintGeometry, PlacesThePictureOnTheArea) {
    struct Row {
        const char* name;
        QSize picture;
        QSize area;
        PicturePrintChoice choice;
        QRect expected;
    };
    const Row rows[] = {
        {"wide picture fills the width, centred vertically",
         kWide,
         kPortrait,
         {},
         QRect(0, 2700, 4800, 1200)},
        {"tall picture fills the height, centred horizontally",
         kTall,
         kLandscape,
         {},
         QRect(2700, 0, 1200, 4800)},
        {"tall picture at the top left",
         kTall,
         kPortrait,
         {true, true, false, 50, 50},
         QRect(0, 0, 1650, 6600)},
        {"stretched over the whole area",
         kTall,
         kPortrait,
         {true, false, true, 50, 50},
         QRect(0, 0, 4800, 6600)},
        {"user-defined percentages, centred", kWide, kPortrait, userDefined(50, 36),
         QRect(1200, 2112, 2400, 2376)},
        {"user-defined halves round to even", kWide, QSize(4801, 6601), userDefined(50, 50, false),
         QRect(0, 0, 2400, 3300)},
        {"landscape user-defined", kTall, kLandscape, userDefined(10, 100, false),
         QRect(0, 0, 660, 4800)},
        {"no printable area", kWide, QSize(0, 6600), {}, QRect()},
        {"no picture", QSize(0, 0), kPortrait, {}, QRect()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(placePicture(row.picture, row.area, row.choice), row.expected);
    }
}

TEST(PicturePrintGeometry, OutlinesThePageInTheBox) {
    const QSize box(190, 190);
    EXPECT_EQ(pageOutline(box, kLandscape), QRect(0, 26, 190, 138));
    EXPECT_EQ(pageOutline(box, kPortrait), QRect(26, 0, 138, 190));
    EXPECT_EQ(pageOutline(box, QSize(1000, 1000)), QRect(0, 0, 190, 190));
    EXPECT_TRUE(pageOutline(box, QSize(4800, 0)).isEmpty());
}

TEST(PicturePrintGeometry, KeptProportionsGiveBothPercentsWithinOneToHundred) {
    constexpr auto width = PercentSide::Width;
    constexpr auto height = PercentSide::Height;
    struct Row {
        const char* name;
        PercentSide set;
        int percent;
        QSize picture;
        QSize area;
        std::optional<PrintPercents> expected;
    };
    const Row rows[] = {
        {"square on portrait: height from width", width, 50, QSize(10, 10), kPortrait, {{50, 36}}},
        {"square on landscape: height from width",
         width,
         50,
         QSize(10, 10),
         kLandscape,
         {{50, 68}}},
        {"square on portrait: width from height", height, 50, QSize(10, 10), kPortrait, {{68, 50}}},
        {"a width past 100 counts as 100", width, 150, QSize(10, 10), kPortrait, {{100, 72}}},
        {"tall picture: width lowered until the height fits",
         width,
         50,
         kTall,
         kPortrait,
         {{34, 98}}},
        {"wide picture: height lowered until the width fits",
         height,
         100,
         QSize(6000, 4000),
         kPortrait,
         {{99, 48}}},
        {"flat picture: height raised to 1", width, 1, QSize(400, 10), kPortrait, {{1, 1}}},
        {"too tall to fit at all: the least width",
         width,
         100,
         QSize(1, 1000),
         kPortrait,
         {{1, 100}}},
        {"no printable area", width, 50, kWide, QSize(), std::nullopt},
        {"no picture", height, 50, QSize(), kPortrait, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(proportionalPercents(row.set, row.percent, row.picture, row.area), row.expected);
    }
}

TEST(PicturePrintGeometry, APairMadeFromEitherSideIsProportional) {
    const QSize square(10, 10);
    EXPECT_TRUE(isProportional({50, 36}, square, kPortrait)) << "made from the width";
    EXPECT_TRUE(isProportional({100, 73}, square, kPortrait))
        << "made from the height, though the width would make the height 72";
    EXPECT_FALSE(isProportional({50, 50}, square, kPortrait));
    EXPECT_FALSE(isProportional({50, 36}, square, QSize()));
}

} // namespace
