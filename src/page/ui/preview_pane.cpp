#include "page/ui/preview_pane.h"

#include "page/draw_page.h"
#include "page/ui/page_box.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>

namespace {

// The box's size before the first sizing.
constexpr int kFirstBoxSide = 105;

const PageLayers kNoLayers;

// Moves the view by `delta`. A scroll bar takes no position below 0 nor beyond the content's
// extent less the visible part, so a drag past either limit stops there.
void scrollBy(QScrollBar& bar, int delta) {
    bar.setValue(bar.value() + delta);
}

} // namespace

PreviewPane::PreviewPane(const PaperSettings& settings,
                         std::function<PageCalibration()> calibration,
                         std::function<PrinterPage()> printerPage, QWidget* parent)
    : QScrollArea(parent), m_settings(settings), m_calibration(std::move(calibration)),
      m_printerPage(std::move(printerPage)) {
    setObjectName(QStringLiteral("ScrollBox1"));
    // The desktop's workspace colour around the page, darker than the window, so that the
    // white page stands out.
    setBackgroundRole(QPalette::Dark);
    m_box = new PageBox(*this);
    m_box->resize(kFirstBoxSide, kFirstBoxSide);
    setWidget(m_box);
    // Every new zoom resizes the box, while the user types as well.
    connect(&settings.ZoomEd, &RealField::textChanged, this, &PreviewPane::refresh);

    m_pageSwitch = new QWidget(this);
    m_pageSwitch->setObjectName(QStringLiteral("PreviewPageSwitch"));
    m_pageSwitch->setAutoFillBackground(true);
    m_pageSwitch->setBackgroundRole(QPalette::Window);
    auto* switchLayout = new QHBoxLayout(m_pageSwitch);
    switchLayout->setContentsMargins(4, 2, 4, 2);
    m_shownPage = new QButtonGroup(this);
    for (int page = 0; page < 2; ++page) {
        auto* button = new QRadioButton(QStringLiteral("Page %1").arg(page + 1));
        button->setObjectName(QStringLiteral("PreviewPage%1").arg(page + 1));
        m_shownPage->addButton(button, page);
        switchLayout->addWidget(button);
    }
    switchLayout->addStretch(1);
    m_shownPage->button(0)->setChecked(true);
    connect(m_shownPage, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            m_box->update();
    });
    connect(&settings, &PaperSettings::changed, this, [this](Setting changed) {
        if (changed == Setting::MirrorCheck)
            followMirroring();
    });
    followMirroring();
}

void PreviewPane::followMirroring() {
    const bool mirrored = m_settings.flag(Setting::MirrorCheck);
    m_pageSwitch->setVisible(mirrored);
    // The switch stands above the view rather than over the page.
    setViewportMargins(0, mirrored ? m_pageSwitch->sizeHint().height() : 0, 0, 0);
    m_box->update();
}

void PreviewPane::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    const QRect inside = contentsRect();
    m_pageSwitch->setGeometry(inside.x(), inside.y(), inside.width(),
                              m_pageSwitch->sizeHint().height());
}

int PreviewPane::shownPage() const {
    return m_settings.flag(Setting::MirrorCheck) ? m_shownPage->checkedId() : 0;
}

PageDesign PreviewPane::shownDesign() const {
    PageDesign design = pageDesignOf(m_settings);
    // The second page differs from the first in its number alone; drawing it mirrors its sides.
    design.pageNumber += shownPage();
    return design;
}

QWidget* PreviewPane::pageBox() const {
    return m_box;
}

int PreviewPane::fitPageZoom() const {
    const QSize view = maximumViewportSize();
    const PrinterPage printer = m_printerPage();
    const double largest = m_settings.ZoomEd.range().maximum;
    const QSize atHundred = previewBoxSize(printer, logicalDpiX(), 100);
    // The box grows with the zoom and is truncated, so it fits at this zoom at the most; the
    // truncation of the box at 100 % may leave a step or two to go down.
    double zoom = largest;
    if (atHundred.width() > 0)
        zoom = std::min(zoom, (view.width() + 1) * 100.0 / atHundred.width() + 1);
    if (atHundred.height() > 0)
        zoom = std::min(zoom, (view.height() + 1) * 100.0 / atHundred.height() + 1);
    int fitting = int(zoom);
    const auto fits = [&](int z) {
        const QSize box = previewBoxSize(printer, logicalDpiX(), z);
        return box.width() <= view.width() && box.height() <= view.height();
    };
    while (fitting > 1 && !fits(fitting))
        --fitting;
    return fitting;
}

void PreviewPane::setPageLayers(const PageLayers* layers) {
    m_layers = layers;
}

QSize PreviewPane::wantedBoxSize() const {
    return previewBoxSize(m_printerPage(), logicalDpiX(), m_settings.ZoomEd.value());
}

bool PreviewPane::sizeBox() {
    const QSize wanted = wantedBoxSize();
    if (m_box->size() == wanted)
        return true;
    // The scroll view adapts its ranges, and the resize brings the paint that draws.
    m_box->resize(wanted);
    return false;
}

void PreviewPane::refresh() {
    if (sizeBox())
        m_box->repaint();
}

void PreviewPane::drawExposed(const QRegion& exposed) {
    // The box already has the size of this scale's surface: the paint comes after sizeBox().
    const PageScale scale =
        previewScale(m_printerPage(), m_calibration(), logicalDpiX(), m_settings.ZoomEd.value());
    const PageLayers& layers = m_layers ? *m_layers : kNoLayers;

    const PageDesign design = shownDesign();
    QPainter painter(m_box);
    for (const QRect& rect : exposed) {
        const QRect part = rect.intersected(m_box->rect());
        if (part.isEmpty())
            continue;
        // The page's first step covers the surface with white, so the pixels of an earlier
        // paint need no clearing.
        if (m_scratch.size() != part.size())
            m_scratch = QImage(part.size(), QImage::Format_RGB32);
        ImageSurface surface(std::move(m_scratch), part.topLeft());
        DrawPage(surface, scale, design, layers);
        painter.drawImage(part.topLeft(), surface.image());
        m_scratch = surface.image();
    }
}

void PreviewPane::PaintBox1MouseDown(QPoint position) {
    m_dragging = true;
    m_dragStart = position;
}

void PreviewPane::PaintBox1MouseMove(QPoint position) {
    if (!m_dragging)
        return;
    // The box moves with the view, so the pressed point stays under the pointer.
    scrollBy(*horizontalScrollBar(), m_dragStart.x() - position.x());
    scrollBy(*verticalScrollBar(), m_dragStart.y() - position.y());
}

void PreviewPane::PaintBox1MouseUp() {
    m_dragging = false;
}
