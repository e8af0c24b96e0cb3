#include "page/draw_page.h"
#include "page/free_text.h"
#include "page/page_picture_geometry.h"
#include "page/picture_page_layers.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"
#include "support/image_compare.h"

#include "plain_surface.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

PictureRecord trueColour(int width, int height) {
    QImage image(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(29 * x % 256, 200 - 13 * y % 200, (x ^ y) * 9 % 256));
    }
    return PictureRecord::fromTrueColor(image);
}

PageScale pageScale(int width, int height, int dpi, std::optional<double> zoom = {}) {
    PageScale s;
    s.SurfaceWidth = width;
    s.SurfaceHeight = height;
    s.DotsPerInch = dpi;
    s.ZoomPercent = zoom;
    return s;
}

// The texture and the picture written out plainly: every pixel of the page from the picture
// pixel it samples, with tile and picture boxes worked out by hand in each case.
class ReferenceLayers : public PageLayers {
  public:
    ReferenceLayers(const PictureRecord& texture, QSize tile, PenMode mode,
                    const PictureRecord& picture, QRect box)
        : m_texture(texture), m_tile(tile), m_mode(mode), m_picture(picture), m_box(box) {}

    PenMode drawBackground(Surface& s, const PageScale& scale, const PageDesign&) const override {
        if (!m_tile.isEmpty()) {
            paint(s, QRect(0, 0, scale.SurfaceWidth, scale.SurfaceHeight), [&](QPoint p) {
                const int i = p.x() % m_tile.width();
                const int r = p.y() % m_tile.height();
                return m_texture.pixelColor(
                    int(qint64(DibWidth(m_texture)) * i / m_tile.width()),
                    int(qint64(DibHeight(m_texture)) * r / m_tile.height()));
            });
        }
        return m_mode;
    }
    void drawForeground(Surface& s, const PageScale&, const PageDesign&, int) const override {
        if (!m_box.isEmpty()) {
            paint(s, m_box, [&](QPoint p) {
                return m_picture.pixelColor(
                    DibWidth(m_picture) * (p.x() - m_box.x()) / m_box.width(),
                    DibHeight(m_picture) * (p.y() - m_box.y()) / m_box.height());
            });
        }
    }

  private:
    static void paint(Surface& s, const QRect& area, const std::function<QRgb(QPoint)>& colour) {
        const QRect shown = area.intersected(s.clipRect());
        for (int y = shown.top(); y <= shown.bottom(); ++y) {
            for (int x = shown.left(); x <= shown.right(); ++x) {
                QImage pixel(1, 1, QImage::Format_RGB32);
                pixel.setPixel(0, 0, colour(QPoint(x, y)));
                s.drawImage(QPoint(x, y), pixel);
            }
        }
    }

    const PictureRecord& m_texture;
    QSize m_tile;
    PenMode m_mode;
    const PictureRecord& m_picture;
    QRect m_box;
};

struct PageCase {
    const char* name;
    std::function<void(PaperSettings&)> setup;
    PageScale scale;
    QRect shown;
    QSize texture; // empty: none
    QSize tile;    // worked out by hand; empty: no tiles
    PenMode lineMode;
    QSize picture = {}; // empty: none
    QRect pictureBox = {};
};

void PrintTo(const PageCase& c, std::ostream* os) {
    *os << c.name;
}

class PagePictures : public ::testing::TestWithParam<PageCase> {};

// Preview and renders draw the page in one batch per rectangle, with tiles stretched once; the
// pixels must be those of drawing every tile and the picture pixel by pixel.
TEST_P(PagePictures, MatchAPlainDrawingOfEveryPixel) {
    const PageCase& c = GetParam();
    PaperSettings settings;
    settings.field(Setting::LineWidthEd).setValue(2);
    c.setup(settings);
    const PictureRecord texture =
        c.texture.isEmpty() ? PictureRecord() : trueColour(c.texture.width(), c.texture.height());
    const PictureRecord picture =
        c.picture.isEmpty() ? PictureRecord() : trueColour(c.picture.width(), c.picture.height());

    PlainSurface expected(c.shown.size(), c.shown.topLeft());
    DrawPage(expected, c.scale, pageDesignOf(settings),
             ReferenceLayers(texture, c.tile, c.lineMode, picture, c.pictureBox));

    const PicturePageLayers layers(texture, picture);
    for (int paint = 0; paint < 2; ++paint) { // the second paint uses the kept tile
        ImageSurface actual(c.shown.size(), c.shown.topLeft());
        DrawPage(actual, c.scale, pageDesignOf(settings), layers);
        ASSERT_TRUE(imagesEqual(expected.image(), actual.image(), c.name)) << "paint " << paint;
    }
}

