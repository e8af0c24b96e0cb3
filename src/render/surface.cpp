#include "render/surface.h"

#include "render/text_cell.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

void Surface::moveTo(int x, int y) {
    m_x = x;
    m_y = y;
}

void Surface::lineTo(int x, int y) {
    const int w = effectivePenWidth();
    const int x1 = m_x;
    const int y1 = m_y;
    m_x = x;
    m_y = y;
    if (y1 == y && x1 != x) {
        const int left = x > x1 ? x1 : x + 1;
        const int right = x > x1 ? x : x1 + 1;
        fillArea(QRect(left, y - w / 2, right - left, w), m_penColor, m_penMode);
    } else if (x1 == x && y1 != y) {
        const int top = y > y1 ? y1 : y + 1;
        const int bottom = y > y1 ? y : y1 + 1;
        fillArea(QRect(x - w / 2, top, w, bottom - top), m_penColor, m_penMode);
    } else {
        Q_ASSERT_X(x1 == x || y1 == y, "Surface::lineTo", "only horizontal and vertical lines");
    }
}

void Surface::rectangle(int x1, int y1, int x2, int y2) {
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    if (x1 == x2 || y1 == y2)
        return;
    if (m_penColor == m_brushColor || m_penMode == PenMode::Not) {
        // Outline and interior change every pixel alike: one area is the same and much faster.
        fillArea(QRect(x1, y1, x2 - x1, y2 - y1), m_brushColor, m_penMode);
        return;
    }
    const int w = effectivePenWidth();
    // The outline as four bands that do not overlap, then the interior.
    const int bandTop = std::min(w, y2 - y1);
    const int bandBottom = std::min(w, y2 - y1 - bandTop);
    fillArea(QRect(x1, y1, x2 - x1, bandTop), m_penColor, m_penMode);
    if (bandBottom > 0)
        fillArea(QRect(x1, y2 - bandBottom, x2 - x1, bandBottom), m_penColor, m_penMode);
    const int innerTop = y1 + bandTop;
    const int innerHeight = y2 - bandBottom - innerTop;
    if (innerHeight <= 0)
        return;
    const int bandLeft = std::min(w, x2 - x1);
    const int bandRight = std::min(w, x2 - x1 - bandLeft);
    fillArea(QRect(x1, innerTop, bandLeft, innerHeight), m_penColor, m_penMode);
    if (bandRight > 0)
        fillArea(QRect(x2 - bandRight, innerTop, bandRight, innerHeight), m_penColor, m_penMode);
    const int innerLeft = x1 + bandLeft;
    const int innerWidth = x2 - bandRight - innerLeft;
    if (innerWidth > 0)
        fillArea(QRect(innerLeft, innerTop, innerWidth, innerHeight), m_brushColor, m_penMode);
}

void Surface::slantedLine(QPointF from, QPointF to, const QRect& within) {
    fillSlanted({from, to, effectivePenWidth(), within}, m_penColor, m_penMode);
}

bool SlantedPiece::covers(int x, int y) const {
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    const double length2 = dx * dx + dy * dy;
    if (length2 == 0 || !within.contains(x, y))
        return false;
    const double cx = x + 0.5 - from.x();
    const double cy = y + 0.5 - from.y();
    const double across = cx * dy - cy * dx; // the distance from the line, times |d|
    const double along = cx * dx + cy * dy;  // the distance from a along the line, times |d|
    const double half = std::max(width, 1) / 2.0;
    return across * across <= half * half * length2 && along >= 0 && along <= length2;
}

SlantedRows::SlantedRows(const SlantedPiece& piece) : m_piece(piece) {
    m_dx = piece.to.x() - piece.from.x();
    m_dy = piece.to.y() - piece.from.y();
    const double length2 = m_dx * m_dx + m_dy * m_dy;
    m_empty = !(length2 > 0) || piece.within.isEmpty();
    m_oblique = !m_empty && m_dx != 0 && m_dy != 0;
    m_reach = std::max(piece.width, 1) / 2.0 * std::sqrt(length2);
    m_rowShift = 0.5 - piece.from.y();
    // |cx * dy - cy * dx| <= reach, and 0 <= cx * dx + cy * dy <= |d|^2, for cx = x + 0.5 - a.x
    // and cy = y + 0.5 - a.y, solved for x.
    const double column = piece.from.x() - 0.5;
    m_across = m_dy != 0 ? m_dx / m_dy : 0;
    const double acrossHalf = m_dy != 0 ? m_reach / std::abs(m_dy) : 0;
    m_acrossFrom = column - acrossHalf;
    m_acrossTo = column + acrossHalf;
    m_along = m_dx != 0 ? -m_dy / m_dx : 0;
    m_alongFrom = column + (m_dx != 0 ? std::min(0.0, length2 / m_dx) : 0);
    m_alongTo = column + (m_dx != 0 ? std::max(0.0, length2 / m_dx) : 0);
}

