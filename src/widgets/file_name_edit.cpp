#include "widgets/file_name_edit.h"

#include <QDropEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QToolButton>

std::optional<QString> droppedLocalFile(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return std::nullopt;
    const QString path = urls.first().toLocalFile();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

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
    // The line edit would paste a dragged file's address as text at the cursor.
    setAcceptDrops(true);
    m_edit->installEventFilter(this);
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
    if (chosen)
        chooseName(*chosen);
}

void FileNameEdit::chooseName(const QString& name) {
    if (name == m_edit->text())
        return;
    m_edit->setText(name);
    emit textEdited(name);
}

bool FileNameEdit::takeFileDrop(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    // The enter and move events derive from the drop event.
    auto* drop = static_cast<QDropEvent*>(event);
    const std::optional<QString> file = droppedLocalFile(drop->mimeData());
    if (!file)
        return false;
    drop->acceptProposedAction();
    if (type == QEvent::Drop)
        chooseName(*file);
    return true;
}

bool FileNameEdit::event(QEvent* event) {
    return takeFileDrop(event) || QWidget::event(event);
}

bool FileNameEdit::eventFilter(QObject* watched, QEvent* event) {
    return (watched == m_edit && takeFileDrop(event)) || QWidget::eventFilter(watched, event);
}

void FileNameEdit::showFailure(const QString& reason) {
    // A palette with no colour of its own set hands the field back to its parent's colours.
    QPalette colours;
    if (!reason.isEmpty())
        colours.setColor(QPalette::Text, QColor::fromRgb(kFailureColor));
    m_edit->setPalette(colours);
    m_edit->setToolTip(reason);
}
