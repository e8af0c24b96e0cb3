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
    auto* layout = stackedContent(page->content());

    QGridLayout* grid = nullptr;
    QGroupBox* kind = groupWithGrid(QStringLiteral("Paper kind"), grid);
    const std::vector<QRadioButton*> kinds =
        radioGroup(context, Setting::LiniertCheck,
                   {QStringLiteral("Ruled paper"), QStringLiteral("Checkered paper")});
    grid->addWidget(kinds[0], 0, 0);
    grid->addWidget(kinds[1], 0, 1);
    layout->addWidget(kind);

    QGroupBox* ruledGroup = groupWithGrid(QStringLiteral("Properties ruled paper"), grid);
    addLengthRow(context, grid, QStringLiteral("Space between lines:"), Setting::LineSpaceEd);
    grid->addWidget(flagCheckBox(context, Setting::WithoutFirstLineCheck,
                                 QStringLiteral("Leave out first line")),
                    grid->rowCount(), 0, 1, 5);
    grid->addWidget(
        flagCheckBox(context, Setting::WithoutLastLineCheck, QStringLiteral("Leave out last line")),
        grid->rowCount(), 0, 1, 5);
    layout->addWidget(ruledGroup);

    QGroupBox* checkeredGroup = groupWithGrid(QStringLiteral("Properties checkered paper"), grid);
    addLengthRow(context, grid, QStringLiteral("Space between lines:"), Setting::CaretSpaceED);
    layout->addWidget(checkeredGroup);

    QGroupBox* lines = groupWithGrid(QStringLiteral("Line properties"), grid);
    addLinePropertiesRow(context, grid, Setting::ColvarColorComboBox1, Setting::LineWidthEd);
    layout->addWidget(lines);
    layout->addStretch(1);
    return page;
}
