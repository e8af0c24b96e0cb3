#pragma once

#include "settings/color_value.h"
#include "settings/free_text_font.h"

#include <QString>

#include <optional>

class QPrinter;
class QWidget;
class TKalForm;
class TPrintForm;
class TViewPicForm;

// What a file dialog is opened with.
struct FileDialogRequest {
    QString filter;        // "Display text (*.a *.b);;..."
    QString defaultSuffix; // added to a typed name without one; empty for none
    QString startPath;     // folder or file to start at
};

// A file chosen to save to, and the filter the dialog showed when it was chosen ("Display text
// (*.a *.b)" as in the request; empty when there was none to choose).
struct ChosenFile {
    QString name;
    QString filter;
};

// What the user wants done with changes to the design that are not saved.
enum class UnsavedChanges { Save, Discard, Cancel };

// Every modal question the program asks the user. The windows ask through this interface so
// that tests can answer in place of a person.
class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    // A name to open; the file need not exist. Nothing when cancelled.
    virtual std::optional<QString> openFileName(QWidget* parent, const FileDialogRequest&) = 0;
    // A name to save to; the dialog itself does not ask about an existing file.
    virtual std::optional<ChosenFile> saveFileName(QWidget* parent, const FileDialogRequest&) = 0;
    // Asked before an existing file is replaced: true to replace it.
    virtual bool confirmReplace(QWidget* parent, const QString& fileName) = 0;
    virtual std::optional<FreeTextFont> chooseFont(QWidget* parent, const FreeTextFont&) = 0;
    virtual std::optional<ColorValue> chooseColor(QWidget* parent, ColorValue current) = 0;
    // The question before the program ends: true to go on and quit.
    virtual bool confirmQuit(QWidget* parent) = 0;
    // Asked before a design with unsaved changes is given up. `documentName` is the file the
    // design was last opened from or saved to, empty when it has none.
    virtual UnsavedChanges askToSaveChanges(QWidget* parent, const QString& documentName) = 0;
    // The print dialog, which sets the printer, the number of copies and the pages of each
    // copy; true to print.
    virtual bool choosePrinterAndCopies(QWidget* parent, QPrinter& printer, int& pagesPerCopy) = 0;
    // The printer setup: printer, paper format and orientation.
    virtual void setUpPrinter(QWidget* parent, QPrinter& printer) = 0;
    // Shows the calibration dialog until the user closes it.
    virtual void runCalibration(TKalForm& dialog) = 0;
    // Shows the picture viewer until the user closes it.
    virtual void runPictureViewer(TViewPicForm& viewer) = 0;
    // The picture print dialog; true when confirmed.
    virtual bool runPicturePrint(TPrintForm& dialog) = 0;
    // A notice with an information icon and no title of its own.
    virtual void showInfoMessage(QWidget* parent, const QString& text) = 0;
    // A failure, titled with the program's name, with an error icon. A text that does not end
    // like a sentence gets a full stop.
    void showErrorMessage(QWidget* parent, const QString& text) {
        const bool isSentence = text.endsWith(u'.') || text.endsWith(u'!') || text.endsWith(u'?');
        showErrorBox(parent, isSentence ? text : text + u'.');
    }

  protected:
    virtual void showErrorBox(QWidget* parent, const QString& sentence) = 0;
};
