#include "output/vector_marks.h"

#include "output/pdf_page_size.h"

VectorPlacement::VectorPlacement(const PageScale& scale)
    : m_page(pixelsToPoints(scale.SurfaceWidth, scale.DotsPerInch),
             pixelsToPoints(scale.SurfaceHeight, scale.DotsPerInch)),
      m_zoom(scale.ZoomPercent ? *scale.ZoomPercent / 100 : 1),
      m_pointsPerPixel(double(kPointsPerInch) / scale.DotsPerInch) {
    m_pointsPerMmX = kPointsPerInch / scale.MmPerInchX * m_zoom;
    m_pointsPerMmY = kPointsPerInch / scale.MmPerInchY * m_zoom;
}

double VectorPlacement::x(MarkCoordinate x) const {
    const double points = x.mm * m_pointsPerMmX;
    return x.fromFarSide ? m_page.width() - points : points;
}

double VectorPlacement::y(MarkCoordinate y) const {
    const double points = y.mm * m_pointsPerMmY;
    return y.fromFarSide ? m_page.height() - points : points;
}

double VectorPlacement::width(double points) const {
    const double zoomed = points * m_zoom;
    return zoomed > 0 ? zoomed : m_pointsPerPixel;
}

void VectorMarks::line(const LineMark& mark) {
    QLineF line(m_place.x(mark.x1), m_place.y(mark.y1), m_place.x(mark.x2), m_place.y(mark.y2));
    // On pixels a line going left (or up) paints its start and leaves out its end: it lies a
    // pixel further on than one going right (or down) between the same two ends.
    if (line.dy() == 0 && line.dx() < 0)
        line.translate(m_place.fromPixels(1), 0);
    else if (line.dx() == 0 && line.dy() < 0)
        line.translate(0, m_place.fromPixels(1));
    VectorPen pen{colorValueToRgb(mark.pen.colour), m_place.width(mark.pen.widthPoints)};
    // As on pixels: dashes run rightwards along horizontal lines and down vertical ones, and
    // dashes under a pixel would vanish there, so such a line is solid here too.
    const bool across = line.dy() == 0 && line.dx() > 0;
    const bool down = line.dx() == 0 && line.dy() > 0;
    if (mark.dashMm > 0 && across && m_scale.MmToX(mark.dashMm) >= 1) {
        pen.dash = m_place.alongX(mark.dashMm);
        pen.gap = m_place.alongX(mark.gapMm);
    } else if (mark.dashMm > 0 && down && m_scale.MmToY(mark.dashMm) >= 1) {
        pen.dash = m_place.alongY(mark.dashMm);
        pen.gap = m_place.alongY(mark.gapMm);
    }
    m_canvas.line(line, pen);
}

// Cut by its area, as on pixels; its dashes run along its length, measured as across the page.
void VectorMarks::slantedLine(const SlantedLineMark& mark) {
    const MarkArea& a = mark.area;
    m_canvas.clip(QRectF(QPointF(m_place.x(a.left), m_place.y(a.top)),
                         QPointF(m_place.x(a.right), m_place.y(a.bottom))));
    const QLineF line(m_place.x({mark.x1}), m_place.y({mark.y1}), m_place.x({mark.x2}),
                      m_place.y({mark.y2}));
    VectorPen pen{colorValueToRgb(mark.pen.colour), m_place.width(mark.pen.widthPoints)};
    if (mark.dashMm > 0 && m_scale.MmToX(mark.dashMm) >= 1) {
        pen.dash = m_place.alongX(mark.dashMm);
        pen.gap = m_place.alongX(mark.gapMm);
    }
    m_canvas.line(line, pen);
    m_canvas.unclip();
}

void VectorMarks::dot(const DotMark& mark) {
    m_canvas.dot(QPointF(m_place.x(mark.x), m_place.y(mark.y)), m_place.width(mark.pen.widthPoints),
                 colorValueToRgb(mark.pen.colour), mark.round);
}

void VectorMarks::circle(const CircleMark& mark) {
    m_canvas.ellipse(QPointF(m_place.x({mark.x}), m_place.y({mark.y})),
                     m_place.alongX(mark.radiusMm), m_place.alongY(mark.radiusMm),
                     colorValueToRgb(mark.pen.colour), m_place.width(mark.pen.widthPoints));
}
