#include "viewer/ui/picture_scroll_box.h"

#include "picture/draw_dib.h"
#include "viewer/picture_view_drawing.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace {

constexpr int kLineStep = 20;

// A scroll bar's positions are ints; a paint box larger than that scrolls as far as they go.
int scrollLimit(qint64 extent, int visible) {
    return int(std::clamp<qint64>(extent - visible, 0, INT_MAX));
}

} // namespace

PictureScrollBox::PictureScrollBox(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("ScrollBox1"));
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::PointingHandCursor);
    horizontalScrollBar()->setSingleStep(kLineStep);
    verticalScrollBar()->setSingleStep(kLineStep);
}

void PictureScrollBox::setPicture(const PictureRecord& dib) {
    m_dib = dib;
    resizePaintBox();
}

void PictureScrollBox::setZoom(int zoomPercent) {
    m_zoom = zoomPercent;
    resizePaintBox();
}

void PictureScrollBox::resizePaintBox() {
    m_box = zoomedPictureSize(DibWidth(m_dib), DibHeight(m_dib), m_zoom);
    updateScrollBars();
    viewport()->update();
}

void PictureScrollBox::updateScrollBars() {
    const QSize visible = viewport()->size();
    horizontalScrollBar()->setRange(0, scrollLimit(m_box.width, visible.width()));
    verticalScrollBar()->setRange(0, scrollLimit(m_box.height, visible.height()));
    horizontalScrollBar()->setPageStep(visible.width());
    verticalScrollBar()->setPageStep(visible.height());
}

QPoint PictureScrollBox::scrollOffset() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QRect PictureScrollBox::paintBoxInView() const {
    const QPoint offset = scrollOffset();
    const QRect view = viewport()->rect();
    // Only the part of the paint box that can show is ever made a rectangle of ints.
    const int right = int(std::min<qint64>(m_box.width - offset.x(), view.width()));
    const int bottom = int(std::min<qint64>(m_box.height - offset.y(), view.height()));
    return QRect(0, 0, std::max(right, 0), std::max(bottom, 0));
}

void PictureScrollBox::paintEvent(QPaintEvent* event) {
    const QRect shown = paintBoxInView();
    const int displayBitsPerPixel = ScreenBitsPerPixel();
    QPainter painter(viewport());
    for (const QRect& exposed : event->region()) {
        const QRect part = exposed.intersected(shown);
        if (part.isEmpty())
            continue;
        if (m_scratch.size() != part.size())
            m_scratch = QImage(part.size(), QImage::Format_RGB32);
        drawPictureView(m_scratch, part.topLeft(), m_dib, m_box, scrollOffset(),
                        displayBitsPerPixel);
        painter.drawImage(part.topLeft(), m_scratch);
    }
}

void PictureScrollBox::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PictureScrollBox::scrollContentsBy(int dx, int dy) {
    // What stays in view moves along; only the strip that comes in is drawn.
    viewport()->scroll(dx, dy);
}

void PictureScrollBox::PaintBox1MouseDown(QPoint onBox) {
    m_dragging = true;
    m_grabbed = onBox;
}

void PictureScrollBox::PaintBox1MouseMove(QPoint onBox) {
    if (!m_dragging)
        return;
    QScrollBar* horizontal = horizontalScrollBar();
    QScrollBar* vertical = verticalScrollBar();
    const qint64 h = dragScrollPosition(horizontal->value(), m_grabbed.x(), onBox.x(), m_box.width);
    const qint64 v = dragScrollPosition(vertical->value(), m_grabbed.y(), onBox.y(), m_box.height);
    // The scroll bars limit each to what can be scrolled.
    horizontal->setValue(int(std::clamp<qint64>(h, INT_MIN, INT_MAX)));
    vertical->setValue(int(std::clamp<qint64>(v, INT_MIN, INT_MAX)));
}

void PictureScrollBox::PaintBox1MouseUp() {
    m_dragging = false;
}

void PictureScrollBox::mousePressEvent(QMouseEvent* event) {
    // Presses on the workspace around a small picture miss the paint box.
    const QPoint inView = event->position().toPoint();
    if (paintBoxInView().contains(inView))
        PaintBox1MouseDown(inView + scrollOffset());
}

void PictureScrollBox::mouseMoveEvent(QMouseEvent* event) {
    PaintBox1MouseMove(event->position().toPoint() + scrollOffset());
}

void PictureScrollBox::mouseReleaseEvent(QMouseEvent*) {
    PaintBox1MouseUp();
}
