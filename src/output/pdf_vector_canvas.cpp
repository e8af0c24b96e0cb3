#include "output/pdf_vector_canvas.h"

#include "output/pdf_page_size.h"
#include "render/text_cell.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// A round dot is a stroke with round caps along a segment this short, where a filled circle
// takes four curves. Readers draw nothing for a segment of no length.
constexpr double kDotSegment = 1e-3;

// How far inside its outer pixels an image's edges are placed, in pixels of the page's
// resolution. Rasterisers count a pixel that an edge only touches in different ways, and one
// that stretches an image over every pixel it touches draws it a pixel wider; with the edges
// inside, every rule keeps the pixels the picture was made for.
constexpr double kImageInsetPixels = 1.0 / 8;

QColor colourOf(QRgb colour) {
    return QColor::fromRgb(colour | 0xff000000u);
}

} // namespace

PdfVectorCanvas::PdfVectorCanvas(QPainter& painter, int dotsPerInch)
    : m_painter(painter), m_imageInset(kImageInsetPixels * kPointsPerInch / dotsPerInch) {
    m_painter.scale(double(dotsPerInch) / kPointsPerInch, double(dotsPerInch) / kPointsPerInch);
    m_painter.setRenderHint(QPainter::LosslessImageRendering, true);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

PdfVectorCanvas::~PdfVectorCanvas() {
    drawGathered();
}

bool PdfVectorCanvas::extendsRow(QPointF centre, double size, QRgb colour, bool round) const {
    if (m_row.count == 0 || size != m_row.size || colour != m_row.colour || round != m_row.round ||
        centre.y() != m_row.first.y())
        return false;
    const double step = m_row.count == 1 ? centre.x() - m_row.first.x() : m_row.step;
    // The columns of a grid are a running sum of millimetres: their steps agree to far less
    // than this, and no reader could show the difference.
    constexpr double kSameStep = 1e-6;
    return step > kDotSegment &&
           std::abs(m_row.first.x() + step * m_row.count - centre.x()) < kSameStep;
}

void PdfVectorCanvas::dot(QPointF centre, double size, QRgb colour, bool round) {
    if (extendsRow(centre, size, colour, round)) {
        if (m_row.count == 1)
            m_row.step = centre.x() - m_row.first.x();
        ++m_row.count;
        return;
    }
    gatherRow();
    m_row = {centre, 0, 1, size, colour, round};
}

// A round dot is a dash so short that its round caps make the circle. A square dot is a filled
// square: rasterisers place the flat ends of dashes by rules of their own, which moved
// squares drawn as dashes by a pixel.
void PdfVectorCanvas::gatherRow() {
    if (m_row.count == 0)
        return;
    const DotRow row = m_row;
    m_row.count = 0;
    if (!row.round) {
        Ink ink;
        ink.colour = row.colour;
        ink.fill = true;
        QPainterPath& path = pathFor(ink);
        const QSizeF square(row.size, row.size);
        for (int i = 0; i < row.count; ++i) {
            const QPointF centre(row.first.x() + row.step * i, row.first.y());
            path.addRect(QRectF(centre - QPointF(row.size / 2, row.size / 2), square));
        }
        return;
    }
    Ink ink;
    ink.colour = row.colour;
    ink.width = row.size;
    ink.roundCaps = true;
    if (row.count > 1) {
        ink.dash = kDotSegment;
        ink.gap = row.step - kDotSegment;
    }
    QPainterPath& path = pathFor(ink);
    path.moveTo(row.first.x() - kDotSegment / 2, row.first.y());
    path.lineTo(row.first.x() + row.step * (row.count - 1) + kDotSegment / 2, row.first.y());
}

QPainterPath& PdfVectorCanvas::pathFor(const Ink& ink) {
    if (!(ink == m_ink))
        drawPath();
    m_ink = ink;
    return m_path;
}

void PdfVectorCanvas::drawGathered() {
    gatherRow();
    drawPath();
}

void PdfVectorCanvas::drawPath() {
    if (m_path.isEmpty())
        return;
    if (m_ink.fill) {
        m_painter.fillPath(m_path, colourOf(m_ink.colour));
    } else {
        QPen pen(colourOf(m_ink.colour), m_ink.width, Qt::SolidLine,
                 m_ink.roundCaps ? Qt::RoundCap : Qt::FlatCap, Qt::MiterJoin);
        // The painter measures dashes in pen widths.
        if (m_ink.dash > 0)
            pen.setDashPattern({m_ink.dash / m_ink.width, m_ink.gap / m_ink.width});
        m_painter.strokePath(m_path, pen);
    }
    m_path.clear();
}

void PdfVectorCanvas::line(const QLineF& line, const VectorPen& pen) {
    gatherRow();
    QPainterPath& path = pathFor({pen.colour, pen.width, pen.dash, pen.gap});
    path.moveTo(line.p1());
    path.lineTo(line.p2());
}

void PdfVectorCanvas::ellipse(QPointF centre, double radiusX, double radiusY, QRgb colour,
                              double width) {
    gatherRow();
    pathFor({colour, width}).addEllipse(centre, radiusX, radiusY);
}

void PdfVectorCanvas::fillRect(const QRectF& rect, QRgb colour) {
    gatherRow();
    Ink ink;
    ink.colour = colour;
    ink.fill = true;
    pathFor(ink).addRect(rect);
}

int PdfVectorCanvas::addImage(const QImage& pixels, QSizeF size) {
    m_images.emplace_back(pixels, size);
    return int(m_images.size() - 1);
}

// The writer keeps an image once however often it is drawn.
void PdfVectorCanvas::drawImage(int image, QPointF topLeft) {
    drawGathered();
    const auto& [pixels, size] = m_images[size_t(image)];
    m_painter.drawImage(
        QRectF(topLeft, size).adjusted(m_imageInset, m_imageInset, -m_imageInset, -m_imageInset),
        pixels);
}

void PdfVectorCanvas::clip(const QRectF& rect) {
    drawGathered();
    m_painter.save();
    m_painter.setClipRect(rect, Qt::IntersectClip);
}

void PdfVectorCanvas::unclip() {
    drawGathered();
    m_painter.restore();
}

void PdfVectorCanvas::text(QPointF baseline, const QFont& font, double em, QRgb colour,
                           const QString& text) {
    drawGathered();
    QFont shaped = font;
    const int pixels = std::clamp(font.pixelSize(), 1, kLargestShapedPixels);
    shaped.setPixelSize(pixels);
    m_painter.save();
    m_painter.translate(baseline);
    m_painter.scale(em / pixels, em / pixels);
    m_painter.setFont(shaped);
    m_painter.setPen(colourOf(colour));
    m_painter.drawText(QPointF(0, 0), text);
    m_painter.restore();
}
