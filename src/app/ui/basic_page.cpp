#include "app/ui/page_frame.h"
#include "app/ui/pages.h"
#include "app/ui/settings_controls.h"
#include "widgets/color_picker.h"
#include "widgets/real_spin_edit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// A value of a kind of lines, with its name before it and its unit after it.
struct NamedValue {
    const char* name;
    RealSpinEdit* edit;
    const char* unit;
};

QLabel* nameOf(const NamedValue& value) {
    auto* name = new QLabel(QLatin1String(value.name));
    name->setBuddy(value.edit);
    return name;
}

// "name [value] unit  name [value] unit" in rows of `grid`, each row a kind's two values: the
// first name in the caption column, the rest in a grid of their own, so that the second name
// takes the room the first unit leaves and the fields still stand in columns.
void addValuePairRows(QGridLayout* grid,
                      std::initializer_list<std::pair<NamedValue, NamedValue>> rows) {
    const int firstRow = grid->rowCount();
    auto* values = new QGridLayout;
    values->setHorizontalSpacing(grid->horizontalSpacing());
    values->setVerticalSpacing(grid->verticalSpacing());
    int row = 0;
    for (const auto& [first, second] : rows) {
        grid->addWidget(nameOf(first), firstRow + row, 0);
        values->addWidget(first.edit, row, 0);
        values->addWidget(new QLabel(QString::fromUtf8(first.unit)), row, 1);
        values->addWidget(nameOf(second), row, 2);
        values->addWidget(second.edit, row, 3);
        values->addWidget(new QLabel(QString::fromUtf8(second.unit)), row, 4);
        ++row;
    }
    values->setColumnStretch(5, 1);
    grid->addLayout(values, firstRow, 1, row, 5);
}

QGroupBox* ruledGroup(PageContext& context) {
    QGridLayout* grid = nullptr;
    QGroupBox* group = groupWithGrid(QStringLiteral("Properties ruled paper"), grid);
    addLengthRow(context, grid, QStringLiteral("Space between lines:"), Setting::LineSpaceEd);
    // Side by side, to leave room for the kinds of ruled paper below.
    const int leaveOutRow = grid->rowCount();
    grid->addWidget(flagCheckBox(context, Setting::WithoutFirstLineCheck,
                                 QStringLiteral("Leave out first line")),
                    leaveOutRow, 0, 1, 2);
    grid->addWidget(
        flagCheckBox(context, Setting::WithoutLastLineCheck, QStringLiteral("Leave out last line")),
        leaveOutRow, 2, 1, 3);

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

    // Dashed guides, slant guides for italic and copperplate hands, and the areas of Cornell
    // notes: their switches share a row, so that the window keeps its size with every value
    // named.
    auto* switches = new QHBoxLayout;
    switches->addWidget(
        flagCheckBox(context, Setting::GuideDashedCheck, QStringLiteral("Dashed guide lines")));
    switches->addWidget(flagCheckBox(context, Setting::SlantCheck, QStringLiteral("Slant lines")));
    switches->addWidget(
        flagCheckBox(context, Setting::CornellCheck, QStringLiteral("Cornell notes")));
    switches->addStretch(1);
    grid->addLayout(switches, grid->rowCount(), 0, 1, 6);
    const auto hinted = [&context](Setting setting, const char* hint) {
        RealSpinEdit* edit = realEdit(context, setting);
        edit->setToolTip(QLatin1String(hint));
        return edit;
    };
    addValuePairRows(
        grid,
        {{{"Slant angle:",
           hinted(Setting::SlantAngleEd, "Angle of the slant lines from the ruled lines"), "°"},
          {"Spacing:",
           hinted(Setting::SlantSpaceEd, "Distance between slant lines along a ruled line"), "mm"}},
         // The longer name in the caption column, where there is room for it.
         {{"Summary height:",
           hinted(Setting::SummaryHeightEd, "Height of the summary area above the bottom"), "cm"},
          {"Cue width:",
           hinted(Setting::CueWidthEd, "Width of the cue column right of the left edge"), "cm"}}});
    return group;
}

// A lattice's own copy of controls that another kind's group shows too: bound to the same
// settings, but named apart, so that each setting names one control of the window.
void nameAsCopies(QWidget* group, const QString& prefix) {
    for (QWidget* control : group->findChildren<QWidget*>()) {
        if (!control->objectName().isEmpty())
            control->setObjectName(prefix + u'.' + control->objectName());
    }
}

