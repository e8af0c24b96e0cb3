#include "render/painter_surface.h"

#include "render/draw_page.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"
#include "support/image_compare.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct PainterCase {
    const char* name;
    std::function<void(PaperSettings&)> setup;
    PageScale scale;
};

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

    ImageSurface expected(size);
    DrawPage(expected, c.scale, settings);

    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterSurface surface(painter);
        DrawPage(surface, c.scale, settings);
    }
    EXPECT_TRUE(imagesEqual(expected.image(), image, c.name));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PainterSurfacePages,
    ::testing::Values(PainterCase{"RuledPrint", [](PaperSettings&) {},
                                  scale(1400, 1500, 600, {}, 3)},
                      PainterCase{"CheckeredPreview",
                                  [](PaperSettings& s) { s.setPaperKind(PaperKind::KariertCheck); },
                                  scale(761, 1090, 96, 130)},
                      PainterCase{"ThickLinesBeyondTheSurface",
                                  [](PaperSettings& s) {
                                      s.setPaperKind(PaperKind::KariertCheck);
                                      s.field(Setting::LineWidthEd).setValue(4);
                                      s.field(Setting::RRLineWidthED).setValue(30);
                                      s.field(Setting::LeftBorderEd).setValue(1);
                                      s.setFlag(Setting::NoRightBorderFillCheck, true);
                                  },
                                  scale(900, 700, 300, {})},
                      PainterCase{"RoundDotsAndBoldDots",
                                  [](PaperSettings& s) {
                                      s.setPaperKind(PaperKind::DotGridCheck);
                                      s.field(Setting::MajorEveryEd).setValue(4);
                                  },
                                  scale(900, 700, 300, {})}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
