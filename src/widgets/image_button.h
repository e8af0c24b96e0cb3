#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A button that is only a picture, with a hand cursor; it lights up under the mouse and
// sinks while pressed.
class ImageButton : public QAbstractButton {
    Q_OBJECT
  public:
    ImageButton(const QPixmap& picture, const QString& hint, QWidget* parent = nullptr);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QPixmap m_picture;
    bool m_hovered = false;
};
