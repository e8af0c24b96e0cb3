#include "app/ui/page_frame.h"
#include "app/ui/pages.h"
#include "app/ui/settings_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

PageFrame* buildTexturePage(PageContext& context, QAbstractButton*& preview) {
    auto* page = new PageFrame(
        PageId::Texture,
        QStringLiteral("Background texture - choose a background for your writing paper"),
        QStringLiteral("Background texture..."));
    auto* layout = stackedContent(page->content());
    QGridLayout* grid = nullptr;

    QGroupBox* open = openPictureGroup(context, Setting::FilenameEdit2, "PreViewBtn2", preview);
    layout->addWidget(open);

    QGroupBox* size =
        pictureSizeGroup(context, Setting::BreitEd2, Setting::HochEd2, Setting::SVerh2Check);
    layout->addWidget(size);

    QGroupBox* filters = groupWithGrid(QStringLiteral("Visibility settings"), grid);
    grid->addWidget(
        flagCheckBox(context, Setting::GrayScaleCheck, QStringLiteral("Grayscale texture")), 0, 0);
    grid->addWidget(flagCheckBox(context, Setting::LightenCheck, QStringLiteral("Lighten texture")),
                    0, 1);
    grid->addWidget(
        flagCheckBox(context, Setting::StrongLightCheck, QStringLiteral("Very strong lightening")),
        1, 0, 1, 2);
    layout->addWidget(filters);

    QGroupBox* merge = groupWithGrid(QStringLiteral("Combine with line color"), grid);
    const std::vector<QRadioButton*> modes =
        radioGroup(context, Setting::NOMergeCheck,
                   {QStringLiteral("No combination"), QStringLiteral("Combine colors"),
                    QStringLiteral("Invert background color")});
    grid->addWidget(modes[0], 0, 0);
    grid->addWidget(modes[1], 0, 1);
    grid->addWidget(modes[2], 1, 0, 1, 2);
    layout->addWidget(merge);
    layout->addStretch(1);
    return page;
}
