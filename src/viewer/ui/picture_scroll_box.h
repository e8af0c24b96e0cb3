#pragma once

#include "picture/picture_record.h"
#include "viewer/picture_view_geometry.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QPoint>

// The viewer's scroll box: the picture at the zoom, on a paint box exactly as large as the
// zoomed picture, at the top left of the workspace-coloured view, with scroll bars where it
// is larger than the view. The picture follows the mouse when dragged with any button.
//
// The paint box is kept as arithmetic, not as a widget: at 9000 % a large picture is hundreds
// of thousands of pixels a side, beyond what a widget or a window system can be. The view is
// the one window, showing the part of the paint box the scroll bars point at, and each paint
// draws only the exposed part, so neither time nor memory grows with the zoom.
class PictureScrollBox : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit PictureScrollBox(QWidget* parent = nullptr);

    // Shows `dib` at `zoomPercent`; an empty record shows nothing.
    void setPicture(const PictureRecord& dib);
    void setZoom(int zoomPercent);
    ZoomedSize paintBoxSize() const { return m_box; }

    // The drag, in paint-box coordinates.
    void PaintBox1MouseDown(QPoint onBox);
    void PaintBox1MouseMove(QPoint onBox);
    void PaintBox1MouseUp();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void resizePaintBox();
    void updateScrollBars();
    // The view's top-left pixel on the paint box.
    QPoint scrollOffset() const;
    // The paint box's pixels under the view, in view coordinates.
    QRect paintBoxInView() const;

    PictureRecord m_dib;
    int m_zoom = 100;
    ZoomedSize m_box;
    bool m_dragging = false;
    QPoint m_grabbed;
    // The pixels of the last paint, reused so that a paint does not wait for fresh memory.
    QImage m_scratch;
};
