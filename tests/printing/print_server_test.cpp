// Printing through the real print server to its PDF queue, and reading back what reached the
// paper at the printer's resolution.
#include "pdf_pages.h"
#include "print_queue.h"

#include "calibration/calibration.h"
#include "document/document_file.h"
#include "page/draw_page.h"
#include "printing/current_printer.h"
#include "printing/print_job.h"
#include "render/device_scales.h"
#include "render/image_surface.h"
#include "settings/paper_settings.h"
#include "support/image_compare.h"
#include "support/succeeds.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

std::string outcome(const Failure& failure) {
    return failure.failed() ? failure.message().toStdString() : "success";
}

// A checkered page whose grid, edge lines and stopped ruling all reach the printable area's
// sides, so that any shift or stretch on the way to the paper shows.
void useEdgyDesign(PaperSettings& settings) {
    settings.setPaperKind(PaperKind::Checkered);
    settings.field(Setting::CaretSpaceED).setValue(4.3);
    settings.setFlag(Setting::LeftBorderLineCheck, true);
    settings.setFlag(Setting::RightBorderLineCheck, true);
    settings.setFlag(Setting::NoRightBorderFillCheck, true);
}

// The page the printer should show in `area` (device pixels) of a page at `scale`.
QImage expectedPart(const PaperSettings& settings, const PageScale& scale, const QRect& area) {
    ImageSurface surface(area.size(), area.topLeft());
    DrawPage(surface, scale, pageDesignOf(settings));
    return surface.image();
}

TEST_F(PrintQueueTest, PageReachesThePaperOnTheRenderersPixels) {
    QTemporaryDir dir;
    PaperSettings settings;
    useEdgyDesign(settings);
    const QString design = dir.filePath("edgy.lvo");
    ASSERT_SUCCEEDS(saveDocument(settings, design));
    CalibrationSettings calibration;
    calibration.LinksEd.setValue(4);
    calibration.BreitEd.setValue(101);
    calibration.HochEd.setValue(99);

    CurrentPrinter current;
    current.printer().setResolution(300);
    const PrinterPage page = current.page();
    ASSERT_EQ(page.dotsPerInch, 300);
    const int before = newestJobId();
    QElapsedTimer spooling;
    spooling.start();
    const PageScale scale = printScale(page, calibration.forPage());
    ASSERT_EQ(outcome(printDesign(current, {scale, pageDesignOf(settings), PageLayers()}, 1)),
              "success");
    EXPECT_LT(spooling.elapsed(), 1000);

    const FinishedJob job = waitForJobAfter(before);
    ASSERT_FALSE(job.pdfPath.isEmpty());
    EXPECT_EQ(job.title, "Lineavo");
    EXPECT_EQ(pdfInfoField(job.pdfPath, "Pages"), "1");
    // Lines travel as shapes: no picture in the document, and only a few kilobytes.
    EXPECT_EQ(pdfImageCount(job.pdfPath), 0);
    EXPECT_LT(QFileInfo(job.pdfPath).size(), 16 * 1024);

    const QString rendered = dir.filePath("rendered.png");
    QString err;
    ASSERT_EQ(
        runProgram(
            {"render", design, "--output", rendered, "--dpi", "300", "--page",
             QString("%1x%2").arg(page.printableArea.width()).arg(page.printableArea.height()),
             "--calibration", "4,0,101,99"},
            err),
        0)
        << err.toStdString();
    const QImage printed = rasterisePdfPage(job.pdfPath, 1, 300);
    ASSERT_FALSE(printed.isNull());
    EXPECT_TRUE(imagesEqual(QImage(rendered), printed.copy(QRect(QPoint(), page.printableArea)),
                            "printed-300dpi"));
}

