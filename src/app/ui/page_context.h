#pragma once

class PaperSettings;
class PictureLoader;
class UserDialogs;
class QWidget;

// What the page builders bind their controls to.
struct PageContext {
    PaperSettings& settings;
    PictureLoader& pictures;
    UserDialogs& dialogs;
    QWidget* window;
};
