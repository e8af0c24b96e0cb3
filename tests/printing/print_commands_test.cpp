// The commands of the "Print" page with scripted dialogs: what they print, what they save,
// what they show when something fails, and that the preview follows.
#include "pdf_pages.h"

#include "app/scripted_dialogs.h"
#include "app/ui/print_commands.h"
#include "calibration/calibration.h"
#include "page/ui/preview_pane.h"
#include "printing/application.h"
#include "printing/ui/calibration_dialog.h"
#include "printing/ui/print_dialog.h"
#include "printing/ui/printer_setup_dialog.h"
#include "settings/page_design.h"
#include "settings/paper_settings.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "support/succeeds.h"

#include <gtest/gtest.h>

namespace {

class PrintCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        dialogs.printAnswer = [this](QPrinter& printer, QWidget*) {
            ++printDialogs;
            // The user picks a printer that writes a file, and a number of copies.
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfPath());
            printer.setResolution(100);
            printer.setCopyCount(copiesChosen);
            return confirm;
        };
    }
    // The failures shown, as sentences.
    std::vector<std::string> errors() const {
        std::vector<std::string> texts;
        for (const QString& message : dialogs.errorMessages)
            texts.push_back(message.toStdString());
        return texts;
    }
    QString pdfPath() const { return dir.filePath("printed.pdf"); }
    QString calibrationPath() const { return dir.filePath("options.dat"); }
    QSize boxSize() const { return preview.pageBox()->size(); }
    // The preview box for the current printer at zoom 100 on the 96-dpi screen.
    QSize wantedBoxSize() {
        const PrinterPage page = app.printer.page();
        return previewBoxSize(page, 96, 100);
    }

    QTemporaryDir dir;
    Application app{calibrationPath()};
    ScriptedDialogs dialogs;
    QWidget window;
    PreviewPane preview{app.settings, [this] { return app.calibration.forPage(); },
                        [this] { return app.printer.page(); }, &window};
    TKalForm calibrationDialog{app.calibration, [this] { commands.printTestRectangle(); }, &window};
    PrintCommands commands{app, dialogs, preview, calibrationDialog, &window};
    CalibrationSettings& calibration = app.calibration;
    bool confirm = true;
    int copiesChosen = 1;
    int printDialogs = 0;
};

TEST_F(PrintCommandsTest, PrintingMakesOnePagePerCopyAndRefreshesThePreview) {
    copiesChosen = 2;
    commands.PrintBtnClick();
    EXPECT_EQ(printDialogs, 1);
    EXPECT_TRUE(errors().empty()) << errors().front();
    EXPECT_EQ(pdfInfoField(pdfPath(), "Pages"), "2");
    EXPECT_EQ(pdfInfoField(pdfPath(), "Title"), "Lineavo");
    EXPECT_EQ(boxSize(), wantedBoxSize());
    EXPECT_EQ(app.printer.printer().copyCount(), 2)
        << "the next print dialog offers the count the user chose";
}

TEST_F(PrintCommandsTest, CancelledPrintPrintsNothingButRefreshesThePreview) {
    confirm = false;
    commands.PrintBtnClick();
    EXPECT_FALSE(QFileInfo::exists(pdfPath()));
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(boxSize(), wantedBoxSize());
}

TEST_F(PrintCommandsTest, FailedPrintIsShownToTheUser) {
    dialogs.printAnswer = [](QPrinter& printer, QWidget*) {
        // What the toolkit offers when no print server runs.
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::PdfFormat);
        return true;
    };
    commands.PrintBtnClick();
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors().front(), "There is no printer to print on: the print server is not "
                                "running or offers no printer.");
    EXPECT_EQ(dialogs.errorParents.front(), &window);
}

TEST_F(PrintCommandsTest, ThePrintDialogOffersPrinterAndCopiesOnlyAndEveryCopyIsAPage) {
    app.printer.printer().setOutputFormat(QPrinter::PdfFormat);
    app.printer.printer().setOutputFileName(pdfPath());
    dialogs.printAnswer = [](QPrinter& printer, QWidget* parent) {
        PrintDialog dialog(printer, parent);
        dialog.show();
        // Nothing to choose but the printer and, in sight, the numbers of copies and pages.
        EXPECT_EQ(dialog.findChildren<QComboBox*>().size(), 1);
        EXPECT_EQ(dialog.findChild<QComboBox*>()->count(),
                  QPrinterInfo::availablePrinterNames().size());
        const auto counts = dialog.findChildren<QSpinBox*>();
        EXPECT_EQ(counts.size(), 2);
        EXPECT_TRUE(dialog.findChildren<QAbstractButton*>().size() == 2 &&
                    dialog.findChildren<QRadioButton*>().isEmpty())
            << "only OK and Cancel besides";
        EXPECT_TRUE(counts.value(0) && counts.value(0)->isVisible());
        counts.value(0)->selectAll();
        QTest::keyClicks(counts.value(0), "3");
        QTest::keyClick(counts.value(0), Qt::Key_Return);
        return dialog.result() == QDialog::Accepted;
    };
    commands.PrintBtnClick();
    EXPECT_TRUE(errors().empty()) << errors().front();
    EXPECT_EQ(pdfInfoField(pdfPath(), "Pages"), "3");
}

