#include "app/ui/progress_status_bar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

constexpr int kPanelGap = 2;

} // namespace

ProgressStatusBar::ProgressStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(false);
    setFixedHeight(kHeight);
}

QRect ProgressStatusBar::progressPanelRect() const {
    // The panel's sunken frame is one pixel wide on each side.
    const QRect panel(kFirstPanelWidth + kPanelGap, 0, width() - kFirstPanelWidth - kPanelGap,
                      height());
    return panel.adjusted(1, 1, -1, -1);
}

void ProgressStatusBar::showNote(const QString& note) {
    showMessage(note);
    setToolTip(note);
    update();
}

QRect ProgressStatusBar::barRect(const QRect& panel) const {
    // Right end = left + width * percent div 100, exclusive, as the panel is filled.
    const int barWidth = panel.width() * ProStatus / 100;
    return QRect(panel.left(), panel.top(), barWidth, panel.height());
}

void ProgressStatusBar::SetProStatus(qint32 value) {
    value = std::clamp(value, 0, 100);
    if (value < ProStatus) {
        // A shorter bar needs the old one erased: repaint the whole bar now.
        ProStatus = value;
        repaint();
    } else {
        ProStatus = value;
        SBarPaintMore();
    }
}

void ProgressStatusBar::SBarPaintMore() {
    const QRect bar = barRect(ProgressRect);
    if (!bar.isEmpty())
        repaint(bar);
}

void ProgressStatusBar::StatusBar1DrawPanel(QPainter& painter, const QRect& rect) {
    painter.fillRect(barRect(rect), QColor::fromRgb(kBarColor));
    ProgressRect = rect;
}

void ProgressStatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.frameShape = QFrame::Panel;
    frame.state |= QStyle::State_Sunken;
    frame.lineWidth = 1;
    frame.rect = QRect(0, 0, kFirstPanelWidth, height());
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
    const QRect notePanel = frame.rect.adjusted(3, 1, -3, -1);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(
        notePanel, Qt::AlignLeft | Qt::AlignVCenter,
        fontMetrics().elidedText(currentMessage(), Qt::ElideMiddle, notePanel.width()));
    const QRect progressPanel = progressPanelRect();
    frame.rect = progressPanel.adjusted(-1, -1, 1, 1);
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
    StatusBar1DrawPanel(painter, progressPanel);
}
