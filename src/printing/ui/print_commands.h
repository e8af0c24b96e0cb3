#pragma once

#include "printing/current_printer.h"

#include <QObject>
#include <QString>

#include <functional>

class CalibrationSettings;
class PaperSettings;
class PreviewPane;
class QPrinter;
class QWidget;
class TKalForm;

// The commands of the "Print" page: print, printer setup and calibration, with the program's
// current printer and the preview they refresh. Each runs to its end in one go and redraws
// the preview afterwards; each failure is shown to the user.
class PrintCommands : public QObject {
    Q_OBJECT
  public:
    // The modal steps of the commands, replaceable so that tests can answer them.
    struct Dialogs {
        // The print dialog, offering the printer and the number of copies; true to print.
        std::function<bool(QPrinter&, QWidget* parent)> print;
        // The printer setup: printer, paper format and orientation.
        std::function<void(QPrinter&, QWidget* parent)> pageSetup;
        // Runs the calibration dialog until it is closed.
        std::function<void(TKalForm&)> calibration;
        // Shows a failure.
        std::function<void(const QString& message, QWidget* parent)> error;
    };

    // `calibrationFile` is where the calibration is saved after every closing of its dialog.
    PrintCommands(const PaperSettings& settings, CalibrationSettings& calibration,
                  QString calibrationFile, QWidget* window);
    ~PrintCommands() override;

    CurrentPrinter& printer() { return m_printer; }
    // The preview of the current printer's page; its owner is the widget it is put into.
    PreviewPane* preview() const { return m_preview; }
    TKalForm& calibrationDialog() { return *m_calibrationDialog; }
    Dialogs& dialogs() { return m_dialogs; }

    void PrintBtnClick();
    void SetupBtnClick();
    void KalBtnClick();

  private:
    void printTestRectangle();
    void showFailure(const std::optional<QString>& error);

    const PaperSettings& m_settings;
    CalibrationSettings& m_calibration;
    QString m_calibrationFile;
    QWidget* m_window;
    CurrentPrinter m_printer;
    PreviewPane* m_preview;
    TKalForm* m_calibrationDialog;
    Dialogs m_dialogs;
};
