#include "app/ui/page_frame.h"
#include "app/ui/pages.h"
#include "app/ui/settings_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

PageFrame* buildPicturePage(PageContext& context, QAbstractButton*& preview) {
    auto* page = new PageFrame(
        PageId::Picture,
        QStringLiteral("Insert picture - put a little logo or something like this on the paper"),
        QStringLiteral("Insert picture..."));
    auto* layout = stackedContent(page->content());
    QGridLayout* grid = nullptr;

    QGroupBox* open = openPictureGroup(context, Setting::FilenameEdit1, "PreViewBtn", preview);
    layout->addWidget(open);

    QGroupBox* position = groupWithGrid(QStringLiteral("Position of the picture"), grid);
    const std::vector<QRadioButton*> corners =
        radioGroup(context, Setting::obenlinks,
                   {QStringLiteral("Top left"), QStringLiteral("Top right"),
                    QStringLiteral("Bottom left"), QStringLiteral("Bottom right")});
    grid->addWidget(corners[0], 0, 0);
    grid->addWidget(corners[1], 0, 1, 1, 4);
    grid->addWidget(corners[2], 1, 0);
    grid->addWidget(corners[3], 1, 1, 1, 4);
    addLengthRow(context, grid, QStringLiteral("Horizontal space:"), Setting::PosXEd);
    addLengthRow(context, grid, QStringLiteral("Vertical space:"), Setting::PosYEd);
    layout->addWidget(position);

    QGroupBox* size =
        pictureSizeGroup(context, Setting::BreitEd, Setting::HochEd, Setting::SVerhCheck);
    layout->addWidget(size);
    layout->addStretch(1);
    alignCaptionColumns({open, position, size});
    return page;
}
