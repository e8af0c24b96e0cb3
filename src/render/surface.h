#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <algorithm>
#include <cmath>

#include <QRgb>
#include <array>
#include <functional>
#include <utility>

class QFont;
class QString;

// How a pen or brush combines with what is already on the surface.
enum class PenMode {
    Copy, // pixel := colour
    Xor,  // pixel := pixel XOR colour
    Not,  // pixel := NOT pixel; the colour is ignored
};

// A piece of a line that is neither horizontal nor vertical, its ends in device pixels that are
// not truncated, and the pixels it may change:
//
//   piece a -> b, pen width w (0 counts as 1):
//     pixel (x, y) belongs when its centre c = (x + 0.5, y + 0.5)
//       lies at most w/2 from the line through a and b, measured at right angles,
//       and between the flat ends, the lines through a and b at right angles to it,
//       and (x, y) lies in `within`
//
//           a                   with d = b - a:
//          /##                    |cross(c - a, d)| <= w/2 * |d|
//         ####/                   0 <= dot(c - a, d) <= |d|^2
//          /####
//            ####/              Rows are worked out as spans of columns, so a long diagonal
//             /####             costs its rows, not its bounding box.
//               ###/
//                  b
struct SlantedPiece {
    QPointF from;
    QPointF to;
    int width = 1;
    QRect within;

    // The rule itself, for one pixel.
    bool covers(int x, int y) const;
    // The pixels the piece can reach, within `within`.
    QRect reach() const;
};

// The rows of a slanted piece: the two conditions solved for the centre's x once, so that each
// row costs a few multiplications. Where a boundary meets a pixel centre so closely that
// rounding could decide it, the rule itself decides.
class SlantedRows {
  public:
    explicit SlantedRows(const SlantedPiece& piece);
    // The columns of row `y` that belong to the piece: first .. end-1, none when end <= first.
    // Inline, as a page asks for it for every piece in every row.
    std::pair<int, int> columnsOf(int y) const {
        if (!m_oblique || y < m_piece.within.top() || y > m_piece.within.bottom())
            return columnsOfLevelOrUpright(y);
        const double cy = y + m_rowShift;
        return columnsBetween(std::max(cy * m_across + m_acrossFrom, cy * m_along + m_alongFrom),
                              std::min(cy * m_across + m_acrossTo, cy * m_along + m_alongTo), false,
                              y);
    }

  private:
    friend class SlantedRowWalk;

    // Closer than this to a pixel centre, a boundary worked out by division may lie on either
    // side of it.
    static constexpr double kTie = 1e-6;

    // Floor of a value well inside the range of int, without a call into the maths library.
    static int floorOf(double v) {
        const int t = int(v);
        return t - (v < t ? 1 : 0);
    }
    // The columns whose centres lie from `left` + 0.5 to `right` + 0.5. A boundary beyond
    // `within` is moved to half a pixel beyond it, where it decides nothing.
    std::pair<int, int> columnsBetween(double left, double right, bool tie, int y) const {
        if (!(left <= right + 1))
            return {0, 0};
        const double from = std::max(left, m_piece.within.left() - 1.5);
        const double to = std::min(right, m_piece.within.right() + 1.5);
        const int fromFloor = floorOf(from);
        const int toFloor = floorOf(to);
        const double fromPart = from - fromFloor;
        const double toPart = to - toFloor;
        if (tie || std::max(std::abs(fromPart - 0.5), std::abs(toPart - 0.5)) > 0.5 - kTie)
            return settledByTheRule(fromFloor, toFloor + 1, y);
        return {std::max(fromFloor + 1, m_piece.within.left()),
                std::min(toFloor, m_piece.within.right()) + 1};
    }
    // Rows of a piece that is level or upright, or outside `within`.
    std::pair<int, int> columnsOfLevelOrUpright(int y) const;
    // The columns from `left` to `right` that the rule covers, for a row with a boundary so
    // close to a pixel centre that rounding could decide it.
    std::pair<int, int> settledByTheRule(int left, int right, int y) const;

