#include "app/ui/artwork.h"
#include "app/ui/page_frame.h"
#include "app/ui/pages.h"
#include "app/ui/settings_controls.h"
#include "settings/paper_settings.h"
#include "widgets/image_button.h"
#include "widgets/real_spin_edit.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kStripHeight = 73;
}

PageFrame* buildPrintPage(PageContext& context, PrintPageControls& controls) {
    auto* page = new PageFrame(
        PageId::Print, QStringLiteral("Print - you can print out your personal Lineavo now!"),
        QStringLiteral("Print result"));
    auto* strip = new QWidget;
    strip->setObjectName(QStringLiteral("PrintStrip"));
    strip->setFixedHeight(kStripHeight);
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(6, 4, 6, 4);

    auto* print =
        new ImageButton(printButtonPicture(), QStringLiteral("Starting the print process..."));
    print->setObjectName(QStringLiteral("PrintBtn"));
    auto* setup = new ImageButton(
        setupButtonPicture(),
        QStringLiteral("Click here, in order to select another printer or another paper format"));
    setup->setObjectName(QStringLiteral("SetupBtn"));
    auto* zoom = new RealSpinEdit(context.settings.ZoomEd);
    auto* zoomLabel = new QLabel(QStringLiteral("Zoom:"));
    zoomLabel->setBuddy(zoom);
    // A tool button: as small as its caption, so that the strip fits the window's start size.
    auto* fitPage = new QToolButton;
    fitPage->setText(QStringLiteral("Fit page"));
    fitPage->setObjectName(QStringLiteral("FitPageBtn"));
    fitPage->setToolTip(QStringLiteral("Zoom so that the whole page shows at once"));
    auto* calibrate = new QPushButton(QStringLiteral("&Calibrate printer"));
    calibrate->setObjectName(QStringLiteral("KalBtn"));

    stripLayout->addWidget(print);
    stripLayout->addWidget(setup);
    stripLayout->addWidget(zoomLabel);
    stripLayout->addWidget(zoom);
    stripLayout->addWidget(fitPage);
    stripLayout->addStretch(1);
    stripLayout->addWidget(calibrate);

    auto* previewArea = new QWidget;
    previewArea->setObjectName(QStringLiteral("previewArea"));
    auto* previewLayout = new QVBoxLayout(previewArea);
    previewLayout->setContentsMargins(0, 0, 0, 0);

    auto* layout = new QVBoxLayout(page->content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(strip);
    layout->addWidget(previewArea, 1);
    // Under the preview, which shows at once what it does; the strip has no room left.
    auto* rulerRow = new QHBoxLayout;
    rulerRow->setContentsMargins(6, 2, 6, 2);
    rulerRow->addWidget(
        flagCheckBox(context, Setting::RulerCheck, QStringLiteral("Print a 100 mm check ruler")));
    layout->addLayout(rulerRow);

    controls = {print, setup, calibrate, fitPage, previewArea};
    return page;
}
