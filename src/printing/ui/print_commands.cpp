#include "printing/ui/print_commands.h"

#include "printing/calibration.h"
#include "printing/print_job.h"
#include "printing/ui/calibration_dialog.h"
#include "printing/ui/print_dialog.h"
#include "printing/ui/printer_setup_dialog.h"
#include "render/ui/preview_pane.h"
#include "settings/ui/program_title.h"

#include <QMessageBox>

namespace {

void showErrorBox(const QString& message, QWidget* parent) {
    const QString sentence = message.endsWith(u'.') ? message : message + u'.';
    QMessageBox box(QMessageBox::Critical, kProgramTitle, sentence, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

PrintCommands::PrintCommands(const PaperSettings& settings, CalibrationSettings& calibration,
                             QString calibrationFile, QWidget* window)
    : QObject(window), m_settings(settings), m_calibration(calibration),
      m_calibrationFile(std::move(calibrationFile)), m_window(window),
      m_preview(new PreviewPane(
          settings, calibration, [this] { return m_printer.page(); }, window)),
      m_calibrationDialog(new TKalForm(
          calibration, [this] { printTestRectangle(); }, window)),
      m_dialogs{runPrintDialog, runPrinterSetupDialog, [](TKalForm& dialog) { dialog.exec(); },
                showErrorBox} {
    m_calibrationDialog->hide();
}

PrintCommands::~PrintCommands() = default;

void PrintCommands::showFailure(const std::optional<QString>& error) {
    if (error)
        m_dialogs.error(*error, m_window);
}

void PrintCommands::PrintBtnClick() {
    QPrinter& printer = m_printer.printer();
    if (m_dialogs.print(printer, m_window)) {
        // The dialog may have chosen another printer, and its copies are ours to draw.
        const int copies = printer.copyCount();
        m_printer.followPrinter();
        showFailure(printDesign(m_printer, m_settings, m_calibration, copies));
    }
    m_preview->PaintBox1Paint();
}

void PrintCommands::SetupBtnClick() {
    m_dialogs.pageSetup(m_printer.printer(), m_window);
    // Confirmed or not, the preview takes the size of the printable area now chosen.
    m_printer.followPrinter();
    m_preview->PaintBox1Paint();
}

void PrintCommands::KalBtnClick() {
    m_dialogs.calibration(*m_calibrationDialog);
    m_preview->PaintBox1Paint();
    // Written after every closing, changed or not. The old file stays whole if this fails,
    // and the values shown stay in force until the program ends.
    if (const std::optional<QString> error = m_calibration.save(m_calibrationFile))
        m_dialogs.error(QStringLiteral("The calibration could not be saved in \"%1\": %2 It "
                                       "applies until the program ends.")
                            .arg(m_calibrationFile, *error),
                        m_window);
}

void PrintCommands::printTestRectangle() {
    if (const std::optional<QString> error = ::printTestRectangle(m_printer))
        m_dialogs.error(*error, m_calibrationDialog);
}
