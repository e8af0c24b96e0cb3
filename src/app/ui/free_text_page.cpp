#include "app/ui/page_frame.h"
#include "app/ui/pages.h"
#include "app/ui/settings_controls.h"
#include "widgets/real_spin_edit.h"
#include "widgets/user_dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Four choices in two rows of two from `row` on, the second column taking the rest of the row.
void addInTwoColumns(QGridLayout* grid, const std::vector<QRadioButton*>& buttons, int row) {
    for (int i = 0; i < int(buttons.size()); ++i) {
        if (i % 2 == 0)
            grid->addWidget(buttons[i], row + i / 2, 0);
        else
            grid->addWidget(buttons[i], row + i / 2, 1, 1, 4);
    }
}

void addFieldRow(QGridLayout* grid, const QString& caption, QWidget* field) {
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(caption), row, 0);
    grid->addWidget(field, row, 1, Qt::AlignLeft);
}

} // namespace

PageFrame* buildFreeTextPage(PageContext& context) {
    auto* page =
        new PageFrame(PageId::FreeText,
                      QStringLiteral("Free text - insert a free text on the bottom of the page"),
                      QStringLiteral("Insert a free text..."));
    auto* layout = stackedContent(page->content());
    QGridLayout* grid = nullptr;
    QGroupBox* text = groupWithGrid(QStringLiteral("Free text"), grid);
    grid->addWidget(new QLabel(QStringLiteral("Free text:")), 0, 0);
    grid->addWidget(textEdit(context, Setting::Edit1), 1, 0, 1, 6);

    auto* fontButton = new QPushButton(QStringLiteral("Font..."));
    fontButton->setObjectName(QStringLiteral("FontBtn"));
    fontButton->setToolTip(QStringLiteral("Choose the font of the free text..."));
    grid->addWidget(fontButton, 2, 0, Qt::AlignLeft);
    PaperSettings& settings = context.settings;
    UserDialogs& dialogs = context.dialogs;
    QWidget* window = context.window;
    QObject::connect(fontButton, &QPushButton::clicked, &settings, [&settings, &dialogs, window] {
        if (const std::optional<FreeTextFont> font = dialogs.chooseFont(window, settings.font()))
            settings.setFont(*font);
    });
    layout->addWidget(text);

    // A notebook's pages are numbered from the first number on; one page is that number.
    QGroupBox* numbers = groupWithGrid(QStringLiteral("Page numbers"), grid);
    const std::vector<QRadioButton*> positions =
        radioGroup(context, Setting::PageNumberPos,
                   {QStringLiteral("None"), QStringLiteral("Bottom centre"),
                    QStringLiteral("Bottom outside"), QStringLiteral("Top outside")});
    addInTwoColumns(grid, positions, 0);
    addFieldRow(grid, QStringLiteral("First number:"),
                realEdit(context, Setting::PageNumberStartEd));
    addLengthRow(context, grid, QStringLiteral("From the edge:"), Setting::PageNumberMarginEd);
    layout->addWidget(numbers);

    // Sheets printed on both sides keep their binding margin, and their holes, on one edge. The
    // edges page has no room left in the window, so the binding stands with the page numbers.
    QGroupBox* binding = groupWithGrid(QStringLiteral("Binding"), grid);
    grid->addWidget(
        flagCheckBox(context, Setting::MirrorCheck, QStringLiteral("Mirror margins on even pages")),
        0, 0, 1, 5);
    const std::vector<QRadioButton*> holes =
        radioGroup(context, Setting::HolesPattern,
                   {QStringLiteral("No punch holes"), QStringLiteral("2 holes, 80 mm"),
                    QStringLiteral("4 holes, 80 mm"), QStringLiteral("3 holes, 108 mm")});
    addInTwoColumns(grid, holes, 1);
    layout->addWidget(binding);
    layout->addStretch(1);
    alignCaptionColumns({numbers, binding});
    return page;
}
