#include "app/ui/page_frame.h"
#include "app/ui/pages.h"
#include "app/ui/settings_controls.h"
#include "settings/ui/color_picker.h"
#include "settings/ui/real_spin_edit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QGroupBox* ruledGroup(PageContext& context) {
    QGridLayout* grid = nullptr;
    QGroupBox* group = groupWithGrid(QStringLiteral("Properties ruled paper"), grid);
    addLengthRow(context, grid, QStringLiteral("Space between lines:"), Setting::LineSpaceEd);
    grid->addWidget(flagCheckBox(context, Setting::WithoutFirstLineCheck,
                                 QStringLiteral("Leave out first line")),
                    grid->rowCount(), 0, 1, 5);
    grid->addWidget(
        flagCheckBox(context, Setting::WithoutLastLineCheck, QStringLiteral("Leave out last line")),
        grid->rowCount(), 0, 1, 5);

    // Guides for handwriting and music: each at its distance above every ruled line.
    const QString hint = QStringLiteral(
        "Distance of a guide line above each ruled line; below it when negative; 0 draws none");
    RealSpinEdit* guides[4] = {
        realEdit(context, Setting::Guide1Ed), realEdit(context, Setting::Guide2Ed),
        realEdit(context, Setting::Guide3Ed), realEdit(context, Setting::Guide4Ed)};
    for (RealSpinEdit* guide : guides)
        guide->setToolTip(hint);
    addPairRow(grid, QStringLiteral("Guides above:"), guides[0], QStringLiteral("mm"), guides[1],
               QStringLiteral("mm"));
    addPairRow(grid, QString(), guides[2], QStringLiteral("mm"), guides[3], QStringLiteral("mm"));
    addPairRow(grid, QStringLiteral("Guide color:"), colourPicker(context, Setting::GuideColor),
               QStringLiteral("Width:"), realEdit(context, Setting::GuideWidthEd),
               QStringLiteral("Points"));
    grid->addWidget(
        flagCheckBox(context, Setting::GuideDashedCheck, QStringLiteral("Dashed guide lines")),
        grid->rowCount(), 0, 1, 5);
    return group;
}

// The widgets in a row of `grid`.
std::vector<QWidget*> widgetsInRow(QGridLayout* grid, int row) {
    std::vector<QWidget*> widgets;
    for (int column = 0; column < grid->columnCount(); ++column) {
        if (QLayoutItem* item = grid->itemAtPosition(row, column); item && item->widget())
            widgets.push_back(item->widget());
    }
    return widgets;
}

// Checkered paper and the dot grid share the group; what only dots have is usable only for
// them, and the spacing is called what it is for the kind.
QGroupBox* gridGroup(PageContext& context) {
    QGridLayout* grid = nullptr;
    QGroupBox* group =
        groupWithGrid(QStringLiteral("Properties checkered paper and dot grid"), grid);
    const int spacingRow = grid->rowCount();
    RealSpinEdit* spacing =
        addLengthRow(context, grid, QStringLiteral("Space between lines:"), Setting::CaretSpaceED);
    auto* spacingCaption = qobject_cast<QLabel*>(grid->itemAtPosition(spacingRow, 0)->widget());
    spacingCaption->setBuddy(spacing);
    RealSpinEdit* every = realEdit(context, Setting::MajorEveryEd);
    every->setToolTip(QStringLiteral("0 draws no bold lines or dots"));
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(QStringLiteral("Bold every:")), row, 0);
    grid->addWidget(every, row, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("squares")), row, 2, 1, 3);
    addPairRow(grid, QStringLiteral("Bold color:"), colourPicker(context, Setting::MajorColor),
               QStringLiteral("Width:"), realEdit(context, Setting::MajorWidthEd),
               QStringLiteral("Points"));
    const int dotRow = grid->rowCount();
    addPairRow(grid, QStringLiteral("Dot size:"), realEdit(context, Setting::DotSizeEd),
               QStringLiteral("Bold:"), realEdit(context, Setting::MajorDotSizeEd),
               QStringLiteral("Points"));
    std::vector<QWidget*> dotControls = widgetsInRow(grid, dotRow);
    dotControls.push_back(
        flagCheckBox(context, Setting::DotRoundCheck, QStringLiteral("Round dots")));
    grid->addWidget(dotControls.back(), grid->rowCount(), 0, 1, 5);
    PaperSettings& settings = context.settings;
    const auto showKind = [&settings, spacingCaption, dotControls] {
        const bool dots = describe(settings.paperKind()).properties == PaperProperties::GridDots;
        spacingCaption->setText(dots ? QStringLiteral("Space between dots:")
                                     : QStringLiteral("Space between lines:"));
        for (QWidget* control : dotControls)
            control->setEnabled(dots);
    };
    showKind();
    QObject::connect(&settings, &PaperSettings::changed, group, [showKind](Setting s) {
        if (s == Setting::LiniertCheck)
            showKind();
    });
    // The rows stay together at the top when the ruled paper's group is the taller one.
    grid->setRowStretch(grid->rowCount(), 1);
    return group;
}

} // namespace

PageFrame* buildBasicPage(PageContext& context) {
    auto* page =
        new PageFrame(PageId::Basic, QStringLiteral("Basic properties - choose the paper kind"),
                      QStringLiteral("Program options..."));
    auto* layout = stackedContent(page->content());

    QGridLayout* grid = nullptr;
    QGroupBox* kind = groupWithGrid(QStringLiteral("Paper kind"), grid);
    QStringList captions;
    for (const PaperKindDescription& k : paperKinds())
        captions << QLatin1String(k.caption);
    const std::vector<QRadioButton*> kinds = radioGroup(context, Setting::LiniertCheck, captions);
    for (int i = 0; i < int(kinds.size()); ++i)
        grid->addWidget(kinds[i], 0, i);
    layout->addWidget(kind);

    // Only the properties of the chosen kind: the window keeps its size.
    QGroupBox* ruled = ruledGroup(context);
    QGroupBox* checkered = gridGroup(context);
    auto* properties = new QStackedWidget;
    properties->setObjectName(QStringLiteral("PaperKindProperties"));
    properties->addWidget(ruled);
    properties->addWidget(checkered);
    const auto groupOf = [ruled, checkered](PaperProperties shown) -> QWidget* {
        switch (shown) {
        case PaperProperties::RuledLines:
            return ruled;
        case PaperProperties::GridLines:
        case PaperProperties::GridDots:
            break;
        }
        return checkered;
    };
    PaperSettings& settings = context.settings;
    const auto showKind = [&settings, properties, groupOf] {
        properties->setCurrentWidget(groupOf(describe(settings.paperKind()).properties));
    };
    showKind();
    QObject::connect(&settings, &PaperSettings::changed, properties, [showKind](Setting s) {
        if (s == Setting::LiniertCheck)
            showKind();
    });
    layout->addWidget(properties);

    QGroupBox* lines = groupWithGrid(QStringLiteral("Line properties"), grid);
    addLinePropertiesRow(context, grid, Setting::ColvarColorComboBox1, Setting::LineWidthEd);
    layout->addWidget(lines);
    alignCaptionColumns({ruled, checkered}, {0, 2});
    layout->addStretch(1);
    return page;
}
