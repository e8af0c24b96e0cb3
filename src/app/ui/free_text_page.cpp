#include "app/ui/page_frame.h"
#include "app/ui/pages.h"
#include "app/ui/settings_controls.h"
#include "ui/user_dialogs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
    layout->addStretch(1);
    return page;
}
