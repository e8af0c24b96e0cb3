#pragma once

#include <QObject>
#include <QString>

class PaperSettings;
class PictureLoader;
class UserDialogs;
class QWidget;

// New, Open..., Save as... and the question before quitting. There is no current document:
// every save asks for a name, and the quit question is always asked. New and Open load the
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

    // Open and save a named document, showing any failure to the user.
    void OpenFile(const QString& fileName);
    void SaveFile(const QString& fileName);

    // Asked before the window closes: true when the user lets the program end.
    bool FormCloseQuery();

  signals:
    // New or a successful open replaced the design; the preview shows it afresh.
    void designReplaced();

  private:
    void showFailure(const QString& message);
    // Where the open and save dialogs start: the folder of the document last opened or saved,
    // else the user's documents folder, else the home folder.
    QString startFolder() const;
    void rememberFolderOf(const QString& fileName);

    PaperSettings& m_settings;
    PictureLoader& m_pictures;
    UserDialogs& m_dialogs;
    QWidget* m_window;
    QString m_lastFolder;
};
