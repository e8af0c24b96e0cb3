#pragma once

#include "qt_printing.h"
#include "widgets/user_dialogs.h"

#include <QStringList>

#include <functional>
#include <vector>

// Answers the window's questions as a test has scripted them, and records what was asked.
class ScriptedDialogs : public UserDialogs {
  public:
    std::optional<QString> openAnswer;
    std::optional<QString> saveAnswer;
    QString saveFilterAnswer; // the filter chosen with saveAnswer
    std::optional<FreeTextFont> fontAnswer;
    std::optional<ColorValue> colorAnswer;
    bool quitAnswer = false;
    // A person who chose the name of an existing file means to replace it; changes not saved
    // are let go, as before the program asked about them.
    bool replaceAnswer = true;
    UnsavedChanges saveChangesAnswer = UnsavedChanges::Discard;
    // What the user does in the print, printer setup and calibration dialogs.
    std::function<bool(QPrinter&, QWidget*)> printAnswer = [](QPrinter&, QWidget*) {
        return false;
    };
    // The print dialog's pages per copy, for a print answer that runs the dialog itself.
    int* pagesPerCopy = nullptr;
    std::function<void(QPrinter&, QWidget*)> printerSetupAnswer = [](QPrinter&, QWidget*) {};
    std::function<void(TKalForm&)> calibrationAnswer = [](TKalForm&) {};
    // What the user does in the picture viewer and the picture print dialog.
    std::function<void(TViewPicForm&)> viewerAnswer = [](TViewPicForm&) {};
    std::function<bool(TPrintForm&)> picturePrintAnswer = [](TPrintForm&) { return false; };

    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<FreeTextFont> fontsAsked;
    std::vector<ColorValue> coloursAsked;
    int quitQuestions = 0;
    QStringList replaceQuestions;     // the files
    QStringList saveChangesQuestions; // the documents' names
    QStringList infoMessages;
    QStringList errorMessages;
    std::vector<QWidget*> errorParents;

    std::optional<QString> openFileName(QWidget*, const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return openAnswer;
    }
    std::optional<ChosenFile> saveFileName(QWidget*, const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        if (!saveAnswer)
            return std::nullopt;
        return ChosenFile{*saveAnswer, saveFilterAnswer};
    }
    std::optional<FreeTextFont> chooseFont(QWidget*, const FreeTextFont& font) override {
        fontsAsked.push_back(font);
        return fontAnswer;
    }
    std::optional<ColorValue> chooseColor(QWidget*, ColorValue current) override {
        coloursAsked.push_back(current);
        return colorAnswer;
    }
    bool confirmReplace(QWidget*, const QString& fileName) override {
        replaceQuestions << fileName;
        return replaceAnswer;
    }
    UnsavedChanges askToSaveChanges(QWidget*, const QString& documentName) override {
        saveChangesQuestions << documentName;
        return saveChangesAnswer;
    }
    bool confirmQuit(QWidget*) override {
        ++quitQuestions;
        return quitAnswer;
    }
    bool choosePrinterAndCopies(QWidget* parent, QPrinter& printer, int& pages) override {
        pagesPerCopy = &pages;
        return printAnswer(printer, parent);
    }
    void setUpPrinter(QWidget* parent, QPrinter& printer) override {
        printerSetupAnswer(printer, parent);
    }
    void runCalibration(TKalForm& dialog) override { calibrationAnswer(dialog); }
    void runPictureViewer(TViewPicForm& viewer) override { viewerAnswer(viewer); }
    bool runPicturePrint(TPrintForm& dialog) override { return picturePrintAnswer(dialog); }
    void showInfoMessage(QWidget*, const QString& text) override { infoMessages << text; }

  protected:
    void showErrorBox(QWidget* parent, const QString& sentence) override {
        errorMessages << sentence;
        errorParents.push_back(parent);
    }
};