TEST_F(PrintQueueTest, CommandPrintsCopiesAsPagesOfOneJobAtThePrintersOwnResolution) {
    QTemporaryDir dir;
    PaperSettings settings;
    useEdgyDesign(settings);
    const QString design = dir.filePath("edgy.lvo");
    ASSERT_SUCCEEDS(saveDocument(settings, design));

    const int before = newestJobId();
    QString err;
    ASSERT_EQ(runProgram({"print", design, "--copies", "3"}, err), 0) << err.toStdString();
    const FinishedJob job = waitForJobAfter(before);
    ASSERT_FALSE(job.pdfPath.isEmpty());
    EXPECT_EQ(job.title, "Lineavo");
    EXPECT_EQ(newestJobId(), job.id) << "the copies went out as more than one job";
    EXPECT_EQ(pdfInfoField(job.pdfPath, "Pages"), "3");

    // The command prints with the calibration saved beside it, as the window does.
    CalibrationSettings calibration;
    calibration.load(QFileInfo(LINEAVO_EXECUTABLE).absolutePath() + "/options.dat");
    CurrentPrinter current;
    const PageScale scale = printScale(current.page(), calibration.forPage());
    const int width = scale.SurfaceWidth;
    const int height = scale.SurfaceHeight;
    // Corners of the page at full resolution; a whole page would be hundreds of megabytes.
    const QRect parts[] = {QRect(0, 0, 1600, 1200), QRect(width - 1600, height - 1200, 1600, 1200)};
    for (int copy = 1; copy <= 3; ++copy) {
        for (const QRect& part : parts) {
            const QImage printed = rasterisePdfPage(job.pdfPath, copy, scale.DotsPerInch, part);
            ASSERT_FALSE(printed.isNull());
            EXPECT_TRUE(
                imagesEqual(expectedPart(settings, scale, part), printed,
                            QString("copy-%1-at-%2-%3").arg(copy).arg(part.x()).arg(part.y())));
        }
    }
}

TEST_F(PrintQueueTest, TestRectangleIsAHundredMillimetresOnEachSide) {
    const int before = newestJobId();
    QString err;
    ASSERT_EQ(runProgram({"print-test"}, err), 0) << err.toStdString();
    const FinishedJob job = waitForJobAfter(before, "Test printing");
    ASSERT_FALSE(job.pdfPath.isEmpty());
    EXPECT_EQ(job.title, "Test printing");
    EXPECT_EQ(pdfInfoField(job.pdfPath, "Pages"), "1");

    CurrentPrinter current;
    const int dpi = current.page().dotsPerInch;
    const int side = int(100 / 25.39995 * dpi);
    // Silver inside a black outline one pixel wide, on white paper around it.
    QImage expected(side + 6, side + 6, QImage::Format_RGB32);
    expected.fill(Qt::white);
    for (int i = 0; i < side; ++i) {
        for (int edge : {0, side - 1}) {
            expected.setPixel(i, edge, qRgb(0, 0, 0));
            expected.setPixel(edge, i, qRgb(0, 0, 0));
        }
    }
    for (int y = 1; y < side - 1; ++y)
        for (int x = 1; x < side - 1; ++x)
            expected.setPixel(x, y, qRgb(192, 192, 192));
    const QImage printed = rasterisePdfPage(job.pdfPath, 1, dpi, expected.rect());
    EXPECT_TRUE(imagesEqual(expected, printed, "test-rectangle"));
}

TEST_F(PrintQueueTest, FailuresAreReportedAndNothingIsPrinted) {
    struct Row {
        const char* name;
        QStringList arguments;
        QStringList environment;
        const char* message;
    };
    const Row rows[] = {
        {"queue that rejects jobs",
         {"print", "--printer", "LineavoRejecting"},
         {},
         "The printer \"LineavoRejecting\" does not accept jobs: Closed for the print tests.\n"},
        {"queue that refuses the job itself",
         {"print-test", "--printer", "LineavoForbidden"},
         {},
         "The print server refused the job \"Test printing\" for the printer "
         "\"LineavoForbidden\": "},
        {"unknown printer",
         {"print", "--printer", "NoSuchPrinter", "--copies", "2"},
         {},
         "There is no printer named \"NoSuchPrinter\". Name one of \""},
        {"print server that does not answer, with a printer named",
         {"print", "--printer", "PDF"},
         {"CUPS_SERVER=127.0.0.1:1"},
         "The print server does not answer, so nothing can be printed on \"PDF\".\n"},
        {"no print server",
         {"print"},
         {"CUPS_SERVER=/nonexistent/cups.sock"},
         "There is no printer to print on: the print server is not running or offers no "
         "printer.\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const int before = newestJobId();
        QString err;
        EXPECT_EQ(runProgram(row.arguments, err, row.environment), 1);
        EXPECT_TRUE(err.contains(QString::fromUtf8(row.message))) << err.toStdString();
        EXPECT_EQ(newestJobId(), before);
    }
}

} // namespace
