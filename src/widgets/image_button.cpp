#include "widgets/image_button.h"

#include <QPainter>

namespace {
constexpr int kPadding = 2;
}

ImageButton::ImageButton(const QPixmap& picture, const QString& hint, QWidget* parent)
    : QAbstractButton(parent), m_picture(picture) {
    setToolTip(hint);
    setAccessibleName(hint);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setFixedSize(sizeHint());
}

QSize ImageButton::sizeHint() const {
    return m_picture.deviceIndependentSize().toSize() + QSize(2 * kPadding, 2 * kPadding);
}

void ImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_hovered || hasFocus()) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.setBrush(palette().color(QPalette::Midlight));
        painter.drawRoundedRect(rect().adjusted(0, 0, -1, -1), 3, 3);
    }
    const int shift = isDown() ? 1 : 0;
    painter.drawPixmap(kPadding + shift, kPadding + shift, m_picture);
    if (!isEnabled()) {
        painter.fillRect(rect(), QColor(255, 255, 255, 140));
    }
}

void ImageButton::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void ImageButton::leaveEvent(QEvent* event) {
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}
