#pragma once

class PaperSettings;
class UserDialogs;
class QWidget;

// What the page builders bind their controls to.
struct PageContext {
    PaperSettings& settings;
    UserDialogs& dialogs;
    QWidget* window;
};