void cm(PaperSettings& s, Setting setting, double value) {
    s.field(setting).setValue(value);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PagePictures,
    ::testing::Values(
        // 1 cm at 150 dpi is Trunc(10 / 25.39995 * 150) = 59 pixels.
        PageCase{"CheckeredXorOverTilesAndWhite",
                 [](PaperSettings& s) {
                     s.setPaperKind(PaperKind::Checkered);
                     s.setMergeMode(MergeMode::Merge1Check);
                     s.setFlag(Setting::SVerh2Check, false);
                     cm(s, Setting::BreitEd2, 1);
                     cm(s, Setting::HochEd2, 1);
                 },
                 pageScale(400, 300, 150),
                 {0, 0, 400, 300},
                 {9, 7},
                 {59, 59},
                 PenMode::Xor},
        // A picture twice as wide as high in a 1 cm box: 59 x 29, rows touching.
        PageCase{"AspectFitTilesTouch",
                 [](PaperSettings& s) {
                     s.setMergeMode(MergeMode::Merge2Check);
                     cm(s, Setting::BreitEd2, 1);
                     cm(s, Setting::HochEd2, 1);
                     s.setFlag(Setting::SVerh2Check, true);
                 },
                 pageScale(300, 500, 150),
                 {0, 0, 300, 500},
                 {12, 6},
                 {59, 29},
                 PenMode::Not},
        // The tile's height converts with the horizontal scale: 1 x 1.5 cm at zoom 400 is
        // 236 x 354 even with a vertical calibration far off.
        PageCase{"ExposedRectangleOfAPreview",
                 [](PaperSettings& s) {
                     cm(s, Setting::BreitEd2, 1);
                     cm(s, Setting::HochEd2, 1.5);
                     s.setFlag(Setting::SVerh2Check, false);
                 },
                 [] {
                     PageScale s = pageScale(900, 1200, 150, 400);
                     s.MmPerInchY = 30;
                     return s;
                 }(),
                 {333, 311, 120, 90},
                 {5, 5},
                 {236, 354},
                 PenMode::Copy},
        // At a zoom of 9000 % a 5 cm tile is 17007 pixels square: too large to keep, so each
        // tile is drawn straight into the exposed rectangle.
        PageCase{"TileTooLargeToKeep",
                 [](PaperSettings& s) {
                     s.setMergeMode(MergeMode::Merge1Check);
                     s.setFlag(Setting::SVerh2Check, false);
                 },
                 pageScale(60000, 80000, 96, 9000),
                 {16990, 40000, 40, 30},
                 {6, 4},
                 {17007, 17007},
                 PenMode::Xor},
        // 1 cm at 96 dpi and zoom 1 is no pixel: no tile is drawn, but the merge applies.
        PageCase{"TileOfNoPixelsKeepsTheMerge",
                 [](PaperSettings& s) {
                     s.setMergeMode(MergeMode::Merge1Check);
                     cm(s, Setting::BreitEd2, 1);
                 },
                 pageScale(100, 200, 96, 1),
                 {0, 0, 100, 200},
                 {4, 4},
                 {},
                 PenMode::Xor},
        PageCase{"MergeWithoutTextureIsCopy",
                 [](PaperSettings& s) { s.setMergeMode(MergeMode::Merge2Check); },
                 pageScale(100, 200, 96, 100),
                 {0, 0, 100, 200},
                 {},
                 {},
                 PenMode::Copy},
        // Bottom right, 0.1 cm from both sides (5 pixels), a 1 cm box fitted to a 2:1 picture:
        // 59 x 29 at 400 - 5 - 59 = 336, 300 - 5 - 29 = 266; over XOR lines, unmerged.
        PageCase{"PictureAtBottomRightOverTheLines",
                 [](PaperSettings& s) {
                     s.setMergeMode(MergeMode::Merge1Check);
                     s.setPictureCorner(PictureCorner::untenrechts);
                     s.setFlag(Setting::SVerhCheck, true);
                     cm(s, Setting::PosXEd, 0.1);
                     cm(s, Setting::PosYEd, 0.1);
                     cm(s, Setting::BreitEd, 1);
                     cm(s, Setting::HochEd, 1);
                     cm(s, Setting::BreitEd2, 1);
                     cm(s, Setting::HochEd2, 1);
                 },
                 pageScale(400, 300, 150),
                 {0, 0, 400, 300},
                 {3, 3},
                 {59, 59},
                 PenMode::Xor,
                 {20, 10},
                 {336, 266, 59, 29}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PagePictureGeometry, WorkedExamples) {
    struct Row {
        const char* name;
        std::function<void(PaperSettings&)> setup;
        int surfaceWidth;
        QSize picture;
        DibRect expected;
    };
    const Row rows[] = {
        {"Defaults",
         [](PaperSettings& s) { s.setFlag(Setting::SVerhCheck, false); },
         4800,
         {200, 100},
         {118, 118, 354, 354}},
        {"AspectKept",
         [](PaperSettings& s) { s.setFlag(Setting::SVerhCheck, true); },
         4800,
         {200, 100},
         {118, 118, 354, 177}},
        {"TopRight",
         [](PaperSettings& s) {
             s.setFlag(Setting::SVerhCheck, false);
             s.setPictureCorner(PictureCorner::obenrechts);
         },
         4800,
         {200, 100},
         {4328, 118, 354, 354}},
        {"TopRightGapKeptAfterTheFit",
         [](PaperSettings& s) {
             s.setPictureCorner(PictureCorner::obenrechts);
             s.setFlag(Setting::SVerhCheck, true);
         },
         4800,
         {100, 200},
         {4800 - 118 - 177, 118, 177, 354}},
        {"BottomLeftAfterTheFit",
         [](PaperSettings& s) { s.setPictureCorner(PictureCorner::untenlinks); },
         4800,
         {200, 100},
         {118, 6000 - 118 - 177, 354, 177}},
    };
    for (const Row& r : rows) {
        PaperSettings s;
        r.setup(s);
        const PictureRecord picture = trueColour(r.picture.width(), r.picture.height());
        EXPECT_EQ(placedPictureRect(pageScale(r.surfaceWidth, 6000, 600), pageDesignOf(s).picture,
                                    picture),
                  r.expected)
            << r.name;
    }
}

TEST(PagePictureGeometry, AspectFitInSixtyFourBits) {
    struct Row {
        const char* name;
        PixelSize box;
        qint64 width, height;
        PixelSize expected;
    };
    const Row rows[] = {
        {"Wide", {354, 354}, 200, 100, {354, 177}},
        {"Tall", {354, 354}, 100, 200, {177, 354}},
        {"NoPixels", {354, 354}, 0, 100, {0, 0}},
        {"TooFlatForAPixel", {100, 100}, 1000, 1, {100, 0}},
        {"ProductsBeyondThirtyTwoBits", {2000000000, 2000000000}, 3, 2, {2000000000, 1333333333}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(aspectFit(r.box, r.width, r.height), r.expected) << r.name;
}

TEST(FreeText, SizeIsThePointsOrNine) {
    struct Row {
        const char* name;
        qint32 points;
        int expected;
    };
    // 9 points at 600 dpi: Trunc(9 / 72 * 600) = 75.
    const Row rows[] = {{"Nine", 9, 75},
                        {"ZeroIsNine", 0, 75},
                        {"NegativeIsNine", -12, 75},
                        {"LargerThanThePage", 720, 6000}};
    for (const Row& r : rows) {
        FreeTextFont font;
        font.sizePoints = r.points;
        EXPECT_EQ(freeTextPixelSize(pageScale(2000, 3000, 600), font), r.expected) << r.name;
    }
}

// Makes a page show nothing but the free text `text`, black, in `font`.
void showTextOnly(PaperSettings& s, PaperKind kind, const QString& text, FreeTextFont font) {
    s.setPaperKind(kind);
    s.setFlag(Setting::LeftBorderLineCheck, false);
    s.setFlag(Setting::RightBorderLineCheck, false);
    s.field(Setting::LineWidthEd).setValue(0);
    s.setColour(Setting::ColvarColorComboBox1, colorValueFromRgb(255, 255, 255));
    s.setText(Setting::Edit1, text);
    font.color = colorValueFromRgb(0, 0, 0);
    s.setFont(font);
}

QImage freeTextPage(const PaperSettings& settings, QSize size, int dpi) {
    const PictureRecord none;
    ImageSurface surface(size);
    DrawPage(surface, pageScale(size.width(), size.height(), dpi), pageDesignOf(settings),
             PicturePageLayers(none, none));
    return surface.image();
}

// The text starts at the left edge line (after snapping on checkered paper) and its cell's
// bottom is the page's bottom row.
TEST(FreeText, LiesAtTheLeftEdgeOnTheBottomRow) {
    struct Row {
        const char* name;
        PaperKind kind;
        int edgeX; // 25 mm, or 27.5 mm snapped, at 600 dpi
    };
    const Row rows[] = {{"Ruled", PaperKind::Ruled, 590},
                        {"CheckeredSnapped", PaperKind::Checkered, 649}};
    for (const Row& r : rows) {
        const FreeTextFont font;
        PaperSettings s;
        showTextOnly(s, r.kind, QStringLiteral("Hg"), font);
        const QImage image = freeTextPage(s, QSize(2000, 400), 600);
        QRect ink;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) < 128)
                    ink |= QRect(x, y, 1, 1);
            }
        }
        const int cell = ImageSurface(QSize(1, 1)).textHeight(freeTextQFont(font, 75));
        EXPECT_GE(ink.left(), r.edgeX) << r.name;
        EXPECT_LE(ink.left(), r.edgeX + 10) << r.name;
        EXPECT_GE(ink.top(), 400 - cell) << r.name;
        EXPECT_GT(ink.bottom(), 400 - cell / 3) << r.name << ": the descender of g";
    }
}

// A text taller than the page keeps its size: the page shows the bottom of the text that a
// taller page shows, its tops cut off.
TEST(FreeText, TallerThanThePageIsCutByTheTopSide) {
    FreeTextFont font;
    font.sizePoints = 72; // 600 pixels at 600 dpi, a cell of about 670
    PaperSettings s;
    showTextOnly(s, PaperKind::Ruled, QStringLiteral("Hg"), font);
    const QImage page = freeTextPage(s, QSize(1500, 500), 600);
    const QImage tall = freeTextPage(s, QSize(1500, 800), 600);
    EXPECT_TRUE(imagesEqual(tall.copy(0, 300, 1500, 500), page, "free-text-cut"));
}

} // namespace
