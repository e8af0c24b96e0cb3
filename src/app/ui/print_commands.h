#pragma once

#include <QObject>

class Application;
class PreviewPane;
class QWidget;
class TKalForm;
class UserDialogs;

// The commands of the "Print" page: print, printer setup and calibration, on the program's
// current printer. Each runs to its end in one go and redraws the preview afterwards; each
// failure is shown to the user. The preview shows the application's texture and picture
// through the loaded design's layers, whose stretched copies serve paint after paint.
class PrintCommands : public QObject {
    Q_OBJECT
  public:
    PrintCommands(Application& app, UserDialogs& dialogs, PreviewPane& preview,
                  TKalForm& calibrationDialog, QWidget* window);

    void PrintBtnClick();
    void SetupBtnClick();
    void KalBtnClick();
    // The calibration dialog's test print, on the current printer without a print dialog.
    void printTestRectangle();

  private:
    Application& m_app;
    UserDialogs& m_dialogs;
    PreviewPane& m_preview;
    TKalForm& m_calibrationDialog;
    QWidget* m_window;
    int m_pagesPerCopy = 1; // offered again by the next print dialog, as the copies are
};
