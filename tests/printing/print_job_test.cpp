// The print job without a print server: its scale, the test rectangle's size, failures and
// merged lines on a printer that writes a PDF file. What reaches the paper is checked through
// the print server.
#include "pdf_pages.h"

#include "calibration/calibration.h"
#include "page/picture_page_layers.h"
#include "picture/picture_record.h"
#include "printing/current_printer.h"
#include "printing/print_job.h"
#include "render/device_scales.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"
#include "support/image_compare.h"
#include "support/noise_image.h"
#include "viewer/picture_print_geometry.h"
#include "viewer/picture_print_job.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A job's outcome as gtest can show it.
std::string outcome(const Failure& failure) {
    return failure.failed() ? failure.message().toStdString() : "success";
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
    // The settings' design printed at the printer's scale as it is now.
    Failure print(int copies, const PageLayers& layers = PageLayers()) {
        const PageScale scale = printScale(current.page(), calibration.forPage());
        return printDesign(current, {scale, pageDesignOf(settings), layers}, copies);
    }

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
    EXPECT_EQ(outcome(print(0)),
              "There is nothing to print: the number of copies must be at least 1.");
    EXPECT_FALSE(QFileInfo::exists(pdfPath()));

    // What the toolkit offers when no print server runs: a PDF file without a name.
    current.printer().setOutputFileName(QString());
    current.printer().setOutputFormat(QPrinter::PdfFormat);
    const std::string noPrinter =
        "There is no printer to print on: the print server is not running or offers no "
        "printer.";
    EXPECT_EQ(outcome(print(1)), noPrinter);
    EXPECT_EQ(outcome(printTestRectangle(current)), noPrinter);

    const QString unwritable = dir.filePath("no such folder/job.pdf");
    current.printer().setOutputFileName(unwritable);
    EXPECT_EQ(outcome(print(1)), "The printer \"" + unwritable.toStdString() +
                                     "\" could not begin the job \"Lineavo\".");
}

// A dot grid merged by XOR with a texture goes out as pictures of the merged pixels, which must
// land on the pixels of the raster render.
TEST_F(PrintJobToFile, DotGridMergedWithATextureLiesOnTheRenderersPixels) {
    const QImage noise = noiseImage({61, 43}, 5);
    const PictureRecord texture = PictureRecord::fromTrueColor(noise);
    const PictureRecord noPicture;
    const PicturePageLayers layers(texture, noPicture);
    settings.setPaperKind(PaperKind::DotGrid);
    settings.field(Setting::MajorEveryEd).setValue(4);
    settings.setFlag(Setting::LeftBorderLineCheck, true);
    settings.field(Setting::BreitEd2).setValue(1.7); // tiles cut by the sides
    settings.setMergeMode(MergeMode::Merge1Check);
    current.printer().setResolution(300);
    ASSERT_EQ(outcome(print(1, layers)), "success");

    const PrinterPage page = current.page();
    ImageSurface expected(page.printableArea);
    DrawPage(expected, printScale(page, calibration.forPage()), pageDesignOf(settings), layers);
    // A file has no margins: the printable area starts at the sheet's corner.
    const QRect area(QPoint(0, 0), page.printableArea);
    EXPECT_TRUE(imagesEqual(expected.image(),
                            rasterisePdfPage(pdfPath(), 1, page.dotsPerInch, area),
                            "xor-dot-grid-pdf"));
}

// A picture too large to go out whole is sent in bands, each placed from the one scale of the
// stretch: wherever their edges fall between the printer's pixels, no seam of paper shows.
TEST_F(PrintJobToFile, APictureSentInBandsShowsNoSeam) {
    // Black, which a rasteriser that averages the picture's pixels keeps exactly.
    constexpr QRgb kBlack = 0xff000000;
    QImage pixels(4097, 3000, QImage::Format_Indexed8);
    pixels.setColorTable({kBlack});
    pixels.fill(0);
    const PictureRecord picture = PictureRecord::fromIndexed(pixels, 8);
    for (int dotsPerInch : {150, 600}) {
        SCOPED_TRACE(dotsPerInch);
        current.printer().setResolution(dotsPerInch);
        ASSERT_EQ(outcome(printPicture(current, picture, PicturePrintChoice())), "success");
        ASSERT_GT(pdfImageCount(pdfPath()), 1);
        const PrinterPage page = current.page();
        const QRect inside = placePicture(pixels.size(), page.printableArea, PicturePrintChoice())
                                 .adjusted(1, 1, -1, -1);
        const QImage printed = rasterisePdfPage(pdfPath(), 1, page.dotsPerInch, inside);
        ASSERT_FALSE(printed.isNull());
        QImage expected(printed.size(), QImage::Format_RGB32);
        expected.fill(kBlack);
        EXPECT_TRUE(imagesEqual(expected, printed, "banded-picture"));
    }
}

} // namespace