    SlantedPiece m_piece;
    bool m_empty;
    bool m_oblique;             // neither level nor upright
    double m_dx, m_dy, m_reach; // the piece's direction, and w/2 * |d|
    double m_rowShift;          // cy = y + m_rowShift is the centre's y from a.y
    // The columns near the line: from cy * m_across + m_acrossFrom to cy * m_across + m_acrossTo.
    double m_across, m_acrossFrom, m_acrossTo;
    // The columns between the ends: likewise with m_along, m_alongFrom and m_alongTo.
    double m_along, m_alongFrom, m_alongTo;
};

// The line of a circle, its centre and radius in device pixels that are not truncated:
//
//   circle around m, radius r, pen width w (0 counts as 1):
//     pixel (x, y) belongs when its centre c = (x + 0.5, y + 0.5)
//       lies at most w/2 from the circle:  r - w/2 <= |c - m| <= r + w/2
//
//        .####.          A row holds an arc on either side of the centre, or, where it
//      ##.    .##        passes above or below the hole inside, one run across: every
//      #        #        pixel in two runs at most, so each is changed once.
//      ##.    .##
//        .####.
struct CircleOutline {
    QPointF centre;
    double radius = 0;
    int width = 1;

    // The rule itself, for one pixel.
    bool covers(int x, int y) const;
    // The pixels the circle can reach.
    QRect reach() const;
    // The columns of row `y` on the left arc (or the run across) and on the right arc, each
    // first .. end-1, none when end <= first.
    std::array<std::pair<int, int>, 2> arcsOf(int y) const;
};

// The line of an ellipse whose axes run across and down the page: a circle on paper, drawn
// where the two axes have different scales. Its centre and half-axes are in device pixels that
// are not truncated:
//
//   ellipse around m, half-axes a across and b down, pen width w (0 counts as 1):
//     pixel (x, y) belongs when its centre c = (x + 0.5, y + 0.5)
//       lies at most w/2 from the ellipse, measured along the normal:
//         |c - p| <= w/2 for the point p of the ellipse nearest to c,
//         where c - p stands at right angles to the ellipse
//
//         .######.           The pixels within w/2 outside and those more than w/2
//      ###.      .###        inside both make convex shapes, mirrored about the centre's
//      #            #        column: a row holds at most two runs, as the circle's, and
//      ###.      .###        each run ends where the distance itself says so.
//         .######.
//
// With equal half-axes this is the circle's rule; a circle is still drawn as a circle.
struct EllipseOutline {
    QPointF centre;
    double radiusX = 0;
    double radiusY = 0;
    int width = 1;

    // The distance from `point` to the ellipse, which the rule measures, and whether the point
    // lies inside it.
    double distanceTo(QPointF point, bool* inside = nullptr) const;
    // The pixels the ellipse can reach.
    QRect reach() const;
    // The columns of row `y` as CircleOutline::arcsOf gives them.
    std::array<std::pair<int, int>, 2> arcsOf(int y) const;
};

// The rows of a slanted piece from `top` down to `bottom`-1, one after another, as
// SlantedRows::columnsOf gives them, but with each boundary stepped down the rows in fixed
// point instead of worked out anew: a page asks this for every piece in every row. The steps
// stray from the worked-out boundary by far less than kTie, so a row whose stepped boundary
// comes near a pixel centre is left to columnsOf, and every other row comes out the same.
class SlantedRowWalk {
  public:
    SlantedRowWalk(const SlantedRows& rows, int top, int bottom);
    // The columns of the next row: first .. end-1, none when end <= first.
    std::pair<int, int> next() {
        const int y = m_y++;
        if (!m_stepped)
            return m_rows->columnsOf(y);
        const qint64 from = std::max({m_acrossFrom, m_alongFrom, m_lowest});
        const qint64 to = std::min({m_acrossTo, m_alongTo, m_highest});
        m_acrossFrom += m_acrossStep;
        m_acrossTo += m_acrossStep;
        m_alongFrom += m_alongStep;
        m_alongTo += m_alongStep;
        if (nearPixelCentre(from) || nearPixelCentre(to))
            return m_rows->columnsOf(y);
        return {std::max(int(from >> kFraction) + 1, m_left),
                std::min(int(to >> kFraction), m_right) + 1};
    }

