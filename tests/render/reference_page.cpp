#include "reference_page.h"

#include "settings/paper_settings.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

class Canvas {
  public:
    Canvas(int width, int height) : m_image(width, height, QImage::Format_RGB32) {
        m_image.fill(0xffffffffu);
    }

    void fill(const QRect& area, QRgb colour) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                apply(x, y, colour, PenMode::Copy);
        }
    }

    // One line in the pen: every pixel of its band exactly once.
    void line(int x1, int y1, int x2, int y2) {
        const int w = m_penWidth < 1 ? 1 : m_penWidth;
        if (y1 == y2) {
            const int from = x2 > x1 ? x1 : x2 + 1;
            const int to = x2 > x1 ? x2 - 1 : x1;
            for (int y = y1 - w / 2; y < y1 - w / 2 + w; ++y) {
                for (int x = from; x <= to; ++x)
                    apply(x, y, m_penColour, m_mode);
            }
        } else {
            const int from = y2 > y1 ? y1 : y2 + 1;
            const int to = y2 > y1 ? y2 - 1 : y1;
            for (int x = x1 - w / 2; x < x1 - w / 2 + w; ++x) {
                for (int y = from; y <= to; ++y)
                    apply(x, y, m_penColour, m_mode);
            }
        }
    }

    // A dot: the pen's square around (x, y), or the pixels of it inside the circle.
    void dot(int x, int y, int d, bool round) {
        d = d < 1 ? 1 : d;
        const int x0 = x - d / 2;
        const int y0 = y - d / 2;
        for (int j = y0; j < y0 + d; ++j) {
            for (int i = x0; i < x0 + d; ++i) {
                const long a = 2 * (i - x0) - d + 1;
                const long b = 2 * (j - y0) - d + 1;
                if (!round || a * a + b * b <= long(d) * d)
                    apply(i, j, m_penColour, m_mode);
            }
        }
    }

    void setPen(QRgb colour, int width, PenMode mode) {
        m_penColour = colour;
        m_penWidth = width;
        m_mode = mode;
    }
    QImage image() const { return m_image; }

  private:
    void apply(int x, int y, QRgb colour, PenMode mode) {
        if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
            return;
        const QRgb old = m_image.pixel(x, y) & 0xffffff;
        const QRgb result = mode == PenMode::Copy  ? colour
                            : mode == PenMode::Xor ? old ^ colour
                                                   : old ^ 0xffffff;
        m_image.setPixel(x, y, 0xff000000u | (result & 0xffffff));
    }

    QImage m_image;
    QRgb m_penColour = 0;
    int m_penWidth = 1;
    PenMode m_mode = PenMode::Copy;
};

QRgb plain(ColorValue value) {
    return QRgb(value & 0xff) << 16 | QRgb((value >> 8) & 0xff) << 8 | QRgb((value >> 16) & 0xff);
}

} // namespace

