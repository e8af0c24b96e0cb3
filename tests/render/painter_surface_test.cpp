#include "render/painter_surface.h"

#include "page/draw_page.h"
#include "page/picture_page_layers.h"
#include "picture/picture_record.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"
#include "support/image_compare.h"
#include "support/noise_image.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct PainterCase {
    const char* name;
    std::function<void(PaperSettings&)> setup;
    PageScale scale;
    bool texture = false;
};

QImage noise(QSize size) {
    return noiseImage(size, 7);
}

void PrintTo(const PainterCase& c, std::ostream* os) {
    *os << c.name;
}

PageScale scale(int width, int height, int dpi, std::optional<double> zoom, double leftOffset = 0) {
    PageScale s;
    s.SurfaceWidth = width;
    s.SurfaceHeight = height;
    s.DotsPerInch = dpi;
    s.ZoomPercent = zoom;
    s.MmPerInchX = 101.5 * 25.39995 / 100;
    s.LeftOffsetMm = leftOffset;
    return s;
}

class PainterSurfacePages : public ::testing::TestWithParam<PainterCase> {};

// What goes to a printer or a PDF lies on the same pixels as the preview and the renders.
TEST_P(PainterSurfacePages, PaintTheSamePixelsAsAnImageSurface) {
    const PainterCase& c = GetParam();
    PaperSettings settings;
    c.setup(settings);
    const QSize size(c.scale.SurfaceWidth, c.scale.SurfaceHeight);

    const PictureRecord texture =
        c.texture ? PictureRecord::fromTrueColor(noise(QSize(37, 23))) : PictureRecord();
    const PictureRecord noPicture;
    const PicturePageLayers layers(texture, noPicture);

    ImageSurface expected(size);
    DrawPage(expected, c.scale, pageDesignOf(settings), layers);

    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterSurface surface(painter);
        DrawPage(surface, c.scale, pageDesignOf(settings), layers);
    }
    EXPECT_TRUE(imagesEqual(expected.image(), image, c.name));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PainterSurfacePages,
    ::testing::Values(PainterCase{"RuledPrint", [](PaperSettings&) {},
                                  scale(1400, 1500, 600, {}, 3)},
                      PainterCase{"CheckeredPreview",
                                  [](PaperSettings& s) { s.setPaperKind(PaperKind::Checkered); },
                                  scale(761, 1090, 96, 130)},
                      PainterCase{"TextureTilesSentInBands",
                                  [](PaperSettings& s) {
                                      s.field(Setting::BreitEd2).setValue(20);
                                      s.field(Setting::HochEd2).setValue(20);
                                      s.setFlag(Setting::SVerh2Check, false);
                                  },
                                  scale(3000, 3200, 300, {}), true},
                      PainterCase{"ThickLinesBeyondTheSurface",
                                  [](PaperSettings& s) {
                                      s.setPaperKind(PaperKind::Checkered);
                                      s.field(Setting::LineWidthEd).setValue(4);
                                      s.field(Setting::RRLineWidthED).setValue(30);
                                      s.field(Setting::LeftBorderEd).setValue(1);
                                      s.setFlag(Setting::NoRightBorderFillCheck, true);
                                  },
                                  scale(900, 700, 300, {})},
                      PainterCase{"RoundDotsAndBoldDots",
                                  [](PaperSettings& s) {
                                      s.setPaperKind(PaperKind::DotGrid);
                                      s.field(Setting::MajorEveryEd).setValue(4);
                                  },
                                  scale(900, 700, 300, {})},
                      PainterCase{"LargeRoundDotsOverEachOther",
                                  [](PaperSettings& s) {
                                      s.setPaperKind(PaperKind::DotGrid);
                                      s.field(Setting::CaretSpaceED).setValue(3);
                                      s.field(Setting::DotSizeEd).setValue(40);
                                      s.field(Setting::MajorDotSizeEd).setValue(300);
                                      s.field(Setting::MajorEveryEd).setValue(4);
                                  },
                                  scale(900, 700, 300, {}), true},
                      PainterCase{"DotGridMergedWithATextureByXor",
                                  [](PaperSettings& s) {
                                      s.setPaperKind(PaperKind::DotGrid);
                                      s.field(Setting::MajorEveryEd).setValue(3);
                                      s.setFlag(Setting::LeftBorderLineCheck, true);
                                      s.setMergeMode(MergeMode::Merge1Check);
                                  },
                                  scale(900, 700, 300, {}), true},
                      PainterCase{"IsometricMergedWithATextureByXor",
                                  [](PaperSettings& s) {
                                      s.setPaperKind(PaperKind::Isometric);
                                      s.field(Setting::LineWidthEd).setValue(2);
                                      s.setMergeMode(MergeMode::Merge1Check);
                                  },
                                  scale(900, 700, 300, {}), true},
                      PainterCase{"PunchHolesMergedByXorOnAMirroredPage",
                                  [](PaperSettings& s) {
                                      s.setNumber(Setting::HolesPattern,
                                                  int(HolesPattern::ThreeHoles108));
                                      s.setFlag(Setting::MirrorCheck, true);
                                      s.field(Setting::PageNumberStartEd).setValue(2);
                                      s.setMergeMode(MergeMode::Merge1Check);
                                  },
                                  scale(900, 700, 300, {}, 2), true},
                      PainterCase{"HexagonalPreview",
                                  [](PaperSettings& s) { s.setPaperKind(PaperKind::Hexagonal); },
                                  scale(761, 1090, 96, 130)},
                      PainterCase{"GridInvertingATextureAcrossBands",
                                  [](PaperSettings& s) {
                                      s.setPaperKind(PaperKind::Checkered);
                                      s.field(Setting::LineWidthEd).setValue(3);
                                      s.setMergeMode(MergeMode::Merge2Check);
                                  },
                                  scale(3000, 3200, 300, {}), true}),
    [](const auto& info) { return std::string(info.param.name); });

