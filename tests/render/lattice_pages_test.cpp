#include "page/draw_page.h"
#include "render/image_surface.h"
#include "settings/page_design.h"
#include "support/image_compare.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <set>

namespace {

constexpr QRgb kPaper = 0xe0d0c0;
constexpr QRgb kLine = 0x3060a0;
constexpr QRgb kGuide = 0x20a040;

ColorValue valueOf(QRgb rgb) {
    return colorValueFromRgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

// A tinted page whose lines are drawn in `mode`.
class TintedPaper : public PageLayers {
  public:
    explicit TintedPaper(PenMode mode) : m_mode(mode) {}
    PenMode drawBackground(Surface& surface, const PageScale& scale,
                           const PageDesign&) const override {
        surface.setPenMode(PenMode::Copy);
        surface.setPenColor(kPaper);
        surface.setBrushColor(kPaper);
        surface.rectangle(0, 0, scale.SurfaceWidth, scale.SurfaceHeight);
        return m_mode;
    }

  private:
    PenMode m_mode;
};

QImage drawn(const PageDesign& design, const PageScale& scale, PenMode mode, QRect area = {}) {
    if (area.isNull())
        area = QRect(0, 0, scale.SurfaceWidth, scale.SurfaceHeight);
    ImageSurface surface(area.size(), area.topLeft());
    DrawPage(surface, scale, design, TintedPaper(mode));
    return surface.image();
}

// The new kinds written out plainly: lattice lines endless, hexagons with all six edges (the
// shared ones once), slant lines with dashes along them, and every pixel of the area tested
// against the rule on its own.
class Reference {
  public:
    Reference(const PageScale& scale, const PageDesign& d, PenMode mode, QImage start)
        : m_scale(scale), m_mode(mode), m_image(std::move(start)) {
        m_leftMm = d.leftEdgeMm - scale.LeftOffsetMm;
        m_topMm = d.topMarginMm;
        m_left = d.noFillLeftOfEdge ? x(m_leftMm) : 0;
        m_right = d.noFillRightOfEdge ? scale.SurfaceWidth - x(d.rightEdgeMm - scale.LeftOffsetMm)
                                      : scale.SurfaceWidth;
        m_top = y(m_topMm);
        m_bottom = scale.SurfaceHeight - y(d.bottomMarginMm);
        // Enough lattice steps either way to cover the page from the edges.
        m_reachMm = (scale.SurfaceWidth / X(1) + scale.SurfaceHeight / Y(1)) + 3 * d.lineSpacingMm;
    }
    QImage image() const { return m_image; }

    void isometric(const PageDesign& d) {
        const double s = d.lineSpacingMm;
        const double h = s * std::sqrt(3.0) / 2;
        const int steps = int(m_reachMm / s) + 2;
        for (int k = -steps; k <= steps; ++k) {
            const double columnMm = m_leftMm + k * h;
            const int column = x(columnMm);
            if (column < m_left || column >= m_right)
                continue;
            for (int j = -steps; j <= steps; ++j) {
                const int row = y(m_topMm + j * s + (k % 2 != 0 ? s / 2 : 0));
                if (d.isometricDotsOnly && row >= m_top && row < m_bottom)
                    dot(column, row, pen(d.dotSizePoints), d.roundDots, kLine);
            }
            const int w = pen(d.lineWidthPoints);
            if (!d.isometricDotsOnly)
                rectangle(column - w / 2, m_top, w, m_bottom - m_top, kLine);
        }
        if (d.isometricDotsOnly)
            return;
        for (int j = -steps; j <= steps; ++j) {
            for (const double rise : {s / 2, -s / 2}) {
                strip({X(m_leftMm), Y(m_topMm + j * s)}, {X(h), Y(rise)}, -INFINITY, INFINITY,
                      pen(d.lineWidthPoints), kLine);
            }
        }
    }

    void hexagonal(const PageDesign& d) {
        const double s = d.lineSpacingMm;
        const double a = s * std::sqrt(3.0) / 2;
        const int steps = int(m_reachMm / s) + 2;
        std::set<std::pair<long long, long long>> done;
        const int w = pen(d.lineWidthPoints);
        for (int c = -steps; c <= steps; ++c) {
            for (int r = -steps; r <= steps; ++r) {
                const double cu = s + 1.5 * s * c;
                const double cv = a * (1 + 2 * r + (c % 2 != 0 ? 1 : 0));
                const QPointF corners[] = {{cu + s, cv},         {cu + s / 2, cv + a},
                                           {cu - s / 2, cv + a}, {cu - s, cv},
                                           {cu - s / 2, cv - a}, {cu + s / 2, cv - a}};
                for (int i = 0; i < 6; ++i) {
                    QPointF p = corners[i];
                    QPointF q = corners[(i + 1) % 6];
                    const QPointF middle = (p + q) * 5000;
                    if (!done.insert({std::llround(middle.x()), std::llround(middle.y())}).second)
                        continue;
                    if (d.hexagonPointyTop) {
                        p = p.transposed();
                        q = q.transposed();
                    }
                    p += QPointF(m_leftMm, m_topMm);
                    q += QPointF(m_leftMm, m_topMm);
                    if (p.y() == q.y()) {
                        const int row = y(p.y());
                        const int from = std::max(x(std::min(p.x(), q.x())), m_left);
                        const int to = std::min(x(std::max(p.x(), q.x())), m_right);
                        if (row >= m_top && row < m_bottom && to > from)
                            rectangle(from, row - w / 2, to - from, w, kLine);
                    } else if (p.x() == q.x()) {
                        const int column = x(p.x());
                        const int from = std::max(y(std::min(p.y(), q.y())), m_top);
                        const int to = std::min(y(std::max(p.y(), q.y())), m_bottom);
                        if (column >= m_left && column < m_right && to > from)
                            rectangle(column - w / 2, from, w, to - from, kLine);
                    } else {
                        const QPointF from(X(p.x()), Y(p.y()));
                        strip(from, QPointF(X(q.x()), Y(q.y())) - from, 0, 1, w, kLine);
                    }
                }
            }
        }
    }

    // Over a page already ruled; dashes of 2 mm with gaps of 1 mm along each line.
    void slantLines(const PageDesign& d) {
        const double radians = d.slantAngleDegrees * std::numbers::pi / 180;
        const int w = pen(d.guideWidthPoints);
        const int steps = int(m_reachMm / d.slantSpaceMm) + 2;
        for (int n = -steps; n <= steps; ++n) {
            const double xMm = m_leftMm + n * d.slantSpaceMm;
            if (d.slantAngleDegrees == 90) {
                const int column = x(xMm);
                if (column < m_left || column >= m_right)
                    continue;
                for (int dash = 0; d.guidesDashed && y(m_topMm + 3 * dash) < m_bottom; ++dash) {
                    const int top = y(m_topMm + 3 * dash);
                    rectangle(column - w / 2, top, w,
                              std::min(y(m_topMm + 3 * dash + 2), m_bottom) - top, kGuide);
                }
                if (!d.guidesDashed)
                    rectangle(column - w / 2, m_top, w, m_bottom - m_top, kGuide);
                continue;
            }
            const QPointF origin(X(xMm), Y(m_topMm));
            const QPointF alongOneMm(X(-std::cos(radians)), Y(std::sin(radians)));
            if (!d.guidesDashed) {
                strip(origin, alongOneMm, -INFINITY, INFINITY, w, kGuide);
                continue;
            }
            for (int dash = -100; dash <= 100; ++dash)
                strip(origin, alongOneMm, 3.0 * dash, 3.0 * dash + 2, w, kGuide);
        }
    }

  private:
    double X(double mm) const { return zoomed(mm / m_scale.MmPerInchX); }
    double Y(double mm) const { return zoomed(mm / m_scale.MmPerInchY); }
    int x(double mm) const { return int(std::trunc(X(mm))); }
    int y(double mm) const { return int(std::trunc(Y(mm))); }
    int pen(double points) const { return std::max(1, int(std::trunc(zoomed(points / 72)))); }
    double zoomed(double inches) const {
        const double dots = inches * m_scale.DotsPerInch;
        return m_scale.ZoomPercent ? *m_scale.ZoomPercent * dots / 100 : dots;
    }

    void paint(int px, int py, QRgb colour) {
        if (px < 0 || py < 0 || px >= m_image.width() || py >= m_image.height())
            return;
        const QRgb old = m_image.pixel(px, py) & 0xffffff;
        m_image.setPixel(px, py, 0xff000000u | (m_mode == PenMode::Xor ? old ^ colour : colour));
    }
    void rectangle(int left, int top, int width, int height, QRgb colour) {
        for (int py = top; py < top + height; ++py) {
            for (int px = left; px < left + width; ++px)
                paint(px, py, colour);
        }
    }
    void dot(int cx, int cy, int d, bool round, QRgb colour) {
        for (int j = 0; j < d; ++j) {
            for (int i = 0; i < d; ++i) {
                const long a = 2 * i - d + 1;
                const long b = 2 * j - d + 1;
                if (!round || a * a + b * b <= long(d) * d)
                    paint(cx - d / 2 + i, cy - d / 2 + j, colour);
            }
        }
    }
    // The pixels of the area whose centres lie within w/2 of the line through `p` along
    // `d`, between the flat ends at p + from*d and p + to*d.
    void strip(QPointF p, QPointF d, double from, double to, int w, QRgb colour) {
        const double length = std::hypot(d.x(), d.y());
        QRect box(m_left, m_top, m_right - m_left, m_bottom - m_top);
        if (std::isfinite(from) && std::isfinite(to)) {
            const QPointF a = p + from * d;
            const QPointF b = p + to * d;
            box &= QRect(
                QPoint(int(std::min(a.x(), b.x())) - w - 1, int(std::min(a.y(), b.y())) - w - 1),
                QPoint(int(std::max(a.x(), b.x())) + w + 1, int(std::max(a.y(), b.y())) + w + 1));
        }
        for (int py = box.top(); py <= box.bottom(); ++py) {
            for (int px = box.left(); px <= box.right(); ++px) {
                const QPointF c = QPointF(px + 0.5, py + 0.5) - p;
                const double distance = std::abs(c.x() * d.y() - c.y() * d.x()) / length;
                const double along = (c.x() * d.x() + c.y() * d.y()) / (length * length);
                if (distance <= w / 2.0 && along >= from && along <= to)
                    paint(px, py, colour);
            }
        }
    }

    PageScale m_scale;
    PenMode m_mode;
    QImage m_image;
    double m_leftMm, m_topMm, m_reachMm;
    int m_left, m_right, m_top, m_bottom;
};

PageDesign lattice(PaperKind kind) {
    PageDesign d;
    d.kind = kind;
    d.lineSpacingMm = 3.7;
    d.topMarginMm = 4.3;
    d.bottomMarginMm = 5.1;
    d.leftEdgeMm = 6.2;
    d.rightEdgeMm = 4.7;
    d.lineColour = valueOf(kLine);
    d.lineWidthPoints = 0.9;
    d.dotSizePoints = 2.2;
    d.roundDots = true;
    d.guideColour = valueOf(kGuide);
    d.guideWidthPoints = 0.6;
    d.guideOffsetsMm = {1.2, 0, 0, 0};
    d.slantLines = true;
    d.slantAngleDegrees = 55;
    d.slantSpaceMm = 4.4;
    return d;
}

struct LatticeCase {
    const char* name;
    std::function<void(PageDesign&)> setup;
    int dpi;
    std::optional<double> zoom;
    PenMode mode;
    double calibration = 100; // percent of a true inch across; the height gets 3 % less
};

void PrintTo(const LatticeCase& c, std::ostream* os) {
    *os << c.name;
}

PageScale scaleOf(const LatticeCase& c) {
    PageScale scale;
    scale.DotsPerInch = c.dpi;
    scale.ZoomPercent = c.zoom;
    const double zoom = c.zoom.value_or(100) / 100;
    scale.SurfaceWidth = int(40 / 25.4 * c.dpi * zoom);
    scale.SurfaceHeight = int(32 / 25.4 * c.dpi * zoom);
    if (c.calibration != 100) {
        scale.MmPerInchX *= c.calibration / 100;
        scale.MmPerInchY *= (c.calibration - 3) / 100;
        scale.LeftOffsetMm = 1.3;
    }
    return scale;
}

PageDesign designOf(const LatticeCase& c) {
    PageDesign d = lattice(PaperKind::Isometric);
    c.setup(d);
    return d;
}

void noFill(PageDesign& d) {
    d.noFillLeftOfEdge = true;
    d.noFillRightOfEdge = true;
}

const LatticeCase kLatticeCases[] = {
    {"IsometricPrint96", [](PageDesign&) {}, 96, {}, PenMode::Copy},
    {"IsometricXorCutAtBothEdges", noFill, 300, {}, PenMode::Xor},
    {"IsometricThickCalibrated",
     [](PageDesign& d) {
         d.lineWidthPoints = 2.5;
         d.noFillLeftOfEdge = true;
     },
     600,
     {},
     PenMode::Copy,
     101.5},
    {"IsometricPreviewXor", [](PageDesign&) {}, 96, 150, PenMode::Xor},
    {"IsometricDotsRound",
     [](PageDesign& d) { d.isometricDotsOnly = true; },
     300,
     {},
     PenMode::Copy},
    {"IsometricDotsSquareXorPreview",
     [](PageDesign& d) {
         d.isometricDotsOnly = true;
         d.roundDots = false;
         noFill(d);
     },
     96, 150, PenMode::Xor},
    {"HexagonalPrint96",
     [](PageDesign& d) { d.kind = PaperKind::Hexagonal; },
     96,
     {},
     PenMode::Copy},
    {"HexagonalXorCutAtBothEdges",
     [](PageDesign& d) {
         d.kind = PaperKind::Hexagonal;
         d.lineWidthPoints = 1.7;
         noFill(d);
     },
     600,
     {},
     PenMode::Xor},
    {"HexagonalPointy",
     [](PageDesign& d) {
         d.kind = PaperKind::Hexagonal;
         d.hexagonPointyTop = true;
         d.noFillLeftOfEdge = true;
     },
     300,
     {},
     PenMode::Copy,
     98},
    {"HexagonalPointyPreviewXor",
     [](PageDesign& d) {
         d.kind = PaperKind::Hexagonal;
         d.hexagonPointyTop = true;
     },
     96, 150, PenMode::Xor},
    {"SlantLines", [](PageDesign& d) { d.kind = PaperKind::Ruled; }, 300, {}, PenMode::Copy},
    {"SlantLinesDashedXorCut",
     [](PageDesign& d) {
         d.kind = PaperKind::Ruled;
         d.guidesDashed = true;
         d.guideWidthPoints = 1.4;
         noFill(d);
     },
     600,
     {},
     PenMode::Xor},
    {"SlantLinesDashedSteepPreview",
     [](PageDesign& d) {
         d.kind = PaperKind::Ruled;
         d.guidesDashed = true;
         d.slantAngleDegrees = 72;
         d.noFillRightOfEdge = true;
     },
     96, 150, PenMode::Copy},
    {"SlantLinesUpright",
     [](PageDesign& d) {
         d.kind = PaperKind::Ruled;
         d.slantAngleDegrees = 90;
     },
     96,
     {},
     PenMode::Xor},
    {"SlantLinesUprightDashedPreview",
     [](PageDesign& d) {
         d.kind = PaperKind::Ruled;
         d.slantAngleDegrees = 90;
         d.guidesDashed = true;
     },
     96, 150, PenMode::Xor},
};

class LatticePages : public ::testing::TestWithParam<LatticeCase> {};

TEST_P(LatticePages, PaintExactlyTheReferencePixels) {
    const LatticeCase& c = GetParam();
    const PageScale scale = scaleOf(c);
    const PageDesign design = designOf(c);
    QImage expected;
    if (design.kind == PaperKind::Ruled) {
        PageDesign ruledOnly = design;
        ruledOnly.slantLines = false;
        Reference reference(scale, design, c.mode, drawn(ruledOnly, scale, c.mode));
        reference.slantLines(design);
        expected = reference.image();
    } else {
        QImage paper(scale.SurfaceWidth, scale.SurfaceHeight, QImage::Format_RGB32);
        paper.fill(kPaper);
        Reference reference(scale, design, c.mode, paper);
        if (design.kind == PaperKind::Isometric)
            reference.isometric(design);
        else
            reference.hexagonal(design);
        expected = reference.image();
    }
    EXPECT_TRUE(imagesEqual(expected, drawn(design, scale, c.mode), c.name));
}

// The preview draws what is exposed and the printer a band at a time: every band gives the
// pixels of the whole page there.
TEST_P(LatticePages, BandsEqualTheWholePage) {
    const LatticeCase& c = GetParam();
    const PageScale scale = scaleOf(c);
    const PageDesign design = designOf(c);
    const QImage whole = drawn(design, scale, c.mode);
    const int height = 1 + scale.SurfaceHeight / 7;
    for (int top = 0; top < scale.SurfaceHeight; top += height) {
        const QRect band(0, top, scale.SurfaceWidth, std::min(height, scale.SurfaceHeight - top));
        ASSERT_TRUE(imagesEqual(whole.copy(band), drawn(design, scale, c.mode, band),
                                QStringLiteral("%1-band-%2").arg(c.name).arg(top)));
    }
    const QRect inside(scale.SurfaceWidth / 3, scale.SurfaceHeight / 4, 17, 23);
    EXPECT_TRUE(imagesEqual(whole.copy(inside), drawn(design, scale, c.mode, inside),
                            QStringLiteral("%1-inside").arg(c.name)));
}

INSTANTIATE_TEST_SUITE_P(Kinds, LatticePages, ::testing::ValuesIn(kLatticeCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