// Isometric paper: its spacing is the ruled paper's line spacing; as dots, the dot grid's dots.
QGroupBox* isometricGroup(PageContext& context) {
    QGridLayout* grid = nullptr;
    QGroupBox* group = groupWithGrid(QStringLiteral("Properties isometric paper"), grid);
    addLengthRow(context, grid, QStringLiteral("Space between lines:"), Setting::LineSpaceEd);
    RealSpinEdit* dotSize = realEdit(context, Setting::DotSizeEd);
    QCheckBox* round = flagCheckBox(context, Setting::DotRoundCheck, QStringLiteral("Round dots"));
    const int dotsRow = grid->rowCount();
    const int dotSizeRow = dotsRow + 1;
    grid->addWidget(new QLabel(QStringLiteral("Dot size:")), dotSizeRow, 0);
    grid->addWidget(dotSize, dotSizeRow, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("Points")), dotSizeRow, 2);
    grid->addWidget(round, dotSizeRow, 3, 1, 2);
    nameAsCopies(group, QStringLiteral("Isometric"));
    grid->addWidget(flagCheckBox(context, Setting::IsoDotsCheck, QStringLiteral("Dots only")),
                    dotsRow, 0, 1, 5);
    PaperSettings& settings = context.settings;
    const auto showDots = [&settings, dotSize, round] {
        const bool dots = settings.flag(Setting::IsoDotsCheck);
        dotSize->setEnabled(dots);
        round->setEnabled(dots);
    };
    showDots();
    QObject::connect(&settings, &PaperSettings::changed, group, [showDots](Setting s) {
        if (s == Setting::IsoDotsCheck)
            showDots();
    });
    grid->setRowStretch(grid->rowCount(), 1);
    return group;
}

// Hexagonal paper: the ruled paper's line spacing is the length of a hexagon's side.
QGroupBox* hexagonalGroup(PageContext& context) {
    QGridLayout* grid = nullptr;
    QGroupBox* group = groupWithGrid(QStringLiteral("Properties hexagonal paper"), grid);
    addLengthRow(context, grid, QStringLiteral("Length of a side:"), Setting::LineSpaceEd);
    nameAsCopies(group, QStringLiteral("Hexagonal"));
    grid->addWidget(flagCheckBox(context, Setting::HexPointyCheck, QStringLiteral("Pointy top")),
                    grid->rowCount(), 0, 1, 5);
    grid->setRowStretch(grid->rowCount(), 1);
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
    // Millimetre paper's centimetres: a second, heavier weight over the bold one.
    RealSpinEdit* every2 = realEdit(context, Setting::Major2EveryEd);
    every2->setToolTip(QStringLiteral("0 draws no lines or dots in the second weight"));
    const int row2 = grid->rowCount();
    grid->addWidget(new QLabel(QStringLiteral("2nd bold every:")), row2, 0);
    grid->addWidget(every2, row2, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("squares")), row2, 2, 1, 3);
    addPairRow(grid, QStringLiteral("2nd bold color:"), colourPicker(context, Setting::Major2Color),
               QStringLiteral("Width:"), realEdit(context, Setting::Major2WidthEd),
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
        grid->addWidget(kinds[i], i / 3, i % 3);
    layout->addWidget(kind);

    // Only the properties of the chosen kind: the window keeps its size.
    QGroupBox* ruled = ruledGroup(context);
    QGroupBox* checkered = gridGroup(context);
    QGroupBox* isometric = isometricGroup(context);
    QGroupBox* hexagonal = hexagonalGroup(context);
    auto* properties = new QStackedWidget;
    properties->setObjectName(QStringLiteral("PaperKindProperties"));
    for (QGroupBox* group : {ruled, checkered, isometric, hexagonal})
        properties->addWidget(group);
    const auto groupOf = [=](PaperProperties shown) -> QWidget* {
        switch (shown) {
        case PaperProperties::RuledLines:
            return ruled;
        case PaperProperties::GridLines:
        case PaperProperties::GridDots:
            break;
        case PaperProperties::IsometricLattice:
            return isometric;
        case PaperProperties::HexagonalLattice:
            return hexagonal;
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
    alignCaptionColumns({ruled, checkered, isometric, hexagonal}, {0, 2});
    layout->addStretch(1);
    return page;
}
