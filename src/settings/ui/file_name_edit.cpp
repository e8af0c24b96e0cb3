#include "settings/ui/file_name_edit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

FileNameEdit::FileNameEdit(QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_browse(new QToolButton(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_browse);
    m_browse->setText(QStringLiteral("..."));
    m_browse->setToolTip(tr("Choose a picture file..."));
    setFocusProxy(m_edit);
    connect(m_edit, &QLineEdit::textEdited, this, &FileNameEdit::textEdited);
    connect(m_browse, &QToolButton::clicked, this, &FileNameEdit::browse);
}

QString FileNameEdit::text() const {
    return m_edit->text();
}

void FileNameEdit::setText(const QString& text) {
    if (m_edit->text() != text)
        m_edit->setText(text);
}

void FileNameEdit::browse() {
    if (!m_chooser)
        return;
    const std::optional<QString> chosen = m_chooser(this, m_filter, m_edit->text());
    if (!chosen || *chosen == m_edit->text())
        return;
    m_edit->setText(*chosen);
    emit textEdited(*chosen);
}

void FileNameEdit::showFailure(const QString& reason) {
    // A palette with no colour of its own set hands the field back to its parent's colours.
    QPalette colours;
    if (!reason.isEmpty())
        colours.setColor(QPalette::Text, QColor::fromRgb(kFailureColor));
    m_edit->setPalette(colours);
    m_edit->setToolTip(reason);
}
