#include "app/ui/page_frame.h"
#include "app/ui/pages.h"
#include "app/ui/settings_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

PageFrame* buildTexturePage(PageContext& context) {
    auto* page = new PageFrame(
        PageId::Texture,
        QStringLiteral("Background texture - choose a background for your writing paper"),
        QStringLiteral("Background texture..."));
    PaperSettings& settings = context.settings;
    auto* layout = stackedContent(page->content());
    QGridLayout* grid = nullptr;

    QGroupBox* open =
        openPictureGroup(context, Text::FilenameEdit2, QStringLiteral("FilenameEdit2"));
    layout->addWidget(open);

    QGroupBox* size = pictureSizeGroup(context, {settings.BreitEd2, settings.BreitinEd2,
                                                 settings.HochEd2, settings.HochinEd2,
                                                 Flag::SVerh2Check, QStringLiteral("SVerh2Check")});
    layout->addWidget(size);

    QGroupBox* filters = groupWithGrid(QStringLiteral("Texture options"), grid);
    grid->addWidget(flagCheckBox(context, Flag::GrayScaleCheck, QStringLiteral("GrayScaleCheck"),
                                 QStringLiteral("Grayscale texture")),
                    0, 0);
    grid->addWidget(flagCheckBox(context, Flag::LightenCheck, QStringLiteral("LightenCheck"),
                                 QStringLiteral("Lighten texture")),
                    0, 1);
    grid->addWidget(flagCheckBox(context, Flag::StrongLightCheck,
                                 QStringLiteral("StrongLightCheck"),
                                 QStringLiteral("Very strong lightening")),
                    1, 0, 1, 2);
    layout->addWidget(filters);

    QGroupBox* merge = groupWithGrid(QStringLiteral("Combine with line color"), grid);
    QRadioButton* none =
        radioButton(QStringLiteral("NOMergeCheck"), QStringLiteral("No combination"));
    QRadioButton* combine =
        radioButton(QStringLiteral("Merge1Check"), QStringLiteral("Combine colors"));
    QRadioButton* invert =
        radioButton(QStringLiteral("Merge2Check"), QStringLiteral("Invert background color"));
    grid->addWidget(none, 0, 0);
    grid->addWidget(combine, 0, 1);
    grid->addWidget(invert, 1, 0, 1, 2);
    bindRadioGroup(context, {none, combine, invert},
                   {[&settings] { return int(settings.mergeMode()); },
                    [&settings](int id) { settings.setMergeMode(MergeMode(id)); },
                    &PaperSettings::mergeModeChanged});
    layout->addWidget(merge);
    layout->addStretch(1);
    return page;
}