std::pair<int, int> SlantedRows::columnsOfLevelOrUpright(int y) const {
    const QRect& within = m_piece.within;
    if (m_empty || y < within.top() || y > within.bottom())
        return {0, 0};
    const double cy = y + m_rowShift;
    if (m_dx == 0) { // upright: the strip's columns, in the rows between the ends
        const double along = cy * m_dy;
        const double length2 = m_dy * m_dy;
        if (along < -kTie * length2 || along > length2 * (1 + kTie))
            return {0, 0};
        const bool tie = along < kTie * length2 || along > length2 * (1 - kTie);
        return columnsBetween(m_acrossFrom, m_acrossTo, tie, y);
    }
    // Level: the columns between the ends, in the rows of the strip.
    const double off = std::abs(cy * m_dx) - m_reach;
    if (off > kTie * m_reach)
        return {0, 0};
    return columnsBetween(m_alongFrom, m_alongTo, off > -kTie * m_reach, y);
}

// The span widened by a pixel and narrowed again with the rule itself: the pixels of a row that
// the rule covers lie side by side.
std::pair<int, int> SlantedRows::settledByTheRule(int left, int right, int y) const {
    const QRect& within = m_piece.within;
    int first = std::max(left, within.left());
    int last = std::min(right, within.right());
    while (first <= last && !m_piece.covers(first, y))
        ++first;
    while (last >= first && !m_piece.covers(last, y))
        --last;
    return {first, last + 1};
}

SlantedRowWalk::SlantedRowWalk(const SlantedRows& rows, int top, int bottom)
    : m_rows(&rows), m_y(top) {
    const QRect& within = rows.m_piece.within;
    // Every value worked out on the way stays below this many pixels, so that each rounding
    // there strays by at most 2^-31 pixels; and the fixed point neither overflows nor strays by
    // more than 2^-41 pixels a row, which over 2^19 rows is 2^-22, a quarter of kTie.
    constexpr double kLargest = 1 << 22;
    constexpr int kMostRows = 1 << 19;
    const double largest =
        (std::abs(double(top)) + std::abs(double(bottom)) + std::abs(rows.m_rowShift) + 1) *
            (std::abs(rows.m_across) + std::abs(rows.m_along) + 1) +
        std::abs(rows.m_acrossFrom) + std::abs(rows.m_acrossTo) + std::abs(rows.m_alongFrom) +
        std::abs(rows.m_alongTo) + std::abs(double(within.left())) +
        std::abs(double(within.right())) + 4;
    m_stepped = rows.m_oblique && top >= within.top() && bottom - 1 <= within.bottom() &&
                bottom - top <= kMostRows && largest < kLargest;
    if (!m_stepped)
        return;
    const auto fixed = [](double v) { return qint64(std::llround(v * double(kOne))); };
    const double cy = top + rows.m_rowShift;
    m_acrossFrom = fixed(cy * rows.m_across + rows.m_acrossFrom);
    m_acrossTo = fixed(cy * rows.m_across + rows.m_acrossTo);
    m_alongFrom = fixed(cy * rows.m_along + rows.m_alongFrom);
    m_alongTo = fixed(cy * rows.m_along + rows.m_alongTo);
    m_acrossStep = fixed(rows.m_across);
    m_alongStep = fixed(rows.m_along);
    m_left = within.left();
    m_right = within.right();
    m_lowest = qint64(m_left) * kOne - 3 * (kOne / 2);
    m_highest = qint64(m_right) * kOne + 3 * (kOne / 2);
}

