#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class PaperSettings;
class PictureLoader;
class UserDialogs;
class QWidget;

// New, Open..., Save as... and the question before quitting. The document is the file the
// design was last opened from or saved to; there is no plain Save, every save asks for a name.
// A design with changes that are not saved is given up (by New, a preset, an open or the end of
// the program) only after the user chose to save or to discard them. New and Open load the
// design's pictures once, after all its settings are applied.
class DocumentCommands : public QObject {
    Q_OBJECT
  public:
    DocumentCommands(PaperSettings& settings, PictureLoader& pictures, UserDialogs& dialogs,
                     QWidget* window);

    static QString fileFilter();

    void NewBtnClick();
    // Gives the design the paper of a preset, keeping its edges, pictures and free text.
    void NewFromPreset(const QString& name);
    void OpenBtnClick();
    void SaveAsBtnClick();

    // Open and save a named document, showing any failure to the user; true on success.
    bool OpenFile(const QString& fileName);
    bool SaveFile(const QString& fileName);
    // Opens a document dropped on the window, after asking about unsaved changes.
    void OpenDroppedFile(const QString& fileName);

    // Asked before the window closes: true when the user lets the program end.
    bool FormCloseQuery();

    // The file the design was last opened from or saved to; empty after New.
    const QString& documentName() const { return m_documentName; }
    // Whether a stored setting differs from the document (or from what New or a preset gave).
    bool isModified() const { return m_modified; }

  signals:
    // New or a successful open replaced the design; the preview shows it afresh.
    void designReplaced();
    // The document's name or whether it is modified changed.
    void documentChanged();

  private:
    void showFailure(const QString& message);
    // Where the open and save dialogs start: the folder of the document last opened or saved,
    // else the user's documents folder, else the home folder.
    QString startFolder() const;
    void rememberFolderOf(const QString& fileName);
    // Asks for a name and saves, asking first before an existing file is replaced; true when
    // the design was saved.
    bool saveAs();
    // True when the design may be given up: it has no unsaved changes, or the user saved or
    // discarded them.
    bool mayGiveUpDesign();
    // The design as it is now belongs to `documentName`, unmodified.
    void takeAsDocument(const QString& documentName);
    void settingChanged();

    PaperSettings& m_settings;
    PictureLoader& m_pictures;
    UserDialogs& m_dialogs;
    QWidget* m_window;
    QString m_lastFolder;
    QString m_documentName;
    // The design's stored settings as a document holds them, when it was last taken as the
    // document; it is modified while they differ.
    QByteArray m_documentState;
    bool m_modified = false;
};
