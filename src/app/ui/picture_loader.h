#pragma once

#include "base/failure.h"
#include "settings/setting_table.h"

#include <QObject>
#include <QString>

#include <functional>

class Application;
class PictureRecord;

// Opens the placed picture and the background texture into the application's records whenever
// what they are made of changes: the picture's file name; the texture's file name and its three
// visibility options. Every change reads the file afresh, so that an option click also sees a
// file that changed or vanished on disk. No message box is shown: a name being typed fails at
// every keystroke, so a failure is only told to whoever listens.
class PictureLoader : public QObject {
    Q_OBJECT
  public:
    explicit PictureLoader(Application& app, QObject* parent = nullptr);

    // Applies a whole design (New, or a document being opened) with the loads held back, then,
    // unless `apply` fails, loads both pictures once from the settings as they end
    // up: a document stores the texture's options after its name, and the texture is filtered
    // with the new options, not once with each old one. Every name of the design is meant, so
    // a file that is not there is a failure too, and the pictures not found are told at once.
    Failure replaceDesign(const std::function<Failure()>& apply);

    // The record that the file name `fileName` (FilenameEdit1 or FilenameEdit2) loads into.
    const PictureRecord& record(Setting fileName) const;

    void FilenameEdit1Change();
    void FilenameEdit2Change();

  signals:
    // How much of the file being opened has been read, 0 ... 100.
    void progress(int percent);
    // The record of `fileName` was loaded afresh. `failure` says why an existing file could not
    // be opened, or what a picture whose file ends early lacks; it is empty on success and for
    // a name that is empty or names no file yet (or a folder), as names do while they are
    // typed. In a design just opened, a name that names nothing is a failure too.
    void loaded(Setting fileName, const QString& failure);
    // After a whole design is applied: a sentence that names the pictures whose files were not
    // found, or an empty text when none is missing or a picture's name has changed since.
    void designPicturesMissing(const QString& note);

  private:
    void settingChanged(Setting setting);
    void load(Setting fileName, bool wholeDesign);

    Application& m_app;
    bool m_held = false;
    bool m_noteShown = false;
};
