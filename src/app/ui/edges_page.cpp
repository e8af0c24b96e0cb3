#include "app/ui/page_frame.h"
#include "app/ui/pages.h"
#include "app/ui/settings_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

PageFrame* buildEdgesPage(PageContext& context) {
    auto* page = new PageFrame(PageId::Edges,
                               QStringLiteral("Egdes - choose the settings for the egde lines"),
                               QStringLiteral("Edge properties"));
    PaperSettings& settings = context.settings;
    auto* layout = stackedContent(page->content());
    QGridLayout* grid = nullptr;

    QGroupBox* left = groupWithGrid(QStringLiteral("Left edge"), grid);
    addLengthRow(context, grid, QStringLiteral("Width:"), settings.LeftBorderEd,
                 settings.LeftBorderinEd, QStringLiteral("cm"));
    grid->addWidget(flagCheckBox(context, Flag::LeftBorderLineCheck,
                                 QStringLiteral("LeftBorderLineCheck"),
                                 QStringLiteral("Draw line for left border")),
                    grid->rowCount(), 0, 1, 5);
    grid->addWidget(flagCheckBox(context, Flag::NoLeftBorderFillCheck,
                                 QStringLiteral("NoLeftBorderFillCheck"),
                                 QStringLiteral("No line patterns on the edges")),
                    grid->rowCount(), 0, 1, 5);
    layout->addWidget(left);

    QGroupBox* right = groupWithGrid(QStringLiteral("Right edge"), grid);
    addLengthRow(context, grid, QStringLiteral("Width:"), settings.RightBorderEd,
                 settings.RightBorderinEd, QStringLiteral("cm"));
    grid->addWidget(flagCheckBox(context, Flag::RightBorderLineCheck,
                                 QStringLiteral("RightBorderLineCheck"),
                                 QStringLiteral("Draw line for right border")),
                    grid->rowCount(), 0, 1, 5);
    grid->addWidget(flagCheckBox(context, Flag::NoRightBorderFillCheck,
                                 QStringLiteral("NoRightBorderFillCheck"),
                                 QStringLiteral("No line patterns on the edges")),
                    grid->rowCount(), 0, 1, 5);
    layout->addWidget(right);

    QGroupBox* lines = groupWithGrid(QStringLiteral("Line properties"), grid);
    addLinePropertiesRow(context, grid, Colour::ColvarColorComboBox3,
                         QStringLiteral("ColvarColorComboBox3"), settings.RRLineWidthED);
    layout->addWidget(lines);

    QGroupBox* ruled = groupWithGrid(QStringLiteral("Additional edge for ruled paper"), grid);
    addLengthRow(context, grid, QStringLiteral("Top:"), settings.BorderTopEd,
                 settings.BorderTopinEd, QStringLiteral("cm"));
    addLengthRow(context, grid, QStringLiteral("Bottom:"), settings.BorderBottomEd,
                 settings.BorderBottominEd, QStringLiteral("cm"));
    layout->addWidget(ruled);
    layout->addStretch(1);
    alignCaptionColumns({left, right, lines, ruled});
    return page;
}