QRect SlantedPiece::reach() const {
    if (within.isEmpty())
        return QRect();
    const double half = std::max(width, 1) / 2.0 + 1;
    const auto bound = [](double v, int lo, int hi) {
        return int(std::clamp(v, double(lo), double(hi)));
    };
    const int left =
        bound(std::floor(std::min(from.x(), to.x()) - half), within.left(), within.right() + 1);
    const int right =
        bound(std::ceil(std::max(from.x(), to.x()) + half), within.left() - 1, within.right());
    const int top =
        bound(std::floor(std::min(from.y(), to.y()) - half), within.top(), within.bottom() + 1);
    const int bottom =
        bound(std::ceil(std::max(from.y(), to.y()) + half), within.top() - 1, within.bottom());
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

namespace {

// Fills the spans `columnsOf(row)` gives for the rows of `rows`, cut to its columns, as
// one area per run of rows whose spans come out alike.
template <typename Columns, typename Fill>
void fillRowRuns(const QRect& rows, Columns columnsOf, Fill fill) {
    QRect run; // the span of the rows gathered so far
    for (int y = rows.top(); y <= rows.bottom(); ++y) {
        const auto [first, end] = columnsOf(y);
        const int left = std::max(first, rows.left());
        const int right = std::min(end, rows.right() + 1);
        if (!run.isEmpty() && run.left() == left && run.right() + 1 == right) {
            run.setBottom(y);
            continue;
        }
        if (!run.isEmpty())
            fill(run);
        run = right > left ? QRect(left, y, right - left, 1) : QRect();
    }
    if (!run.isEmpty())
        fill(run);
}

// The first column, counted from the dot's left side, that row `row` of a round dot of
// diameter `d` keeps: pixel (c, r) is kept when (2c - d + 1)^2 + (2r - d + 1)^2 <= d^2.
int firstColumnOfRoundDot(int row, int d) {
    const qint64 v = 2 * qint64(row) - d + 1;
    const qint64 rest = qint64(d) * d - v * v;
    qint64 s = qint64(std::sqrt(double(rest)));
    while (s * s > rest)
        --s;
    while ((s + 1) * (s + 1) <= rest)
        ++s;
    // |2c - d + 1| <= s, so c >= (d - 1 - s) / 2 rounded up.
    return int((d - s) / 2);
}

} // namespace

void Surface::dot(int x, int y, int diameter, bool round) {
    const int d = std::max(diameter, 1);
    const QRect square(x - d / 2, y - d / 2, d, d);
    if (round)
        fillRoundArea(square, m_penColor, m_penMode);
    else
        fillArea(square, m_penColor, m_penMode);
}

// Only the rows within the clip rectangle are worked out, and rows whose spans are cut to the
// same columns there go out as one area: a dot larger than the page costs its visible rows at
// most, and mostly far fewer areas.
void Surface::fillRoundArea(const QRect& square, QRgb color, PenMode mode) {
    const QRect visible = square.intersected(clipRect());
    if (visible.isEmpty())
        return;
    const int d = square.width();
    fillRowRuns(
        visible,
        [&](int y) {
            const int first = firstColumnOfRoundDot(y - square.top(), d);
            return std::pair(square.left() + first, square.left() + d - first);
        },
        [&](const QRect& run) { fillArea(run, color, mode); });
}

void Surface::fillSlanted(const SlantedPiece& piece, QRgb color, PenMode mode) {
    const QRect visible = piece.reach().intersected(clipRect());
    if (visible.isEmpty())
        return;
    const SlantedRows rows(piece);
    fillRowRuns(
        visible, [&](int y) { return rows.columnsOf(y); },
        [&](const QRect& run) { fillArea(run, color, mode); });
}

namespace {

// A pixel column or row far beyond any page, yet inside the range of int.
int farClamped(double v) {
    constexpr double kFar = 1e9;
    return int(std::clamp(v, -kFar, kFar));
}

} // namespace

bool CircleOutline::covers(int x, int y) const {
    const double dx = x + 0.5 - centre.x();
    const double dy = y + 0.5 - centre.y();
    const double d2 = dx * dx + dy * dy;
    const double half = std::max(width, 1) / 2.0;
    const double inner = radius - half;
    const double outer = radius + half;
    return d2 <= outer * outer && (inner <= 0 || d2 >= inner * inner);
}

QRect CircleOutline::reach() const {
    const double outer = radius + std::max(width, 1) / 2.0 + 1;
    return QRect(QPoint(farClamped(std::floor(centre.x() - outer)),
                        farClamped(std::floor(centre.y() - outer))),
                 QPoint(farClamped(std::ceil(centre.x() + outer)),
                        farClamped(std::ceil(centre.y() + outer))));
}

std::array<std::pair<int, int>, 2> CircleOutline::arcsOf(int y) const {
    const double dy = y + 0.5 - centre.y();
    const double half = std::max(width, 1) / 2.0;
    // The columns whose centres lie within `limit` of the circle's centre (strictly, for the
    // hole inside): a square root finds them, and where it rounds a column the wrong way the
    // comparison of squares, as in `covers`, decides.
    const auto within = [&](double limit, bool strictly) -> std::pair<int, int> {
        const double limit2 = limit * limit;
        const double rest = limit2 - dy * dy;
        if (rest < 0)
            return {0, 0};
        const auto inside = [&](int x) {
            const double dx = x + 0.5 - centre.x();
            const double d2 = dx * dx + dy * dy;
            return strictly ? d2 < limit2 : d2 <= limit2;
        };
        const double s = std::sqrt(rest);
        int first = farClamped(std::ceil(centre.x() - s - 0.5));
        int last = farClamped(std::floor(centre.x() + s - 0.5));
        while (inside(first - 1))
            --first;
        while (first <= last && !inside(first))
            ++first;
        while (inside(last + 1))
            ++last;
        while (last >= first && !inside(last))
            --last;
        return {first, last + 1};
    };
    const std::pair<int, int> across = within(radius + half, false);
    const double inner = radius - half;
    const std::pair<int, int> hole = inner > 0 ? within(inner, true) : std::pair(0, 0);
    if (hole.second <= hole.first)
        return {across, std::pair(0, 0)};
    return {std::pair(across.first, hole.first), std::pair(hole.second, across.second)};
}

namespace {

// The distance from (u, v), u and v >= 0, to the ellipse of half-axes a >= b > 0 around the
// origin, and whether (u, v) lies inside. The nearest point is (r u / (s + r), v / (s + 1))
// with r = (a/b)^2, for the one s > -1 that puts it on the ellipse; s is found by bisection,
// whose function falls steadily with s, so that it cannot miss or jump to another root.
double quadrantDistance(double a, double b, double u, double v, bool& inside) {
    const double z0 = u / a;
    const double z1 = v / b;
    const double g = z0 * z0 + z1 * z1 - 1;
    inside = g <= 0;
    if (g == 0)
        return 0;
    if (v == 0) {
        // On the long axis: the nearest point is the end of that axis, or, for a point inside
        // near the centre, one of two points above and below it.
        const double across = a * u;
        const double focal = a * a - b * b;
        if (across >= focal)
            return std::abs(u - a);
        const double x = across / focal;
        return std::hypot(a * x - u, b * std::sqrt(1 - x * x));
    }
    if (u == 0)
        return std::abs(v - b);
    const double r = (a / b) * (a / b);
    const double n0 = r * z0;
    double low = z1 - 1;
    double high = g < 0 ? 0 : std::hypot(n0, z1) - 1;
    // Far below a pixel on any page, and reached in some sixty steps; or where the halves can
    // be halved no further.
    constexpr double kPrecision = 1e-15;
    double s = (low + high) / 2;
    while (high - low > kPrecision && s != low && s != high) {
        const double f0 = n0 / (s + r);
        const double f1 = z1 / (s + 1);
        const double f = f0 * f0 + f1 * f1 - 1;
        if (f == 0)
            break;
        (f > 0 ? low : high) = s;
        s = (low + high) / 2;
    }
    return std::hypot(r * u / (s + r) - u, v / (s + 1) - v);
}

} // namespace

double EllipseOutline::distanceTo(QPointF point, bool* inside) const {
    // Taken to the first quadrant, the long axis across.
    double u = std::abs(point.x() - centre.x());
    double v = std::abs(point.y() - centre.y());
    double a = std::abs(radiusX);
    double b = std::abs(radiusY);
    if (a < b) {
        std::swap(a, b);
        std::swap(u, v);
    }
    bool in = false; // nothing lies inside an ellipse flattened to its long axis
    const double distance =
        b > 0 ? quadrantDistance(a, b, u, v, in) : std::hypot(std::max(u - a, 0.0), v);
    if (inside)
        *inside = in;
    return distance;
}

QRect EllipseOutline::reach() const {
    const double half = std::max(width, 1) / 2.0 + 1;
    const double across = std::abs(radiusX) + half;
    const double down = std::abs(radiusY) + half;
    return QRect(QPoint(farClamped(std::floor(centre.x() - across)),
                        farClamped(std::floor(centre.y() - down))),
                 QPoint(farClamped(std::ceil(centre.x() + across)),
                        farClamped(std::ceil(centre.y() + down))));
}

// The pixels within w/2 outside the ellipse, or inside it, make a convex shape mirrored about
// the centre's column; so do those more than w/2 inside. In a row, each is a run around that
// column, whose ends are searched by halving; the rule is then the first run without the
// second.
std::array<std::pair<int, int>, 2> EllipseOutline::arcsOf(int y) const {
    const double half = std::max(width, 1) / 2.0;
    const double cy = y + 0.5;
    const auto run = [&](bool hole) -> std::pair<int, int> {
        const auto in = [&](int x) {
            bool inside = false;
            const double distance = distanceTo(QPointF(x + 0.5, cy), &inside);
            return hole ? inside && distance > half : inside || distance <= half;
        };
        // The columns whose centres lie nearest the centre's, on its right and on its left.
        const int right = farClamped(std::ceil(centre.x() - 0.5));
        const int left = right - 1;
        const bool rightIn = in(right);
        const bool leftIn = in(left);
        if (!rightIn && !leftIn)
            return {0, 0};
        const int span =
            farClamped(std::ceil(std::max(std::abs(radiusX), std::abs(radiusY)) + half)) + 2;
        // The last column from `from` towards `step` that is in, the one after it out.
        const auto end = [&](int from, int step) {
            int inside = from;
            int outside = farClamped(double(from) + double(step) * span);
            while (std::abs(outside - inside) > 1) {
                const int middle = inside + (outside - inside) / 2;
                (in(middle) ? inside : outside) = middle;
            }
            return inside;
        };
        const int first = leftIn ? end(left, -1) : right;
        const int last = rightIn ? end(right, 1) : left;
        return {first, last + 1};
    };
    const std::pair<int, int> across = run(false);
    const std::pair<int, int> hole = across.second > across.first ? run(true) : std::pair(0, 0);
    if (hole.second <= hole.first)
        return {across, std::pair(0, 0)};
    return {std::pair(across.first, hole.first), std::pair(hole.second, across.second)};
}

namespace {

// Fills the arcs of `outline` within `clip`, each arc as runs of rows, so that every pixel is
// changed once. Each row's arcs are worked out once for both.
template <typename Outline, typename Fill>
void fillOutline(const Outline& outline, const QRect& clip, Fill fill) {
    const QRect visible = outline.reach().intersected(clip);
    if (visible.isEmpty())
        return;
    std::vector<std::array<std::pair<int, int>, 2>> arcs;
    arcs.reserve(size_t(visible.height()));
    for (int y = visible.top(); y <= visible.bottom(); ++y)
        arcs.push_back(outline.arcsOf(y));
    for (const size_t arc : {0u, 1u}) {
        fillRowRuns(
            visible, [&](int y) { return arcs[size_t(y - visible.top())][arc]; }, fill);
    }
}

} // namespace

void Surface::ellipse(QPointF centre, double radiusX, double radiusY) {
    const auto fill = [&](const QRect& run) { fillArea(run, m_penColor, m_penMode); };
    if (radiusX == radiusY)
        fillOutline(CircleOutline{centre, radiusX, effectivePenWidth()}, clipRect(), fill);
    else
        fillOutline(EllipseOutline{centre, radiusX, radiusY, effectivePenWidth()}, clipRect(),
                    fill);
}

int Surface::textWidth(const QFont& font, const QString& text) const {
    const QImage device(1, 1, QImage::Format_RGB32);
    return textCellWidth(font, &device, text);
}

void Surface::forEachTile(const QRect& area, const QRect& visible, QSize tileSize,
                          const std::function<void(const QRect& place)>& copy) {
    const int w = tileSize.width();
    const int h = tileSize.height();
    // Only the copies that reach the visible part, from the first one that does.
    const int firstX = area.left() + (visible.left() - area.left()) / w * w;
    const int firstY = area.top() + (visible.top() - area.top()) / h * h;
    for (qint64 y = firstY; y <= visible.bottom(); y += h) {
        for (qint64 x = firstX; x <= visible.right(); x += w)
            copy(QRect(int(x), int(y), w, h).intersected(area));
    }
}

void Surface::drawTiled(const QRect& area, const QImage& tile) {
    const QRect visible = area.intersected(clipRect());
    if (visible.isEmpty() || tile.isNull())
        return;
    forEachTile(area, visible, tile.size(), [&](const QRect& place) {
        drawImage(place.topLeft(), place.size() == tile.size()
                                       ? tile
                                       : tile.copy(0, 0, place.width(), place.height()));
    });
}
