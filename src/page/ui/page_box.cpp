#include "page/ui/page_box.h"

#include "page/ui/preview_pane.h"

#include <QMetaObject>
#include <QMouseEvent>
#include <QPaintEvent>

PageBox::PageBox(PreviewPane& pane) : m_pane(pane) {
    setObjectName(QStringLiteral("PaintBox1"));
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("1:1 preview of the printout"));
    // Every paint covers what it exposes; nothing under the box needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageBox::paintEvent(QPaintEvent* event) {
    if (size() != m_pane.wantedBoxSize()) {
        // Resizing from inside a paint is not allowed; the new size brings its own paint.
        QMetaObject::invokeMethod(&m_pane, &PreviewPane::refresh, Qt::QueuedConnection);
        return;
    }
    m_pane.drawExposed(event->region());
}

void PageBox::mousePressEvent(QMouseEvent* event) {
    m_pane.PaintBox1MouseDown(event->position().toPoint());
}

void PageBox::mouseMoveEvent(QMouseEvent* event) {
    m_pane.PaintBox1MouseMove(event->position().toPoint());
}

void PageBox::mouseReleaseEvent(QMouseEvent*) {
    m_pane.PaintBox1MouseUp();
}
