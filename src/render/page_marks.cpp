#include "render/page_marks.h"

#include "render/surface.h"

#include <algorithm>

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
    const int run = mark.dashMm > 0 ? m_scale.MmToX(mark.dashMm) : 0;
    // Runs under a pixel would vanish, so such a line is drawn solid; dashes run left to right
    // along a horizontal line, the only kind that is dashed.
    if (run < 1 || x2 <= x1 || y1 != y2) {
        m_surface.moveTo(x1, y1);
        m_surface.lineTo(x2, y2);
        return;
    }
    const int gap = m_scale.MmToX(mark.gapMm);
    for (qint64 x = x1; x < x2; x += qint64(run) + gap) {
        m_surface.moveTo(int(x), y1);
        m_surface.lineTo(int(std::min<qint64>(x + run, x2)), y1);
    }
}

void SurfaceMarks::dot(const DotMark& mark) {
    m_surface.setPenColor(colourOf(mark.pen.colour));
    m_surface.dot(pixelX(m_scale, mark.x), pixelY(m_scale, mark.y), widthOf(mark.pen.widthPoints),
                  mark.round);
}
