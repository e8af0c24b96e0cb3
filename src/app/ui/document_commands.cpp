#include "app/ui/document_commands.h"

#include "app/ui/user_dialogs.h"
#include "document/document_file.h"
#include "settings/paper_settings.h"

#include <QWidget>

DocumentCommands::DocumentCommands(PaperSettings& settings, UserDialogs& dialogs, QWidget* window,
                                   QString startFolder)
    : QObject(window), m_settings(settings), m_dialogs(dialogs), m_window(window),
      m_startFolder(std::move(startFolder)) {}

QString DocumentCommands::fileFilter() {
    return QStringLiteral("Lineavo-Dateien (*.lvo)");
}

void DocumentCommands::NewBtnClick() {
    m_settings.resetToNew();
    emit designReplaced();
}

void DocumentCommands::OpenBtnClick() {
    const std::optional<QString> name =
        m_dialogs.openFileName(m_window, {fileFilter(), QStringLiteral("lvo"), m_startFolder});
    if (name)
        OpenFile(*name);
}

void DocumentCommands::SaveAsBtnClick() {
    const std::optional<QString> name =
        m_dialogs.saveFileName(m_window, {fileFilter(), QStringLiteral("lvo"), m_startFolder});
    if (name)
        SaveFile(*name);
}

void DocumentCommands::OpenFile(const QString& fileName) {
    if (const std::optional<QString> error = openDocument(m_settings, fileName)) {
        showFailure(*error);
        return;
    }
    emit designReplaced();
}

void DocumentCommands::SaveFile(const QString& fileName) {
    if (const std::optional<QString> error = saveDocument(m_settings, fileName))
        showFailure(*error);
}

void DocumentCommands::showFailure(const QString& message) {
    // The two plain notices come as information; anything else is an error of the file.
    if (message == DocumentMessages::couldNotOpen || message == DocumentMessages::couldNotCreate) {
        m_dialogs.showInfoMessage(m_window, message);
        return;
    }
    m_dialogs.showErrorMessage(m_window, message.endsWith(u'.') ? message : message + u'.');
}

bool DocumentCommands::FormCloseQuery() {
    return m_dialogs.confirmQuit(m_window);
}
