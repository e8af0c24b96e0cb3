#include "app/ui/document_commands.h"

#include "app/ui/picture_loader.h"
#include "app/ui/user_dialogs.h"
#include "document/document_file.h"
#include "settings/paper_settings.h"
#include "settings/presets.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

DocumentCommands::DocumentCommands(PaperSettings& settings, PictureLoader& pictures,
                                   UserDialogs& dialogs, QWidget* window)
    : QObject(window), m_settings(settings), m_pictures(pictures), m_dialogs(dialogs),
      m_window(window) {}

QString DocumentCommands::fileFilter() {
    return QStringLiteral("Lineavo designs (*.lvo)");
}

void DocumentCommands::NewBtnClick() {
    m_pictures.replaceDesign([this] {
        m_settings.resetToNew();
        return std::optional<QString>();
    });
    emit designReplaced();
}

void DocumentCommands::NewFromPreset(const QString& name) {
    if (const std::optional<QString> error = applyPreset(m_settings, name)) {
        showFailure(*error);
        return;
    }
    emit designReplaced();
}

void DocumentCommands::OpenBtnClick() {
    const std::optional<QString> name =
        m_dialogs.openFileName(m_window, {fileFilter(), QStringLiteral("lvo"), startFolder()});
    if (name)
        OpenFile(*name);
}

void DocumentCommands::SaveAsBtnClick() {
    const std::optional<QString> name =
        m_dialogs.saveFileName(m_window, {fileFilter(), QStringLiteral("lvo"), startFolder()});
    if (name)
        SaveFile(*name);
}

void DocumentCommands::OpenFile(const QString& fileName) {
    const std::optional<QString> error =
        m_pictures.replaceDesign([&] { return openDocument(m_settings, fileName); });
    if (error) {
        showFailure(*error);
        return;
    }
    rememberFolderOf(fileName);
    emit designReplaced();
}

void DocumentCommands::SaveFile(const QString& fileName) {
    if (const std::optional<QString> error = saveDocument(m_settings, fileName)) {
        showFailure(*error);
        return;
    }
    rememberFolderOf(fileName);
}

QString DocumentCommands::startFolder() const {
    if (!m_lastFolder.isEmpty())
        return m_lastFolder;
    // Not the program's folder: an installed program's folder is not the user's to write.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void DocumentCommands::rememberFolderOf(const QString& fileName) {
    m_lastFolder = QFileInfo(fileName).absolutePath();
}

void DocumentCommands::showFailure(const QString& message) {
    // A file that cannot be opened or created is a notice; anything else is an error of the file.
    if (message.startsWith(DocumentMessages::couldNotOpen) ||
        message.startsWith(DocumentMessages::couldNotCreate)) {
        m_dialogs.showInfoMessage(m_window, message);
        return;
    }
    m_dialogs.showErrorMessage(m_window, message);
}

bool DocumentCommands::FormCloseQuery() {
    return m_dialogs.confirmQuit(m_window);
}
