#include "app/ui/page_frame.h"
#include "app/ui/pages.h"
#include "app/ui/settings_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

PageFrame* buildBasicPage(PageContext& context) {
    auto* page =
        new PageFrame(PageId::Basic, QStringLiteral("Basic properties - choose the paper kind"),
                      QStringLiteral("Program options..."));
    PaperSettings& settings = context.settings;
    auto* layout = stackedContent(page->content());

    QGridLayout* grid = nullptr;
    QGroupBox* kind = groupWithGrid(QStringLiteral("Paper kind"), grid);
    QRadioButton* ruled =
        radioButton(QStringLiteral("LiniertCheck"), QStringLiteral("Ruled paper"));
    QRadioButton* checkered =
        radioButton(QStringLiteral("KariertCheck"), QStringLiteral("Checkered paper"));
    grid->addWidget(ruled, 0, 0);
    grid->addWidget(checkered, 0, 1);
    bindRadioGroup(context, {ruled, checkered},
                   {[&settings] { return int(settings.paperKind()); },
                    [&settings](int id) { settings.setPaperKind(PaperKind(id)); },
                    &PaperSettings::paperKindChanged});
    layout->addWidget(kind);

    QGroupBox* ruledGroup = groupWithGrid(QStringLiteral("Properties ruled paper"), grid);
    addLengthRow(context, grid, QStringLiteral("Space between lines:"), settings.LineSpaceEd,
                 settings.LineSpaceinEd, QStringLiteral("mm"));
    grid->addWidget(flagCheckBox(context, Flag::WithoutFirstLineCheck,
                                 QStringLiteral("WithoutFirstLineCheck"),
                                 QStringLiteral("Leave out first line")),
                    grid->rowCount(), 0, 1, 5);
    grid->addWidget(flagCheckBox(context, Flag::WithoutLastLineCheck,
                                 QStringLiteral("WithoutLastLineCheck"),
                                 QStringLiteral("Leave out last line")),
                    grid->rowCount(), 0, 1, 5);
    layout->addWidget(ruledGroup);

    QGroupBox* checkeredGroup = groupWithGrid(QStringLiteral("Properties checkered paper"), grid);
    addLengthRow(context, grid, QStringLiteral("Space between lines:"), settings.CaretSpaceED,
                 settings.CaretSpaceinED, QStringLiteral("mm"));
    layout->addWidget(checkeredGroup);

    QGroupBox* lines = groupWithGrid(QStringLiteral("Line properties"), grid);
    addLinePropertiesRow(context, grid, Colour::ColvarColorComboBox1,
                         QStringLiteral("ColvarColorComboBox1"), settings.LineWidthEd);
    layout->addWidget(lines);
    layout->addStretch(1);
    return page;
}
