#include "app/ui/about_box.h"

#include "app/ui/artwork.h"
#include "app/ui/web_address.h"
#include "program_version.h"
#include "widgets/fixed_size_dialog.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const QColor kTan(240, 202, 166);

QLabel* wrappedLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Info"));

    auto* panel = new QWidget;
    panel->setAutoFillBackground(true);
    QPalette tan = panel->palette();
    tan.setColor(QPalette::Window, kTan);
    panel->setPalette(tan);

    auto* picture = new QLabel;
    picture->setPixmap(aboutPicture({220, 330}));
    picture->setAlignment(Qt::AlignCenter);

    auto* headline = new QLabel(QStringLiteral("Tolvane - software for paper and pen"));
    QFont headlineFont(QStringLiteral("Arial Narrow"));
    headlineFont.setBold(true);
    headlineFont.setPixelSize(24);
    headline->setFont(headlineFont);
    headline->setWordWrap(true);

    m_notice = wrappedLabel(QStringLiteral("Lineavo-Pressolo " LINEAVO_VERSION
                                           " - Copyright (C) XXXX Tolvane. All rights reserved."));
    // The year comes from the clock each time the box opens.
    QString notice = m_notice->text();
    const qsizetype marker = notice.indexOf(QStringLiteral("XXXX"));
    if (marker >= 0)
        notice.replace(marker, 4, QString::number(QDate::currentDate().year()));
    m_notice->setText(notice);

    auto* web = new QPushButton(webIcon(), QStringLiteral("Visit the Tolvane homepage"));
    web->setObjectName(QStringLiteral("BitBtnXP1"));
    connect(web, &QPushButton::clicked, this, [] { openWebAddress(); });

    auto* text = new QVBoxLayout;
    text->addWidget(headline);
    text->addWidget(m_notice);
    text->addSpacing(8);
    text->addWidget(wrappedLabel(QStringLiteral(
        "Tolvane makes small programs for the things people still do on paper: writing "
        "letters, keeping notes and planning the week.")));
    text->addWidget(wrappedLabel(QStringLiteral(
        "With Lineavo-Pressolo you design your own writing paper - ruled, checkered or a dot grid, "
        "with "
        "margins, a logo, a background and a line of your own - and print it at home.")));
    text->addWidget(wrappedLabel(QStringLiteral(
        "Other programs of ours help you lay out labels, greeting cards and calendars.")));
    text->addStretch(1);
    text->addWidget(web, 0, Qt::AlignLeft);

    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(12, 12, 12, 12);
    panelLayout->setSpacing(16);
    panelLayout->addWidget(picture);
    panelLayout->addLayout(text, 1);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setMinimumSize(160, 36);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(panel, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    fixDialogSize(*this, QSize(664, 453));
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

QString TAboutBox::noticeText() const {
    return m_notice->text();
}
