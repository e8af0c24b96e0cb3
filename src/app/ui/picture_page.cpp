#include "app/ui/page_frame.h"
#include "app/ui/pages.h"
#include "app/ui/settings_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

PageFrame* buildPicturePage(PageContext& context) {
    auto* page = new PageFrame(
        PageId::Picture,
        QStringLiteral("Insert picture - put a little logo or something like this on the paper"),
        QStringLiteral("Insert picture..."));
    PaperSettings& settings = context.settings;
    auto* layout = stackedContent(page->content());
    QGridLayout* grid = nullptr;

    QGroupBox* open =
        openPictureGroup(context, Text::FilenameEdit1, QStringLiteral("FilenameEdit1"));
    layout->addWidget(open);

    QGroupBox* position = groupWithGrid(QStringLiteral("Position of the picture"), grid);
    QRadioButton* topLeft = radioButton(QStringLiteral("obenlinks"), QStringLiteral("Top left"));
    QRadioButton* topRight = radioButton(QStringLiteral("obenrechts"), QStringLiteral("Top right"));
    QRadioButton* bottomLeft =
        radioButton(QStringLiteral("untenlinks"), QStringLiteral("Bottom left"));
    QRadioButton* bottomRight =
        radioButton(QStringLiteral("untenrechts"), QStringLiteral("Bottom right"));
    grid->addWidget(topLeft, 0, 0);
    grid->addWidget(topRight, 0, 1, 1, 4);
    grid->addWidget(bottomLeft, 1, 0);
    grid->addWidget(bottomRight, 1, 1, 1, 4);
    bindRadioGroup(context, {topLeft, topRight, bottomLeft, bottomRight},
                   {[&settings] { return int(settings.pictureCorner()); },
                    [&settings](int id) { settings.setPictureCorner(PictureCorner(id)); },
                    &PaperSettings::pictureCornerChanged});
    addLengthRow(context, grid, QStringLiteral("Horizontal space:"), settings.PosXEd,
                 settings.PosXinEd, QStringLiteral("cm"));
    addLengthRow(context, grid, QStringLiteral("Vertical space:"), settings.PosYEd,
                 settings.PosYinEd, QStringLiteral("cm"));
    layout->addWidget(position);

    QGroupBox* size = pictureSizeGroup(context, {settings.BreitEd, settings.BreitinEd,
                                                 settings.HochEd, settings.HochinEd,
                                                 Flag::SVerhCheck, QStringLiteral("SVerhCheck")});
    layout->addWidget(size);
    layout->addStretch(1);
    alignCaptionColumns({open, position, size});
    return page;
}
