#pragma once

#include "app/ui/user_dialogs.h"
#include "qt_printing.h"

#include <QStringList>

#include <vector>

// Answers the window's questions as a test has scripted them, and records what was asked.
class ScriptedDialogs : public UserDialogs {
  public:
    std::optional<QString> openAnswer;
    std::optional<QString> saveAnswer;
    std::optional<FreeTextFont> fontAnswer;
    std::optional<ColorValue> colorAnswer;
    bool quitAnswer = false;

    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<FreeTextFont> fontsAsked;
    std::vector<ColorValue> coloursAsked;
    int quitQuestions = 0;
    QStringList infoMessages;
    QStringList errorMessages;

    std::optional<QString> openFileName(QWidget*, const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return openAnswer;
    }
    std::optional<QString> saveFileName(QWidget*, const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return saveAnswer;
    }
    std::optional<FreeTextFont> chooseFont(QWidget*, const FreeTextFont& font) override {
        fontsAsked.push_back(font);
        return fontAnswer;
    }
    std::optional<ColorValue> chooseColor(QWidget*, ColorValue current) override {
        coloursAsked.push_back(current);
        return colorAnswer;
    }
    bool confirmQuit(QWidget*) override {
        ++quitQuestions;
        return quitAnswer;
    }
    void showInfoMessage(QWidget*, const QString& text) override { infoMessages << text; }
    void showErrorMessage(QWidget*, const QString& text) override { errorMessages << text; }
};