// Lines merged with a texture go out as pictures of their finished pixels, a round dot as one
// picture rather than one per row of equal width: the page stays small and quick to send.
// The number of pictures in a 300 dpi PDF page that `draw` draws through a painter surface.
int picturesInPdf(const std::function<void(PainterSurface&)>& draw) {
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        QPainter painter(&writer);
        PainterSurface surface(painter);
        draw(surface);
    }
    return int(pdf.count("/Subtype /Image"));
}

TEST(PainterSurfaceMerging, SendsARoundDotAsOnePicture) {
    const int pictures = picturesInPdf([](PainterSurface& surface) {
        surface.drawTiled(QRect(0, 0, 600, 400), noise(QSize(8, 5))); // whole tiles only
        surface.setPenMode(PenMode::Xor);
        surface.setPenColor(0xc0c0c0);
        for (int i = 0; i < 10; ++i)
            surface.dot(30 + 50 * i, 40, 16, true);
    });
    EXPECT_EQ(pictures, 1 + 10) << "the tile once, then each dot";
}

// A texture goes to a PDF as one picture, however the sides of its area cut it: cut copies of
// the tile would each be compressed and kept.
TEST(PainterSurfaceTiles, SendTheTileOnceWhereverTheAreaIsCut) {
    const struct {
        const char* name;
        QRect area;
    } cases[] = {
        {"right side", QRect(0, 0, 43, 40)},
        {"bottom", QRect(0, 0, 40, 43)},
        {"both and the corner", QRect(3, 5, 51, 47)},
    };
    for (const auto& c : cases) {
        const int pictures = picturesInPdf(
            [&c](PainterSurface& surface) { surface.drawTiled(c.area, noise(QSize(8, 5))); });
        EXPECT_EQ(pictures, 1) << c.name;
    }
}

} // namespace
