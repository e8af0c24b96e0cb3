#include "output/pdf_vector_canvas.h"

#include "output/pdf_page_size.h"

#include <QPainter>

#include <algorithm>

namespace {

// A round dot is a stroke with round caps along a segment this short: one line-to per dot,
// where a filled circle takes four curves. Readers draw nothing for a segment of no length.
constexpr double kDotSegment = 1e-3;

// How far inside its outer pixels an image's edges are placed, in pixels of the page's
// resolution. Rasterisers count a pixel that an edge only touches in different ways, and one
// that stretches an image over every pixel it touches draws it a pixel wider; with the edges
// inside, every rule keeps the pixels the picture was made for.
constexpr double kImageInsetPixels = 1.0 / 8;

// The largest character size the font engines shape well; a larger text is scaled up.
constexpr int kLargestShapedPixels = 8192;

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

QPainterPath& PdfVectorCanvas::pathFor(const Ink& ink) {
    if (!(ink == m_ink))
        drawGathered();
    m_ink = ink;
    return m_path;
}

void PdfVectorCanvas::drawGathered() {
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
    QPainterPath& path = pathFor({pen.colour, pen.width, pen.dash, pen.gap});
    path.moveTo(line.p1());
    path.lineTo(line.p2());
}

void PdfVectorCanvas::fillRect(const QRectF& rect, QRgb colour) {
    Ink ink;
    ink.colour = colour;
    ink.fill = true;
    pathFor(ink).addRect(rect);
}

void PdfVectorCanvas::fillCircle(QPointF centre, double diameter, QRgb colour) {
    Ink ink;
    ink.colour = colour;
    ink.width = diameter;
    ink.roundCaps = true;
    QPainterPath& path = pathFor(ink);
    path.moveTo(centre.x() - kDotSegment / 2, centre.y());
    path.lineTo(centre.x() + kDotSegment / 2, centre.y());
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
