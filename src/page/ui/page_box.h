#pragma once

#include <QWidget>

class PreviewPane;

// The white page of the preview. It holds no picture of its own: each paint draws the exposed
// part of the page afresh, after making sure the box has the size the pane wants.
class PageBox : public QWidget {
    Q_OBJECT
  public:
    explicit PageBox(PreviewPane& pane);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    PreviewPane& m_pane;
};