  private:
    static constexpr int kFraction = 40; // bits below the pixel
    static constexpr qint64 kOne = qint64(1) << kFraction;
    // Twice kTie: the steps and the working out together stray by less than half of it.
    static constexpr qint64 kNear = qint64(2 * SlantedRows::kTie * double(kOne)) + 1;
    // Whether a boundary lies within kNear of a whole number, where a pixel centre lies half a
    // pixel on (the boundaries are those of columnsBetween).
    static bool nearPixelCentre(qint64 v) {
        return quint64((v & (kOne - 1)) - kNear) >= quint64(kOne - 2 * kNear);
    }

    const SlantedRows* m_rows;
    int m_y;
    bool m_stepped; // false where fixed point could stray too far: every row is worked out
    qint64 m_acrossFrom = 0, m_acrossTo = 0, m_alongFrom = 0, m_alongTo = 0;
    qint64 m_acrossStep = 0, m_alongStep = 0;
    qint64 m_lowest = 0, m_highest = 0; // half a pixel beyond `within`
    int m_left = 0, m_right = 0;        // `within`'s columns
};

// A canvas in device pixels with the drawing rules that preview, print and renders share:
//
//   line (x1,y) -> (x2,y), pen width w (0 counts as 1):
//     columns x1 .. x2-1 (going left: x2+1 .. x1; the end point is never painted)
//     rows    y - w/2 .. y - w/2 + w - 1          flat ends, no anti-aliasing
//
//   lines that are neither horizontal nor vertical: SlantedPiece, one operation each.
//
// Every drawing operation changes each pixel at most once, so a XOR line is undone by the
// same line drawn again, and two crossing XOR lines apply their colours twice at the
// crossing. Everything is clipped to the surface; negative coordinates are legal.
class Surface {
  public:
    virtual ~Surface() = default;

    void setPenColor(QRgb color) { m_penColor = color; }
    void setPenWidth(int width) { m_penWidth = width; }
    void setPenMode(PenMode mode) { m_penMode = mode; }
    void setBrushColor(QRgb color) { m_brushColor = color; }

    void moveTo(int x, int y);
    // A line in the current pen from the current position, which then moves to (x, y). Lines
    // are horizontal or vertical: paper is ruled with nothing else.
    void lineTo(int x, int y);
    // A piece in the current pen that is neither horizontal nor vertical, changing only pixels
    // in `within`; the current position stays where it was.
    void slantedLine(QPointF from, QPointF to, const QRect& within);
    // The line of an ellipse in the current pen whose half-axes run across and down, by the
    // rule of EllipseOutline; by the rule of CircleOutline when they are equal.
    void ellipse(QPointF centre, double radiusX, double radiusY);
    // Fills x1 .. x2-1 by y1 .. y2-1 with the brush and draws the pen's outline just inside.
    void rectangle(int x1, int y1, int x2, int y2);
    // Applies `color` with `mode` to every pixel of `area` once: what a line or a rectangle
    // comes to, for a surface that draws again what another one was given.
    void fill(const QRect& area, QRgb color, PenMode mode) { fillArea(area, color, mode); }
    // The same for the pixels of a round dot on `square`: what a round dot comes to.
    void fillRound(const QRect& square, QRgb color, PenMode mode) {
        fillRoundArea(square, color, mode);
    }
    // The same for the pixels of a slanted piece.
    void fillSlantedPiece(const SlantedPiece& piece, QRgb color, PenMode mode) {
        fillSlanted(piece, color, mode);
    }
    // A dot in the pen's colour and mode, `diameter` pixels across (0 counts as 1), on the
    // square a pen of that width covers around (x, y). A round dot keeps the pixels of the
    // square whose centres lie within the circle through its sides' midpoints:
    //
    //   d = 4:  .##.    d = 5:  .###.
    //           ####            #####
    //           ####            #####
    //           .##.            #####
    //                           .###.
    void dot(int x, int y, int diameter, bool round);

