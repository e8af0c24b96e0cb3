#include "render/page_marks.h"

#include "render/surface.h"

#include <algorithm>
#include <cmath>

int pixelX(const PageScale& scale, MarkCoordinate x) {
    return x.fromFarSide ? scale.SurfaceWidth - scale.MmToX(x.mm) : scale.MmToX(x.mm);
}

int pixelY(const PageScale& scale, MarkCoordinate y) {
    return y.fromFarSide ? scale.SurfaceHeight - scale.MmToY(y.mm) : scale.MmToY(y.mm);
}

QRgb SurfaceMarks::colourOf(ColorValue colour) {
    if (!m_hasColour || colour != m_colour) {
        m_colour = colour;
        m_rgb = colorValueToRgb(colour);
        m_hasColour = true;
    }
    return m_rgb;
}

int SurfaceMarks::widthOf(double points) {
    if (!m_hasWidth || points != m_points) {
        m_points = points;
        m_width = m_scale.PointsToPixels(points);
        m_hasWidth = true;
    }
    return m_width;
}

void SurfaceMarks::line(const LineMark& mark) {
    m_surface.setPenColor(colourOf(mark.pen.colour));
    m_surface.setPenWidth(widthOf(mark.pen.widthPoints));
    const int x1 = pixelX(m_scale, mark.x1);
    const int y1 = pixelY(m_scale, mark.y1);
    const int x2 = pixelX(m_scale, mark.x2);
    const int y2 = pixelY(m_scale, mark.y2);
    // Dashes run left to right along a horizontal line, down a vertical one.
    const bool across = y1 == y2 && x2 > x1;
    const bool down = x1 == x2 && y2 > y1;
    const auto length = [&](double mm) { return across ? m_scale.MmToX(mm) : m_scale.MmToY(mm); };
    const int run = mark.dashMm > 0 ? length(mark.dashMm) : 0;
    // Runs under a pixel would vanish, so such a line is drawn solid.
    if (run < 1 || !(across || down)) {
        m_surface.moveTo(x1, y1);
        m_surface.lineTo(x2, y2);
        return;
    }
    // Dash k runs from the start's millimetres plus k periods to a dash further on, each end
    // truncated to its pixel on its own: adding up truncated lengths would let the dashes drift
    // from where a vector page puts them.
    const MarkCoordinate start = across ? mark.x1 : mark.y1;
    const auto pixelAfter = [&](double mm) {
        const MarkCoordinate at{start.fromFarSide ? start.mm - mm : start.mm + mm,
                                start.fromFarSide};
        return across ? pixelX(m_scale, at) : pixelY(m_scale, at);
    };
    const int to = across ? x2 : y2;
    const double period = mark.dashMm + mark.gapMm;
    for (qint64 k = 0;; ++k) {
        const int from = pixelAfter(double(k) * period);
        if (from >= to)
            break;
        const int end = std::min(pixelAfter(double(k) * period + mark.dashMm), to);
        m_surface.moveTo(across ? from : x1, across ? y1 : from);
        m_surface.lineTo(across ? end : x1, across ? y1 : end);
    }
}

// Dashes are pieces of their own, at exact positions along the line; as on a horizontal line,
// runs under a pixel would vanish, so such a line is drawn solid.
void SurfaceMarks::slantedLine(const SlantedLineMark& mark) {
    m_surface.setPenColor(colourOf(mark.pen.colour));
    m_surface.setPenWidth(widthOf(mark.pen.widthPoints));
    const MarkArea& a = mark.area;
    const QRect within(QPoint(pixelX(m_scale, a.left), pixelY(m_scale, a.top)),
                       QPoint(pixelX(m_scale, a.right) - 1, pixelY(m_scale, a.bottom) - 1));
    const auto at = [&](double t) {
        return QPointF(m_scale.MmToExactX(mark.x1 + t * (mark.x2 - mark.x1)),
                       m_scale.MmToExactY(mark.y1 + t * (mark.y2 - mark.y1)));
    };
    const double length = std::hypot(mark.x2 - mark.x1, mark.y2 - mark.y1);
    if (mark.dashMm <= 0 || m_scale.MmToX(mark.dashMm) < 1 || length == 0) {
        m_surface.slantedLine(at(0), at(1), within);
        return;
    }
    const double period = mark.dashMm + mark.gapMm;
    for (double start = 0; start < length; start += period)
        m_surface.slantedLine(at(start / length),
                              at(std::min(start + mark.dashMm, length) / length), within);
}

void SurfaceMarks::dot(const DotMark& mark) {
    m_surface.setPenColor(colourOf(mark.pen.colour));
    m_surface.dot(pixelX(m_scale, mark.x), pixelY(m_scale, mark.y), widthOf(mark.pen.widthPoints),
                  mark.round);
}

void SurfaceMarks::circle(const CircleMark& mark) {
    m_surface.setPenColor(colourOf(mark.pen.colour));
    m_surface.setPenWidth(widthOf(mark.pen.widthPoints));
    m_surface.ellipse(QPointF(m_scale.MmToExactX(mark.x), m_scale.MmToExactY(mark.y)),
                      m_scale.MmToExactX(mark.radiusMm), m_scale.MmToExactY(mark.radiusMm));
}
