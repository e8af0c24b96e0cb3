#include "output/svg_canvas.h"

#include <QBuffer>
#include <QImageWriter>

namespace {

constexpr double kMmPerPoint = 25.4 / 72;

// Millimetres to a ten-thousandth, far below a pixel of any printer, without trailing zeros.
QByteArray mm(double points) {
    QByteArray text = QByteArray::number(points * kMmPerPoint, 'f', 4);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text == "-0" ? QByteArray("0") : text;
}

QByteArray colourOf(QRgb colour) {
    return '#' + QByteArray::number(colour & 0xffffffu, 16).rightJustified(6, '0');
}

QByteArray attribute(const char* name, const QByteArray& value) {
    return QByteArray(" ") + name + "=\"" + value + '"';
}

// The family for readers that lack the face itself.
QByteArray genericFamily(const QFont& font) {
    if (font.fixedPitch() || font.styleHint() == QFont::Monospace ||
        font.styleHint() == QFont::TypeWriter)
        return "monospace";
    if (font.styleHint() == QFont::Serif)
        return "serif";
    return "sans-serif";
}

// Text as XML character data: markup escaped, and the control characters that XML cannot hold
// at all shown as spaces.
QByteArray xmlText(const QString& text) {
    QString clean = text;
    for (QChar& c : clean) {
        if (c.unicode() < 0x20 || c.unicode() == 0xfffe || c.unicode() == 0xffff)
            c = u' ';
    }
    return clean.toHtmlEscaped().toUtf8();
}

QByteArray pngData(const QImage& pixels) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(pixels.format() == QImage::Format_RGB32
                     ? pixels
                     : pixels.convertToFormat(QImage::Format_RGB32));
    return png.toBase64();
}

// A font family as a CSS string, whose quotes and backslashes would end it or escape what
// follows; as XML, the attribute's quotes and markup are escaped in turn.
QByteArray cssString(const QString& text) {
    QByteArray css = xmlText(text);
    css.replace('\\', "\\\\");
    css.replace('\'', "\\'");
    return '\'' + css + '\'';
}

// A pen of exactly one pixel may come a rounding error above it, through millimetres or points.
constexpr double kHairlineSlack = 1e-9;

} // namespace

SvgCanvas::SvgCanvas(QSizeF pagePoints, double pixelPoints)
    : m_hairline(pixelPoints * (1 + kHairlineSlack)) {
    m_svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" "
            "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\"" +
            attribute("width", mm(pagePoints.width()) + "mm") +
            attribute("height", mm(pagePoints.height()) + "mm") +
            attribute("viewBox", "0 0 " + mm(pagePoints.width()) + ' ' + mm(pagePoints.height())) +
            ">\n"
            // Only a reader that keeps a stroke's width on the screen is given one screen pixel:
            // one that does not would take the pixel for a millimetre of the page, and draws the
            // hairline's own width in millimetres instead.
            "<style>@supports (vector-effect: non-scaling-stroke) "
            "{ .hairline { stroke-width: 1px } }</style>\n";
}

void SvgCanvas::inGroup(const QByteArray& style) {
    endClip();
    if (style == m_group)
        return;
    closeStyleGroup();
    m_svg += "<g" + style + ">\n";
    m_group = style;
}

void SvgCanvas::closeGroup() {
    endClip();
    closeStyleGroup();
}

void SvgCanvas::closeStyleGroup() {
    if (m_group.isEmpty())
        return;
    m_svg += "</g>\n";
    m_group.clear();
}

void SvgCanvas::endClip() {
    if (!m_clipEnding)
        return;
    m_clipEnding = false;
    m_clip.reset();
    closeStyleGroup();
    m_svg += "</g>\n";
}

QByteArray SvgCanvas::strokeStyle(QRgb colour, double width) const {
    return attribute("fill", "none") + attribute("stroke", colourOf(colour)) +
           attribute("stroke-width", mm(width));
}

// Each mark carries it itself: unlike the stroke's width, a group does not pass it on.
QByteArray SvgCanvas::strokeEffect(double width) const {
    return width > m_hairline
               ? QByteArray()
               : attribute("class", "hairline") + attribute("vector-effect", "non-scaling-stroke");
}

void SvgCanvas::line(const QLineF& line, const VectorPen& pen) {
    QByteArray style = strokeStyle(pen.colour, pen.width);
    if (pen.dash > 0)
        style += attribute("stroke-dasharray", mm(pen.dash) + ' ' + mm(pen.gap));
    inGroup(style);
    m_svg += "<path" + strokeEffect(pen.width) + " d=\"M" + mm(line.x1()) + ' ' + mm(line.y1());
    if (line.dy() == 0)
        m_svg += 'H' + mm(line.x2());
    else if (line.dx() == 0)
        m_svg += 'V' + mm(line.y2());
    else
        m_svg += 'L' + mm(line.x2()) + ' ' + mm(line.y2());
    m_svg += "\"/>\n";
}

