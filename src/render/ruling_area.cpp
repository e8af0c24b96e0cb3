#include "render/ruling_area.h"

#include "settings/page_design.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The outer box lies on whole multiples of this many millimetres.
constexpr double kOuterGridMm = 50;

double mmOfPixels(const PageScale& scale, int pixels, double mmPerInch) {
    const double zoom = scale.ZoomPercent ? *scale.ZoomPercent / 100 : 1;
    return pixels / zoom / scale.DotsPerInch * mmPerInch;
}

} // namespace

RulingArea rulingArea(const PageScale& scale, const PageDesign& design, const RulingSpan& span,
                      double penPoints) {
    RulingArea area;
    area.marks = {
        span.fillLeft, {design.topMarginMm}, span.fillRight, {design.bottomMarginMm, true}};
    const int left = pixelX(scale, area.marks.left);
    const int top = pixelY(scale, area.marks.top);
    const int right = pixelX(scale, area.marks.right);
    const int bottom = pixelY(scale, area.marks.bottom);
    area.pixels = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));

    // Twice the widest pen and a millimetre more keep every flat end out of the area.
    const double margin =
        2 * std::abs(penPoints) / 72 * std::max(scale.MmPerInchX, scale.MmPerInchY) + 1;
    const auto down = [](double mm) { return std::floor(mm / kOuterGridMm) * kOuterGridMm; };
    const auto up = [](double mm) { return std::ceil(mm / kOuterGridMm) * kOuterGridMm; };
    area.outerLeft = down(mmOfPixels(scale, left, scale.MmPerInchX) - margin);
    area.outerRight = up(mmOfPixels(scale, right, scale.MmPerInchX) + margin);
    area.outerTop = down(design.topMarginMm - margin);
    area.outerBottom = up(mmOfPixels(scale, bottom, scale.MmPerInchY) + margin);
    return area;
}

// Horizontal and vertical pieces end where the area's sides are, taken as the marks of those
// sides, so that they end on the very pixels every other line of the ruling does.
void pieceInArea(MarkSink& marks, const PageScale& scale, const RulingArea& area, double x1,
                 double y1, double x2, double y2, const PieceStyle& style) {
    const QRect& pixels = area.pixels;
    if (y1 == y2) {
        const int y = scale.MmToY(y1);
        if (y < pixels.top() || y > pixels.bottom())
            return;
        if (x2 < x1)
            std::swap(x1, x2);
        const MarkCoordinate from =
            scale.MmToX(x1) < pixels.left() ? area.marks.left : MarkCoordinate{x1};
        const MarkCoordinate to =
            scale.MmToX(x2) > pixels.right() + 1 ? area.marks.right : MarkCoordinate{x2};
        if (pixelX(scale, to) > pixelX(scale, from))
            marks.line({from, {y1}, to, {y1}, style.pen, style.dashMm, style.gapMm});
        return;
    }
    if (x1 == x2) {
        const int x = scale.MmToX(x1);
        if (x < pixels.left() || x > pixels.right())
            return;
        if (y2 < y1)
            std::swap(y1, y2);
        const MarkCoordinate from =
            scale.MmToY(y1) < pixels.top() ? area.marks.top : MarkCoordinate{y1};
        const MarkCoordinate to =
            scale.MmToY(y2) > pixels.bottom() + 1 ? area.marks.bottom : MarkCoordinate{y2};
        if (pixelY(scale, to) > pixelY(scale, from))
            marks.line({{x1}, from, {x1}, to, style.pen, style.dashMm, style.gapMm});
        return;
    }
    marks.slantedLine({x1, y1, x2, y2, area.marks, style.pen, style.dashMm, style.gapMm});
}

void lineAcrossArea(MarkSink& marks, const PageScale& scale, const RulingArea& area, double x,
                    double y, double dx, double dy, const PieceStyle& style) {
    double from = -std::numeric_limits<double>::infinity();
    double to = std::numeric_limits<double>::infinity();
    // Narrows [from, to] to where p + t * d lies between lo and hi; false when nowhere.
    const auto within = [&](double p, double d, double lo, double hi) {
        if (d == 0)
            return p >= lo && p <= hi;
        const double a = (lo - p) / d;
        const double b = (hi - p) / d;
        from = std::max(from, std::min(a, b));
        to = std::min(to, std::max(a, b));
        return from < to;
    };
    if (!within(x, dx, area.outerLeft, area.outerRight) ||
        !within(y, dy, area.outerTop, area.outerBottom))
        return;
    pieceInArea(marks, scale, area, dx == 0 ? x : x + from * dx, dy == 0 ? y : y + from * dy,
                dx == 0 ? x : x + to * dx, dy == 0 ? y : y + to * dy, style);
}
