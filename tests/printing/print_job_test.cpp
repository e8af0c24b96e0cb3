// The print job without a print server: its scale, the test rectangle's size, and failures
// on a printer that writes a PDF file. What reaches the paper is checked through the print
// server.
#include "document/calibration.h"
#include "printing/current_printer.h"
#include "printing/print_job.h"
#include "settings/paper_settings.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A job's outcome as gtest can show it.
std::string outcome(const std::optional<QString>& error) {
    return error ? error->toStdString() : "success";
}

class PrintJobToFile : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QPrinter& printer = current.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath());
        printer.setResolution(150);
        printer.setPageSize(QPageSize(QPageSize::A5));
        current.followPrinter();
    }
    QString pdfPath() const { return dir.filePath("job.pdf"); }

    QTemporaryDir dir;
    CurrentPrinter current;
    PaperSettings settings;
    CalibrationSettings calibration;
};

TEST(TestRectangleSize, IsAHundredMillimetresAtEachResolution) {
    EXPECT_EQ(testRectangleSize(600, 600), QSize(2362, 2362));
    EXPECT_EQ(testRectangleSize(300, 300), QSize(1181, 1181));
    EXPECT_EQ(testRectangleSize(600, 1200), QSize(2362, 4724));
}

TEST(PrintScale, AppliesTheCalibrationButNoZoom) {
    CalibrationSettings calibration;
    calibration.BreitEd.setValue(101);
    calibration.HochEd.setValue(98);
    calibration.LinksEd.setValue(4);
    const PageScale scale = printScale(PrinterPage{600, QSize(4760, 6814)}, calibration.forPage());
    EXPECT_EQ(scale.SurfaceWidth, 4760);
    EXPECT_EQ(scale.SurfaceHeight, 6814);
    EXPECT_FALSE(scale.ZoomPercent.has_value());
    // The default left edge of 25 mm less the left distance, shrunk by 100/101.
    EXPECT_EQ(scale.MmToX(25 - scale.LeftOffsetMm), 491);
    EXPECT_DOUBLE_EQ(scale.MmPerInchY, 98 * 25.39995 / 100);
}

TEST_F(PrintJobToFile, FailuresAreSentencesAndPrintNothing) {
    EXPECT_EQ(outcome(printDesign(current, settings, calibration, 0)),
              "There is nothing to print: the number of copies must be at least 1.");
    EXPECT_FALSE(QFileInfo::exists(pdfPath()));

    // What the toolkit offers when no print server runs: a PDF file without a name.
    current.printer().setOutputFileName(QString());
    current.printer().setOutputFormat(QPrinter::PdfFormat);
    const std::string noPrinter =
        "There is no printer to print on: the print server is not running or offers no "
        "printer.";
    EXPECT_EQ(outcome(printDesign(current, settings, calibration, 1)), noPrinter);
    EXPECT_EQ(outcome(printTestRectangle(current)), noPrinter);

    const QString unwritable = dir.filePath("no such folder/job.pdf");
    current.printer().setOutputFileName(unwritable);
    EXPECT_EQ(outcome(printDesign(current, settings, calibration, 1)),
              "The printer \"" + unwritable.toStdString() +
                  "\" could not begin the job \"Lineavo\".");
}

} // namespace
