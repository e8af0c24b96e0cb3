#pragma once

#include "widgets/user_dialogs.h"

// The real dialogs that a person answers.
class QtUserDialogs : public UserDialogs {
  public:
    std::optional<QString> openFileName(QWidget* parent, const FileDialogRequest&) override;
    std::optional<ChosenFile> saveFileName(QWidget* parent, const FileDialogRequest&) override;
    bool confirmReplace(QWidget* parent, const QString& fileName) override;
    std::optional<FreeTextFont> chooseFont(QWidget* parent, const FreeTextFont&) override;
    std::optional<ColorValue> chooseColor(QWidget* parent, ColorValue current) override;
    bool confirmQuit(QWidget* parent) override;
    UnsavedChanges askToSaveChanges(QWidget* parent, const QString& documentName) override;
    bool choosePrinterAndCopies(QWidget* parent, QPrinter& printer, int& pagesPerCopy) override;
    void setUpPrinter(QWidget* parent, QPrinter& printer) override;
    void runCalibration(TKalForm& dialog) override;
    void runPictureViewer(TViewPicForm& viewer) override;
    bool runPicturePrint(TPrintForm& dialog) override;
    void showInfoMessage(QWidget* parent, const QString& text) override;

  protected:
    void showErrorBox(QWidget* parent, const QString& sentence) override;
};