void SvgCanvas::fillRect(const QRectF& rect, QRgb colour) {
    inGroup(attribute("fill", colourOf(colour)));
    m_svg += "<rect" + attribute("x", mm(rect.x())) + attribute("y", mm(rect.y())) +
             attribute("width", mm(rect.width())) + attribute("height", mm(rect.height())) + "/>\n";
}

void SvgCanvas::dot(QPointF centre, double size, QRgb colour, bool round) {
    if (!round) {
        fillRect(QRectF(centre.x() - size / 2, centre.y() - size / 2, size, size), colour);
        return;
    }
    inGroup(attribute("fill", colourOf(colour)));
    m_svg += "<circle" + attribute("cx", mm(centre.x())) + attribute("cy", mm(centre.y())) +
             attribute("r", mm(size / 2)) + "/>\n";
}

// A circle stays a circle, so that readers keep it round.
void SvgCanvas::ellipse(QPointF centre, double radiusX, double radiusY, QRgb colour, double width) {
    inGroup(strokeStyle(colour, width));
    const QByteArray place =
        strokeEffect(width) + attribute("cx", mm(centre.x())) + attribute("cy", mm(centre.y()));
    if (radiusX == radiusY)
        m_svg += "<circle" + place + attribute("r", mm(radiusX)) + "/>\n";
    else
        m_svg += "<ellipse" + place + attribute("rx", mm(radiusX)) + attribute("ry", mm(radiusY)) +
                 "/>\n";
}

// The picture is defined once, at its size, and each drawing refers to it. Its pixels stay
// sharp however far a reader zooms in.
int SvgCanvas::addImage(const QImage& pixels, QSizeF size) {
    closeGroup();
    const int image = m_images++;
    m_svg += "<defs><image" + attribute("id", 'i' + QByteArray::number(image)) +
             attribute("width", mm(size.width())) + attribute("height", mm(size.height())) +
             attribute("preserveAspectRatio", "none") + attribute("image-rendering", "pixelated") +
             attribute("style", "image-rendering:optimizeSpeed;image-rendering:pixelated") +
             attribute("xlink:href", "data:image/png;base64," + pngData(pixels)) + "/></defs>\n";
    return image;
}

void SvgCanvas::drawImage(int image, QPointF topLeft) {
    closeGroup();
    m_svg += "<use" + attribute("xlink:href", "#i" + QByteArray::number(image)) +
             attribute("x", mm(topLeft.x())) + attribute("y", mm(topLeft.y())) + "/>\n";
}

// A clip ended is kept open until something else is drawn, so that the many slanted lines of
// one area, each cut by it, share one clip and one group.
void SvgCanvas::clip(const QRectF& rect) {
    if (m_clipEnding && m_clip == rect) {
        m_clipEnding = false;
        return;
    }
    closeGroup();
    m_clip = rect;
    const QByteArray id = 'c' + QByteArray::number(m_clips++);
    m_svg += "<clipPath" + attribute("id", id) + "><rect" + attribute("x", mm(rect.x())) +
             attribute("y", mm(rect.y())) + attribute("width", mm(rect.width())) +
             attribute("height", mm(rect.height())) + "/></clipPath>\n<g" +
             attribute("clip-path", "url(#" + id + ')') + ">\n";
}

void SvgCanvas::unclip() {
    endClip(); // an inner clip that ended before
    m_clipEnding = true;
}

void SvgCanvas::text(QPointF baseline, const QFont& font, double em, QRgb colour,
                     const QString& text) {
    closeGroup();
    m_svg += "<text" + attribute("x", mm(baseline.x())) + attribute("y", mm(baseline.y())) +
             attribute("font-family", cssString(font.family()) + ", " + genericFamily(font)) +
             attribute("font-size", mm(em)) + attribute("fill", colourOf(colour));
    if (font.bold())
        m_svg += attribute("font-weight", "bold");
    if (font.italic())
        m_svg += attribute("font-style", "italic");
    QByteArrayList lines;
    if (font.underline())
        lines << "underline";
    if (font.strikeOut())
        lines << "line-through";
    if (!lines.isEmpty())
        m_svg += attribute("text-decoration", lines.join(' '));
    m_svg += attribute("xml:space", "preserve") + '>' + xmlText(text) + "</text>\n";
}

QByteArray SvgCanvas::finish() {
    closeGroup();
    m_svg += "</svg>\n";
    return m_svg;
}
