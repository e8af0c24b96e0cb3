// Choosing another printer in the printer setup takes that printer's calibration, and the
// preview follows; the calibration dialog names the printer and saves as its own.
#include "app/scripted_dialogs.h"
#include "app/ui/print_commands.h"
#include "calibration/calibration.h"
#include "page/ui/preview_pane.h"
#include "printing/application.h"
#include "printing/ui/calibration_dialog.h"
#include "printing/ui/printer_setup_dialog.h"
#include "support/succeeds.h"

#include <QComboBox>
#include <QDir>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

constexpr const char* kFirst = "PDF";
constexpr const char* kSecond = "LineavoSecondPdf";

class PrinterCalibrationSwitch : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* queue : {kFirst, kSecond}) {
            if (QPrinterInfo::printerInfo(queue).isNull())
                GTEST_SKIP() << "needs the print server's two PDF queues: run "
                                "scripts/start-cups.sh";
        }
        ASSERT_TRUE(QDir(dir.path()).mkdir("printers"));
        ASSERT_SUCCEEDS(writeCalibrationFile(dir.filePath("options.dat"), {0, 3, 100, 100}));
        ASSERT_SUCCEEDS(writeCalibrationFile(app.calibrations.ownFile(kSecond), {0, 3, 90, 112}));
        ASSERT_SUCCEEDS(app.printer.selectPrinter(kFirst));
        app.followPrinterCalibration();
        dialogs.printerSetupAnswer = [this](QPrinter& printer, QWidget* parent) {
            PrinterSetupDialog dialog(printer, parent);
            auto* printers = dialog.findChild<QComboBox*>("PrinterChoice");
            printers->setCurrentIndex(printers->findText(chosen));
            dialog.accept();
        };
    }
    QImage previewAfterChoosing(const QString& queue) {
        chosen = queue;
        commands.SetupBtnClick();
        return preview.pageBox()->grab().toImage();
    }

    QTemporaryDir dir;
    Application app{dir.filePath("options.dat"), dir.filePath("printers")};
    ScriptedDialogs dialogs;
    QWidget window;
    PreviewPane preview{app.settings, [this] { return app.calibration.forPage(); },
                        [this] { return app.printer.page(); }, &window};
    TKalForm calibrationDialog{app.calibration, [] {}, &window};
    PrintCommands commands{app, dialogs, preview, calibrationDialog, &window};
    QString chosen;
};

TEST_F(PrinterCalibrationSwitch, ThePreviewFollowsThePrinterChosenInThePrinterSetup) {
    const QImage common = previewAfterChoosing(kFirst);
    EXPECT_FALSE(app.calibration.isPrintersOwn());
    const QImage own = previewAfterChoosing(kSecond);
    EXPECT_EQ(app.calibration.lengths(), (CalibrationLengths{0, 3, 90, 112}));
    EXPECT_TRUE(app.calibration.isPrintersOwn());
    EXPECT_NE(own, common);
    // Back on the first printer, the page is as it was: the calibration made the difference.
    EXPECT_EQ(previewAfterChoosing(kFirst), common);
}

TEST_F(PrinterCalibrationSwitch, TheDialogNamesThePrinterAndItsFirstSaveIsThePrintersOwn) {
    previewAfterChoosing(kFirst);
    QString title;
    dialogs.calibrationAnswer = [&](TKalForm& dialog) {
        title = dialog.windowTitle();
        app.calibration.BreitEd.setValue(95);
    };
    commands.KalBtnClick();
    EXPECT_EQ(title, QStringLiteral("Calibrate printer \"%1\"...").arg(kFirst));
    EXPECT_TRUE(app.calibration.isPrintersOwn());
    EXPECT_TRUE(app.calibrations.hasOwn(kFirst));
    CalibrationSettings common;
    common.load(dir.filePath("options.dat"));
    EXPECT_EQ(common.lengths(), (CalibrationLengths{0, 3, 100, 100}));
}

} // namespace
