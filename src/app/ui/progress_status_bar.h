#pragma once

#include <QRect>
#include <QStatusBar>

class QPainter;

// The status bar: a panel 250 pixels wide for a note, such as the pictures of a design that
// were not found, and a second panel that shows how far a picture has been read, as a navy bar
// growing from its left edge.
class ProgressStatusBar : public QStatusBar {
    Q_OBJECT
  public:
    static constexpr int kHeight = 19;
    static constexpr int kFirstPanelWidth = 250;
    static constexpr QRgb kBarColor = 0xff000080; // navy

    explicit ProgressStatusBar(QWidget* parent = nullptr);

    // Sets the percentage (limited to 0...100) and brings the bar up to date at once.
    void SetProStatus(qint32 value);
    qint32 proStatus() const { return ProStatus; }

    // The progress panel's inside, where the bar grows, in this widget's pixels.
    QRect progressPanelRect() const;

    // Shows `note` in the first panel until another replaces it; an empty one clears it. A
    // note too long for the panel is shortened there and shown whole as the tooltip.
    void showNote(const QString& note);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // Draws the bar for the current percentage into the panel rectangle `rect`.
    void StatusBar1DrawPanel(QPainter& painter, const QRect& rect);
    // Draws the bar at its current length at once, over what is shown; it can only grow.
    void SBarPaintMore();
    QRect barRect(const QRect& panel) const;

    qint32 ProStatus = 0;
    QRect ProgressRect; // the panel as it was last painted; empty before the first paint
};
