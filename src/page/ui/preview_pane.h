#pragma once

#include "render/device_scales.h"
#include "render/printer_page.h"

#include <QImage>
#include <QPoint>
#include <QScrollArea>

#include <functional>

class PageBox;
class PageLayers;
class PaperSettings;
class QButtonGroup;
struct PageDesign;

// The preview on the "Print" page: the page box, the size of the current printer's printable
// area at the screen's resolution times the zoom, at the top-left corner of a view that
// scrolls when the box is larger than it. The page follows the mouse when dragged.
//
// Nothing is kept between drawings: every paint reads the settings, the calibration, the zoom
// and the printer afresh, and draws only the part of the page that is exposed.
//
// With mirrored margins a switch above the view shows the first page or the second, whose
// sides are swapped; without, the first page shows and the switch is hidden.
class PreviewPane : public QScrollArea {
    Q_OBJECT
  public:
    // `calibration` tells the printer calibration, and `printerPage` the current printer's
    // resolution and printable area, when asked.
    PreviewPane(const PaperSettings& settings, std::function<PageCalibration()> calibration,
                std::function<PrinterPage()> printerPage, QWidget* parent = nullptr);

    // Refreshes the preview: sizes the page box and, when its size was already right, draws
    // the page at once. A box that had to change size is drawn by the paint its new size
    // brings. Called after the zoom, the printer, the calibration or the design changed.
    void refresh();

    // What the page carries besides its lines (pictures, texture, text); none by default.
    // The layers must outlive the pane or be replaced before they go.
    void setPageLayers(const PageLayers* layers);

    QWidget* pageBox() const;
    // The page shown, from 0: the second only when switched to it with mirrored margins.
    int shownPage() const;
    // The design of the page shown: the first or, switched to, the second.
    PageDesign shownDesign() const;

    // The largest zoom at which the whole page shows in the view at once, without scroll bars.
    // At most the zoom field's maximum; below its minimum when even that page is too large.
    int fitPageZoom() const;

    // The drag, in page-box coordinates: the pressed point of the page stays under the
    // pointer while the view scrolls, within the scroll bars' limits.
    void PaintBox1MouseDown(QPoint position);
    void PaintBox1MouseMove(QPoint position);
    void PaintBox1MouseUp();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    friend class PageBox;

    // Shows the page switch exactly when the margins are mirrored.
    void followMirroring();

    QSize wantedBoxSize() const;
    // Sizes the page box; false when it had to change size.
    bool sizeBox();
    // Draws the `exposed` part of the page on the page box, from its paint event.
    void drawExposed(const QRegion& exposed);

    const PaperSettings& m_settings;
    std::function<PageCalibration()> m_calibration;
    std::function<PrinterPage()> m_printerPage;
    const PageLayers* m_layers = nullptr;
    PageBox* m_box = nullptr;
    QWidget* m_pageSwitch = nullptr;
    QButtonGroup* m_shownPage = nullptr; // its id is the page, from 0
    // The pixels of the last paint, reused so that a paint does not wait for fresh memory.
    QImage m_scratch;
    bool m_dragging = false;
    QPoint m_dragStart;
};
