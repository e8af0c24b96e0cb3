#include "app/ui/print_commands.h"

#include "page/ui/preview_pane.h"
#include "printing/application.h"
#include "printing/print_job.h"
#include "printing/ui/calibration_dialog.h"
#include "render/device_scales.h"
#include "widgets/user_dialogs.h"

PrintCommands::PrintCommands(Application& app, UserDialogs& dialogs, PreviewPane& preview,
                             TKalForm& calibrationDialog, QWidget* window)
    : QObject(window), m_app(app), m_dialogs(dialogs), m_preview(preview),
      m_calibrationDialog(calibrationDialog), m_window(window) {
    m_preview.setPageLayers(&app.loaded.layers());
}

void PrintCommands::PrintBtnClick() {
    QPrinter& printer = m_app.printer.printer();
    if (m_dialogs.choosePrinterAndCopies(m_window, printer, m_pagesPerCopy)) {
        // The dialog may have chosen another printer, and its copies are ours to draw.
        const int copies = printer.copyCount();
        m_app.printer.followPrinter();
        m_app.followPrinterCalibration();
        const LoadedDesign& shown = m_app.designAsShown();
        // Layers of its own, so that the paper's stretched pictures go with the job.
        const PicturePageLayers layers = shown.ownLayers();
        const PageScale scale = printScale(m_app.printer.page(), m_app.calibration.forPage());
        if (const Failure failure =
                printDesign(m_app.printer, {scale, shown.design, layers}, copies, m_pagesPerCopy);
            failure.failed())
            m_dialogs.showErrorMessage(m_window, failure.message());
        else if (auto notice = m_app.printer.heldJobNotice())
            m_dialogs.showInfoMessage(m_window, *notice);
    }
    m_preview.refresh();
}

void PrintCommands::SetupBtnClick() {
    m_dialogs.setUpPrinter(m_window, m_app.printer.printer());
    // Confirmed or not, the preview takes the size of the printable area and the calibration
    // of the printer now chosen.
    m_app.printer.followPrinter();
    m_app.followPrinterCalibration();
    m_preview.refresh();
}

void PrintCommands::KalBtnClick() {
    m_calibrationDialog.showPrinter(m_app.printer.queueName());
    m_dialogs.runCalibration(m_calibrationDialog);
    m_preview.refresh();
    // Written after every closing, changed or not, as the printer's own. The old file stays
    // whole if this fails, and the values shown stay in force until the program ends.
    const QString file = m_app.calibrationFile();
    if (const Failure failure = m_app.saveCalibration(file); failure.failed())
        m_dialogs.showErrorMessage(m_window,
                                   QStringLiteral("The calibration could not be saved in \"%1\": "
                                                  "%2 It applies until the program ends.")
                                       .arg(file, failure.message()));
}

void PrintCommands::printTestRectangle() {
    if (const Failure failure = ::printTestRectangle(m_app.printer); failure.failed())
        m_dialogs.showErrorMessage(&m_calibrationDialog, failure.message());
    else if (auto notice = m_app.printer.heldJobNotice())
        m_dialogs.showInfoMessage(&m_calibrationDialog, *notice);
}
