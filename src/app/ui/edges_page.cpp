#include "app/ui/page_frame.h"
#include "app/ui/pages.h"
#include "app/ui/settings_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

PageFrame* buildEdgesPage(PageContext& context) {
    auto* page = new PageFrame(PageId::Edges,
                               QStringLiteral("Edges - choose the settings for the edge lines"),
                               QStringLiteral("Edge properties"));
    auto* layout = stackedContent(page->content());
    QGridLayout* grid = nullptr;

    QGroupBox* left = groupWithGrid(QStringLiteral("Left edge"), grid);
    addLengthRow(context, grid, QStringLiteral("Width:"), Setting::LeftBorderEd);
    grid->addWidget(flagCheckBox(context, Setting::LeftBorderLineCheck,
                                 QStringLiteral("Draw line for left border")),
                    grid->rowCount(), 0, 1, 5);
    grid->addWidget(flagCheckBox(context, Setting::NoLeftBorderFillCheck,
                                 QStringLiteral("No line patterns on the edges")),
                    grid->rowCount(), 0, 1, 5);
    layout->addWidget(left);

    QGroupBox* right = groupWithGrid(QStringLiteral("Right edge"), grid);
    addLengthRow(context, grid, QStringLiteral("Width:"), Setting::RightBorderEd);
    grid->addWidget(flagCheckBox(context, Setting::RightBorderLineCheck,
                                 QStringLiteral("Draw line for right border")),
                    grid->rowCount(), 0, 1, 5);
    grid->addWidget(flagCheckBox(context, Setting::NoRightBorderFillCheck,
                                 QStringLiteral("No line patterns on the edges")),
                    grid->rowCount(), 0, 1, 5);
    layout->addWidget(right);

    QGroupBox* lines = groupWithGrid(QStringLiteral("Line properties"), grid);
    addLinePropertiesRow(context, grid, Setting::ColvarColorComboBox3, Setting::RRLineWidthED);
    layout->addWidget(lines);

    QGroupBox* ruled = groupWithGrid(QStringLiteral("Additional edge for ruled paper"), grid);
    addLengthRow(context, grid, QStringLiteral("Top:"), Setting::BorderTopEd);
    addLengthRow(context, grid, QStringLiteral("Bottom:"), Setting::BorderBottomEd);
    layout->addWidget(ruled);
    layout->addStretch(1);
    alignCaptionColumns({left, right, lines, ruled});
    return page;
}
