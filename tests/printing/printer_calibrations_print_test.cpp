// One design printed on two printers of different calibrations: each page at its own printer's
// scale, pixel for pixel what render draws with that printer's calibration.
#include "pdf_pages.h"
#include "print_queue.h"

#include "document/document_file.h"
#include "printing/application.h"
#include "printing/print_job.h"
#include "render/device_scales.h"
#include "support/image_compare.h"
#include "support/succeeds.h"

#include <QDir>
#include <QPrinterInfo>
#include <QTemporaryDir>

namespace {

constexpr const char* kSecondQueue = "LineavoSecondPdf";
constexpr int kDotsPerInch = 300; // the second queue's own resolution

// Ruled paper with its top and bottom margins, edge lines and the check ruler, so that a shift
// or stretch on either axis shows.
void useRulerDesign(PaperSettings& settings) {
    settings.field(Setting::BorderTopEd).setValue(2);
    settings.field(Setting::BorderBottomEd).setValue(1.5);
    settings.setFlag(Setting::LeftBorderLineCheck, true);
    settings.setFlag(Setting::RightBorderLineCheck, true);
    settings.setFlag(Setting::RulerCheck, true);
}

TEST_F(PrintQueueTest, EachPrinterPrintsTheDesignWithItsOwnCalibration) {
    if (QPrinterInfo::printerInfo(kSecondQueue).isNull())
        GTEST_SKIP() << "the second PDF queue is missing: run scripts/start-cups.sh";
    QTemporaryDir dir;
    const QString config = dir.filePath("config");
    const QString folder = config + "/Tolvane/Lineavo-Pressolo";
    ASSERT_TRUE(QDir().mkpath(folder + "/printers"));
    // The common calibration, whose top distance is not applied, and the second printer's own.
    ASSERT_SUCCEEDS(writeCalibrationFile(folder + "/options.dat", {4, 5, 101, 99}));
    ASSERT_SUCCEEDS(
        writeCalibrationFile(folder + "/printers/" + kSecondQueue + ".dat", {2, 6, 98, 103}));
    const QStringList environment = {"XDG_CONFIG_HOME=" + config};
    PaperSettings settings;
    useRulerDesign(settings);
    const QString design = dir.filePath("ruler.lvo");
    ASSERT_SUCCEEDS(saveDocument(settings, design));

    // The first queue prints at 1200 dpi; asked for 300 here, as the window may, so that its page
    // is read back whole.
    Application app{folder + "/options.dat", folder + "/printers"};
    ASSERT_SUCCEEDS(app.printer.selectPrinter(kQueue));
    app.followPrinterCalibration();
    app.printer.printer().setResolution(kDotsPerInch);
    const int beforeFirst = newestJobId(kQueue);
    const PageScale scale = printScale(app.printer.page(), app.calibration.forPage());
    ASSERT_SUCCEEDS(printDesign(app.printer, {scale, pageDesignOf(settings), PageLayers()}, 1));
    const PrinterPage firstPage = app.printer.page();

    // The second through the command, which takes its printer's calibration itself.
    const int beforeSecond = newestJobId(kSecondQueue);
    QString err;
    ASSERT_EQ(runProgram({"print", design, "--printer", kSecondQueue}, err, environment), 0)
        << err.toStdString();
    ASSERT_SUCCEEDS(app.printer.selectPrinter(kSecondQueue));
    const PrinterPage secondPage = app.printer.page();
    ASSERT_EQ(secondPage.dotsPerInch, kDotsPerInch);

    struct Row {
        const char* queue;
        int before;
        PrinterPage page;
    };
    const Row rows[] = {{kQueue, beforeFirst, firstPage}, {kSecondQueue, beforeSecond, secondPage}};
    QList<QImage> printedPages;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.queue);
        const FinishedJob job = waitForJobAfter(row.before, QStringLiteral("Lineavo"), row.queue);
        ASSERT_FALSE(job.pdfPath.isEmpty());
        const QString rendered = dir.filePath(QString("%1.png").arg(row.queue));
        const QSize area = row.page.printableArea;
        ASSERT_EQ(runProgram({"render", design, "--output", rendered, "--dpi",
                              QString::number(kDotsPerInch), "--page",
                              QString("%1x%2").arg(area.width()).arg(area.height()), "--printer",
                              row.queue},
                             err, environment),
                  0)
            << err.toStdString();
        const QImage printed =
            rasterisePdfPage(job.pdfPath, 1, kDotsPerInch, QRect(QPoint(), area));
        ASSERT_FALSE(printed.isNull());
        EXPECT_TRUE(imagesEqual(QImage(rendered), printed, row.queue));
        printedPages << printed;
    }
    ASSERT_EQ(printedPages.size(), 2);
    EXPECT_NE(printedPages[0], printedPages[1]);
}

} // namespace