    // The page pixels that drawing can change: the exposed rectangle, the band being printed.
    // Pictures are sampled for this part only, so that memory does not grow with the zoom.
    virtual QRect clipRect() const = 0;
    // Printers and PDFs draw pictures they are sent, but cannot combine with what lies under.
    virtual bool isPrinter() const { return false; }

    // Copies `pixels` one to one, their top-left pixel at page position `at`. Pictures ignore
    // the pen mode: they always replace what lies under them.
    virtual void drawImage(QPoint at, const QImage& pixels) = 0;
    // Covers `area` with copies of `tile`, the first one at the area's top-left corner, the
    // others touching it in rows and columns; the last ones are cut by the area.
    virtual void drawTiled(const QRect& area, const QImage& tile);

    // Whether pictures reach this surface at their own pixels, to be stretched where they are
    // shown: a vector page keeps them at their own resolution. The others are sent pictures
    // already stretched for them, pixel for pixel.
    virtual bool takesPicturesWhole() const { return false; }
    // For a surface that takes pictures whole: `picture` stretched over `place`; and stretched
    // over every tile of `tileSize` that covers `area` from its top-left corner, the last ones
    // cut by the area.
    virtual void drawStretched(const QRect& /*place*/, const QImage& /*picture*/) {}
    virtual void drawStretchedTiles(const QRect& /*area*/, QSize /*tileSize*/,
                                    const QImage& /*picture*/) {}

    // The height of a line of text in `font`, whose pixel size is its character height.
    virtual int textHeight(const QFont& font) const = 0;
    // How far `text` in `font` advances, in pixels; measured on an image unless the surface's
    // own device measures otherwise.
    virtual int textWidth(const QFont& font, const QString& text) const;
    // Writes `text` in `font` and `color` with the top-left corner of its cell at `topLeft`,
    // leaving the cell's background as it is.
    virtual void textOut(QPoint topLeft, const QFont& font, QRgb color, const QString& text) = 0;

  protected:
    // Calls `copy` with each place of a tile of `tileSize` repeated over `area` from its
    // top-left corner, cut to `area`, that reaches `visible`, row by row.
    static void forEachTile(const QRect& area, const QRect& visible, QSize tileSize,
                            const std::function<void(const QRect& place)>& copy);
    // Applies `color` with `mode` to every pixel of `area` (page coordinates, may reach beyond
    // the surface) exactly once.
    virtual void fillArea(const QRect& area, QRgb color, PenMode mode) = 0;
    // Applies `color` with `mode` once to the pixels of a round dot on `square` that lie within
    // the clip rectangle: as areas of its rows, one per run of rows that come out alike there.
    virtual void fillRoundArea(const QRect& square, QRgb color, PenMode mode);
    // Applies `color` with `mode` once to the pixels of `piece` within the clip rectangle: as
    // areas of its rows, one per run of rows whose columns come out alike.
    virtual void fillSlanted(const SlantedPiece& piece, QRgb color, PenMode mode);

  private:
    int effectivePenWidth() const { return m_penWidth < 1 ? 1 : m_penWidth; }

    QRgb m_penColor = 0xff000000;
    int m_penWidth = 1;
    PenMode m_penMode = PenMode::Copy;
    QRgb m_brushColor = 0xffffffff;
    int m_x = 0;
    int m_y = 0;
};