QImage referencePage(const PaperSettings& s, const PageScale& scale,
                     const ReferenceBackground& background) {
    const int W = scale.SurfaceWidth;
    const int H = scale.SurfaceHeight;
    const int dpi = scale.DotsPerInch;
    const auto pixels = [&](double inches) {
        const double v =
            scale.ZoomPercent ? *scale.ZoomPercent * (inches * dpi) / 100 : inches * dpi;
        return int(std::trunc(v));
    };
    const auto X = [&](double mm) { return pixels(mm / scale.MmPerInchX); };
    const auto Y = [&](double mm) { return pixels(mm / scale.MmPerInchY); };
    const auto P = [&](double points) { return pixels(points / 72); };

    Canvas canvas(W, H);
    canvas.fill(QRect(0, 0, W, H), background.fill);
    canvas.fill(background.patchArea, background.patch);

    // Edges, and on checkered paper their snapping to the grid.
    double leftMm = s.field(Setting::LeftBorderEd).value() * 10 - scale.LeftOffsetMm;
    double rightMm = s.field(Setting::RightBorderEd).value() * 10 - scale.LeftOffsetMm;
    bool rightFromLeft = false;
    const bool checkered = s.paperKind() != PaperKind::Ruled;
    int leftColumn = 0; // the step of the grid's running sum on the left edge
    if (checkered) {
        const double D = s.field(Setting::CaretSpaceED).value();
        const int xL = X(leftMm);
        const int xR = W - X(rightMm);
        bool first = true;
        int k = 0;
        double e = -D / 2;
        for (; X(e) <= xR; e += D, ++k) {
            if (X(e) < xL)
                continue;
            if (first) {
                leftMm = e;
                leftColumn = k;
            }
            first = false;
            if (X(e + D) > xR)
                rightMm = e;
        }
        if (first) {
            for (leftColumn = k; X(e) < xL; e += D)
                ++leftColumn;
        }
        rightFromLeft = true;
    }
    const int rightX = rightFromLeft ? X(rightMm) : W - X(rightMm);
    const int fillLeft = s.flag(Setting::NoLeftBorderFillCheck) ? X(leftMm) : 0;
    const int fillRight = s.flag(Setting::NoRightBorderFillCheck) ? rightX : W;

    const QRgb lineColour = plain(s.colour(Setting::ColvarColorComboBox1));
    const int lineWidth = P(s.field(Setting::LineWidthEd).value());
    const QRgb majorColour = plain(s.colour(Setting::MajorColor));
    const int every = int(s.field(Setting::MajorEveryEd).value());
    const auto major = [every](int index) { return every > 0 && index % every == 0; };
    const QRgb major2Colour = plain(s.colour(Setting::Major2Color));
    const int every2 = int(s.field(Setting::Major2EveryEd).value());
    const auto major2 = [every2](int index) { return every2 > 0 && index % every2 == 0; };
    canvas.setPen(lineColour, lineWidth, background.lineMode);
    if (!checkered) {
        const double D = s.field(Setting::LineSpaceEd).value();
        double e = s.field(Setting::BorderTopEd).value() * 10 - D / 2;
        if (s.flag(Setting::WithoutFirstLineCheck))
            e += 2 * D;
        const int bottom = H - Y(s.field(Setting::BorderBottomEd).value() * 10);
        for (; Y(e) < bottom; e += D) {
            if (s.flag(Setting::WithoutLastLineCheck) && Y(e + D) >= bottom)
                break;
            canvas.setPen(lineColour, lineWidth, background.lineMode);
            canvas.line(fillLeft, Y(e), fillRight, Y(e));
            canvas.setPen(plain(s.colour(Setting::GuideColor)),
                          P(s.field(Setting::GuideWidthEd).value()), background.lineMode);
            for (Setting g :
                 {Setting::Guide1Ed, Setting::Guide2Ed, Setting::Guide3Ed, Setting::Guide4Ed}) {
                const double offset = s.field(g).value();
                if (offset == 0)
                    continue;
                const int y = Y(e - offset);
                if (!s.flag(Setting::GuideDashedCheck) || X(2) < 1 || fillRight <= fillLeft) {
                    canvas.line(fillLeft, y, fillRight, y);
                    continue;
                }
                // Every dash from its own millimetres: 2 mm, then 1 mm of gap.
                const double startMm = s.flag(Setting::NoLeftBorderFillCheck) ? leftMm : 0;
                for (int k = 0; X(startMm + 3 * k) < fillRight; ++k)
                    canvas.line(X(startMm + 3 * k), y, std::min(X(startMm + 3 * k + 2), fillRight),
                                y);
            }
        }
        // Cornell notes, in the edge lines' pen.
        const int top = Y(s.field(Setting::BorderTopEd).value() * 10);
        const int summary = bottom - Y(s.field(Setting::SummaryHeightEd).value() * 10);
        const int cue = X(leftMm + s.field(Setting::CueWidthEd).value() * 10);
        canvas.setPen(plain(s.colour(Setting::ColvarColorComboBox3)),
                      P(s.field(Setting::RRLineWidthED).value()), background.lineMode);
        // Lines whose ends cross are drawn backwards, as any line is.
        if (s.flag(Setting::CornellCheck)) {
            if (summary != top && cue >= fillLeft && cue < fillRight)
                canvas.line(cue, top, cue, summary);
            if (X(leftMm) != rightX)
                canvas.line(X(leftMm), summary, rightX, summary);
        }
    } else {
        const double D = s.field(Setting::CaretSpaceED).value();
        // Row indexes count from the first row at or below the top, columns from the left edge.
        int topRow = 0;
        for (double e = -D / 2; Y(e) < 0; e += D)
            ++topRow;
        std::vector<std::pair<int, int>> rows, columns;
        int k = 0;
        for (double e = -D / 2; Y(e) < H; e += D, ++k)
            rows.emplace_back(Y(e), k - topRow);
        k = 0;
        for (double e = -D / 2; X(e) < fillRight; e += D, ++k) {
            if (X(e) > fillLeft)
                columns.emplace_back(X(e), k - leftColumn);
        }
        if (s.paperKind() == PaperKind::Checkered) {
            const int majorWidth = P(s.field(Setting::MajorWidthEd).value());
            const int major2Width = P(s.field(Setting::Major2WidthEd).value());
            const auto setPen = [&](int index) {
                if (major2(index))
                    canvas.setPen(major2Colour, major2Width, background.lineMode);
                else if (major(index))
                    canvas.setPen(majorColour, majorWidth, background.lineMode);
                else
                    canvas.setPen(lineColour, lineWidth, background.lineMode);
            };
            for (const auto& [y, index] : rows) {
                setPen(index);
                canvas.line(fillLeft, y, fillRight, y);
            }
            for (const auto& [x, index] : columns) {
                setPen(index);
                canvas.line(x, 0, x, H);
            }
        } else {
            for (const auto& [y, row] : rows) {
                for (const auto& [x, column] : columns) {
                    const bool bolder = major2(row) && major2(column);
                    const bool bold = major(row) && major(column);
                    canvas.setPen(bolder ? major2Colour
                                  : bold ? majorColour
                                         : lineColour,
                                  0, background.lineMode);
                    const Setting size = bolder ? Setting::Major2WidthEd
                                         : bold ? Setting::MajorDotSizeEd
                                                : Setting::DotSizeEd;
                    canvas.dot(x, y, P(s.field(size).value()), s.flag(Setting::DotRoundCheck));
                }
            }
        }
    }

    canvas.setPen(plain(s.colour(Setting::ColvarColorComboBox3)),
                  P(s.field(Setting::RRLineWidthED).value()), background.lineMode);
    if (s.flag(Setting::LeftBorderLineCheck))
        canvas.line(X(leftMm), 0, X(leftMm), H);
    if (s.flag(Setting::RightBorderLineCheck))
        canvas.line(rightX, 0, rightX, H);
    return canvas.image();
}
