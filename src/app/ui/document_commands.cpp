#include "app/ui/document_commands.h"

#include "app/ui/picture_loader.h"
#include "document/document_file.h"
#include "settings/paper_settings.h"
#include "settings/presets.h"
#include "settings/setting_table.h"
#include "widgets/user_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

namespace {

// The stored settings as a document holds them, so that a change counts only where saving
// would write something else. Picture names are kept whole, as they are with no document. A
// design that no document can hold is never the same as one that was saved.
QByteArray storedState(const PaperSettings& settings) {
    QByteArray bytes;
    if (encodeDocument(settings, QString(), bytes).failed())
        return {};
    return bytes;
}

} // namespace

DocumentCommands::DocumentCommands(PaperSettings& settings, PictureLoader& pictures,
                                   UserDialogs& dialogs, QWidget* window)
    : QObject(window), m_settings(settings), m_pictures(pictures), m_dialogs(dialogs),
      m_window(window), m_documentState(storedState(settings)) {
    connect(&m_settings, &PaperSettings::changed, this, &DocumentCommands::settingChanged);
    for (const SettingDescription& d : settingTable()) {
        if (d.kind == SettingKind::Real)
            connect(&m_settings.field(d.setting), &RealField::textChanged, this,
                    &DocumentCommands::settingChanged);
    }
}

QString DocumentCommands::fileFilter() {
    return QStringLiteral("Lineavo designs (*.lvo)");
}

void DocumentCommands::NewBtnClick() {
    if (!mayGiveUpDesign())
        return;
    // New cannot fail.
    static_cast<void>(m_pictures.replaceDesign([this] {
        m_settings.resetToNew();
        return Failure::none();
    }));
    takeAsDocument(QString());
    emit designReplaced();
}

void DocumentCommands::NewFromPreset(const QString& name) {
    if (!mayGiveUpDesign())
        return;
    if (const Failure failure = applyPreset(m_settings, name); failure.failed()) {
        showFailure(failure.message());
        return;
    }
    takeAsDocument(QString());
    emit designReplaced();
}

void DocumentCommands::OpenBtnClick() {
    if (!mayGiveUpDesign())
        return;
    const std::optional<QString> name =
        m_dialogs.openFileName(m_window, {fileFilter(), QStringLiteral("lvo"), startFolder()});
    if (name)
        OpenFile(*name);
}

void DocumentCommands::OpenDroppedFile(const QString& fileName) {
    if (mayGiveUpDesign())
        OpenFile(fileName);
}

void DocumentCommands::SaveAsBtnClick() {
    saveAs();
}

bool DocumentCommands::saveAs() {
    const std::optional<ChosenFile> chosen =
        m_dialogs.saveFileName(m_window, {fileFilter(), QStringLiteral("lvo"), startFolder()});
    if (!chosen)
        return false;
    if (QFileInfo::exists(chosen->name) && !m_dialogs.confirmReplace(m_window, chosen->name))
        return false;
    return SaveFile(chosen->name);
}

bool DocumentCommands::OpenFile(const QString& fileName) {
    const Failure failure =
        m_pictures.replaceDesign([&] { return openDocument(m_settings, fileName); });
    if (failure.failed()) {
        showFailure(failure.message());
        return false;
    }
    rememberFolderOf(fileName);
    takeAsDocument(fileName);
    emit designReplaced();
    return true;
}

bool DocumentCommands::SaveFile(const QString& fileName) {
    if (const Failure failure = saveDocument(m_settings, fileName); failure.failed()) {
        showFailure(failure.message());
        return false;
    }
    rememberFolderOf(fileName);
    takeAsDocument(fileName);
    return true;
}

bool DocumentCommands::mayGiveUpDesign() {
    if (!m_modified)
        return true;
    switch (m_dialogs.askToSaveChanges(m_window, m_documentName)) {
    case UnsavedChanges::Save:
        return saveAs();
    case UnsavedChanges::Discard:
        return true;
    case UnsavedChanges::Cancel:
        return false;
    }
    return false;
}

void DocumentCommands::takeAsDocument(const QString& documentName) {
    m_documentName = documentName;
    m_documentState = storedState(m_settings);
    m_modified = m_documentState.isEmpty();
    emit documentChanged();
}

void DocumentCommands::settingChanged() {
    const QByteArray state = storedState(m_settings);
    const bool modified = state.isEmpty() || state != m_documentState;
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit documentChanged();
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
    // Changes that are not saved get the question that can save them; otherwise the program
    // ends as it always did, after its quit question.
    return m_modified ? mayGiveUpDesign() : m_dialogs.confirmQuit(m_window);
}
