#include "reference_page.h"

#include "settings/paper_settings.h"

#include <cmath>

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
    const bool checkered = s.paperKind() == PaperKind::KariertCheck;
    if (checkered) {
        const double D = s.field(Setting::CaretSpaceED).value();
        const int xL = X(leftMm);
        const int xR = W - X(rightMm);
        bool first = true;
        for (double e = -D / 2; X(e) <= xR; e += D) {
            if (X(e) < xL)
                continue;
            if (first)
                leftMm = e;
            first = false;
            if (X(e + D) > xR)
                rightMm = e;
        }
        rightFromLeft = true;
    }
    const int rightX = rightFromLeft ? X(rightMm) : W - X(rightMm);
    const int fillLeft = s.flag(Setting::NoLeftBorderFillCheck) ? X(leftMm) : 0;
    const int fillRight = s.flag(Setting::NoRightBorderFillCheck) ? rightX : W;

    canvas.setPen(plain(s.colour(Setting::ColvarColorComboBox1)),
                  P(s.field(Setting::LineWidthEd).value()), background.lineMode);
    if (!checkered) {
        const double D = s.field(Setting::LineSpaceEd).value();
        double e = s.field(Setting::BorderTopEd).value() * 10 - D / 2;
        if (s.flag(Setting::WithoutFirstLineCheck))
            e += 2 * D;
        const int bottom = H - Y(s.field(Setting::BorderBottomEd).value() * 10);
        for (; Y(e) < bottom; e += D) {
            if (s.flag(Setting::WithoutLastLineCheck) && Y(e + D) >= bottom)
                break;
            canvas.line(fillLeft, Y(e), fillRight, Y(e));
        }
    } else {
        const double D = s.field(Setting::CaretSpaceED).value();
        for (double e = -D / 2; Y(e) < H; e += D)
            canvas.line(fillLeft, Y(e), fillRight, Y(e));
        for (double e = -D / 2; X(e) < fillRight; e += D) {
            if (X(e) > fillLeft)
                canvas.line(X(e), 0, X(e), H);
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