TEST_F(PrintCommandsTest, ThePagesOfTheDialogArePrintedForEachCopyAndOfferedAgain) {
    app.printer.printer().setOutputFormat(QPrinter::PdfFormat);
    app.printer.printer().setOutputFileName(pdfPath());
    int offered = 0;
    dialogs.printAnswer = [&](QPrinter& printer, QWidget* parent) {
        PrintDialog dialog(printer, parent, *dialogs.pagesPerCopy);
        auto* pages = dialog.findChild<QSpinBox*>("Pages");
        offered = pages->value();
        pages->setValue(3);
        dialog.findChild<QSpinBox*>("Copies")->setValue(2);
        dialog.accept();
        *dialogs.pagesPerCopy = dialog.pagesPerCopy();
        return true;
    };
    commands.PrintBtnClick();
    EXPECT_TRUE(errors().empty()) << errors().front();
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(pdfInfoField(pdfPath(), "Pages"), "6");
    commands.PrintBtnClick();
    EXPECT_EQ(offered, 3);
}

// With mirrored margins the preview can show the second page, numbered after the first.
TEST_F(PrintCommandsTest, ThePreviewSwitchesToTheSecondPageOnlyWithMirroredMargins) {
    auto* pageSwitch = preview.findChild<QWidget*>("PreviewPageSwitch");
    auto* second = preview.findChild<QRadioButton*>("PreviewPage2");
    ASSERT_TRUE(pageSwitch && second);
    app.settings.field(Setting::PageNumberStartEd).setValue(5);
    struct Row {
        bool mirrored;
        bool chooseSecond;
        bool switchShown;
        int numberShown;
    };
    const Row rows[] = {
        {false, false, false, 5},
        {true, false, true, 5},
        {true, true, true, 6},
        {false, false, false, 5}, // the second page stays chosen, but is not shown
    };
    for (const Row& row : rows) {
        app.settings.setFlag(Setting::MirrorCheck, row.mirrored);
        if (row.chooseSecond)
            second->click();
        EXPECT_EQ(pageSwitch->isVisibleTo(&preview), row.switchShown) << row.mirrored;
        EXPECT_EQ(preview.shownDesign().pageNumber, row.numberShown) << row.mirrored;
    }
}

TEST_F(PrintCommandsTest, PrinterSetupChoosesPrinterPaperAndOrientationAndThePreviewFollows) {
    const QStringList queues = QPrinterInfo::availablePrinterNames();
    dialogs.printerSetupAnswer = [&queues](QPrinter& printer, QWidget* parent) {
        PrinterSetupDialog dialog(printer, parent);
        auto* printers = dialog.findChild<QComboBox*>("PrinterChoice");
        ASSERT_NE(printers, nullptr);
        EXPECT_EQ(printers->currentText(), queues.isEmpty() ? QString() : queues.first());
        // The last queue, or with no print server the PDF file the printer writes.
        printers->setCurrentIndex(printers->count() - 1);
        auto* paper = dialog.findChild<QComboBox*>("PaperFormat");
        const int a5 = paper->findText(QPageSize(QPageSize::A5).name());
        ASSERT_GE(a5, 0);
        paper->setCurrentIndex(a5);
        dialog.findChild<QRadioButton*>("Landscape")->click();
        dialog.accept();
    };
    if (!queues.isEmpty()) {
        ASSERT_SUCCEEDS(app.printer.selectPrinter(queues.first()));
    }
    commands.SetupBtnClick();

    const QPrinter& printer = app.printer.printer();
    if (!queues.isEmpty()) {
        EXPECT_EQ(printer.printerName(), queues.last());
    }
    EXPECT_TRUE(printer.pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::A5)));
    const PrinterPage page = app.printer.page();
    EXPECT_GT(page.printableArea.width(), page.printableArea.height());
    // The printer's own least margins, not the margins a dialog offers.
    const QPageLayout layout = printer.pageLayout();
    EXPECT_EQ(layout.margins(), layout.minimumMargins());
    EXPECT_EQ(boxSize(), wantedBoxSize());
}

TEST_F(PrintCommandsTest, CalibrationIsSavedAfterEveryClosingOfItsDialog) {
    int closings = 0;
    dialogs.calibrationAnswer = [&](TKalForm& dialog) {
        ++closings;
        calibration.BreitEd.setText(closings == 1 ? "101" : "99.5");
        if (closings == 1)
            dialog.accept(); // OK
        else
            dialog.reject(); // the close box
    };
    commands.KalBtnClick();
    CalibrationSettings saved;
    saved.load(calibrationPath());
    EXPECT_EQ(saved.BreitEd.text(), "101.00");

    commands.KalBtnClick();
    saved.load(calibrationPath());
    EXPECT_EQ(saved.BreitEd.text(), "99.50");
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(boxSize(), wantedBoxSize());
}

TEST_F(PrintCommandsTest, CalibrationThatCannotBeSavedIsSaidAndStaysInForce) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("options.dat")); // a folder where the file should be
    dialogs.calibrationAnswer = [&](TKalForm&) { calibration.LinksEd.setText("3"); };
    commands.KalBtnClick();
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors().front(), "The calibration could not be saved in \"" +
                                    calibrationPath().toStdString() +
                                    "\": Could not create the file: Filename refers to a "
                                    "directory. It applies until the program ends.");
    EXPECT_DOUBLE_EQ(calibration.forPage().LeftOffsetMm, 3);
    EXPECT_TRUE(QFileInfo(calibrationPath()).isDir());
}

TEST_F(PrintCommandsTest, TestRectangleFromTheCalibrationDialog) {
    app.printer.printer().setOutputFormat(QPrinter::PdfFormat);
    app.printer.printer().setOutputFileName(pdfPath());
    calibrationDialog.BitBtn1Click();
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(pdfInfoField(pdfPath(), "Title"), "Test printing");

    app.printer.printer().setOutputFileName(QString());
    app.printer.printer().setOutputFormat(QPrinter::PdfFormat);
    calibrationDialog.BitBtn1Click();
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(dialogs.errorParents.front(), &calibrationDialog)
        << "the message belongs over the dialog it came from";
}

} // namespace
