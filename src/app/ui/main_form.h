#pragma once

#include "app/ui/pages.h"
#include "printing/calibration.h"
#include "settings/paper_settings.h"

#include <QMainWindow>

class DocumentCommands;
class PrintCommands;
class ProgressStatusBar;
class QSessionManager;
class QTabWidget;
class UserDialogs;

// The main window: the document commands above, the six pages of settings, the web, about
// and end buttons below, and the status bar with the progress of picture loading.
class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    // The calibration is read from its file here, before the window can first paint.
    explicit TMainForm(UserDialogs& dialogs, QWidget* parent = nullptr);
    ~TMainForm() override;

    PaperSettings& settings() { return m_settings; }
    CalibrationSettings& calibration() { return m_calibration; }
    DocumentCommands& documentCommands() { return *m_commands; }
    PrintCommands& printCommands() { return *m_printing; }
    const QString& ProgramDir() const { return m_programDir; }

    QAbstractButton* printButton() const { return m_print.printButton; }
    QAbstractButton* setupButton() const { return m_print.setupButton; }
    QAbstractButton* calibrateButton() const { return m_print.calibrateButton; }
    // Empty, with a layout, for the preview pane.
    QWidget* previewArea() const { return m_print.previewArea; }
    QTabWidget* pages() const { return m_pages; }
    ProgressStatusBar* progressStatusBar() const { return m_statusBar; }

  public slots:
    // Progress of reading a picture, in percent.
    void WMUser(int percent);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* buildToolStrip();
    QWidget* buildBottomStrip();
    void connectPrintPage(UserDialogs& dialogs, const QString& calibrationFile);
    void ueberbtnClick();
    void commitData(QSessionManager& manager);

    QString m_programDir;
    PaperSettings m_settings;
    CalibrationSettings m_calibration;
    DocumentCommands* m_commands;
    PrintPageControls m_print;
    PrintCommands* m_printing = nullptr;
    QTabWidget* m_pages = nullptr;
    ProgressStatusBar* m_statusBar = nullptr;
    // The desktop session already had its answer: closing asks nothing more.
    bool m_quitConfirmed = false;
};
