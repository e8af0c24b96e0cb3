// Pictures on paper: the texture, its merge with the lines and the placed picture, printed
// through the real print server and rendered to PDF, against the raster render.
#include "pdf_pages.h"
#include "print_queue.h"
#include "support/measured_run.h"
#include "support/noise_image.h"

#include "calibration/calibration.h"
#include "document/document_file.h"
#include "page/loaded_design.h"
#include "printing/current_printer.h"
#include "printing/print_job.h"
#include "render/device_scales.h"
#include "settings/paper_settings.h"
#include "support/image_compare.h"
#include "support/succeeds.h"

#include <QImageReader>
#include <QTemporaryDir>

namespace {

// Above 450 dpi, where a print server that downsamples pictures would show it.
constexpr int kDotsPerInch = 600;

// Pixels that differ everywhere, so that a shifted, resampled or lossily compressed picture
// shows; written as PNG.
QString writeNoise(const QString& path, QSize size, int seed) {
    const QImage image = noiseImage(size, quint32(seed) * 2654435761u + 1);
    EXPECT_TRUE(image.save(path));
    return path;
}

TEST_F(PrintQueueTest, TexturesMergesAndPicturesReachThePaperOnTheRenderersPixels) {
    QImageReader::setAllocationLimit(0); // a whole page at 600 dpi is read back
    QTemporaryDir dir;
    const QString texture = writeNoise(dir.filePath("texture.png"), QSize(83, 47), 1);
    const QString picture = writeNoise(dir.filePath("logo.png"), QSize(40, 30), 2);
    struct Row {
        const char* name;
        MergeMode merge;
        PictureCorner corner;
    };
    // Each merge takes its own way to the paper; pictures in opposite corners meet every side.
    const Row rows[] = {
        {"no merge, picture top left", MergeMode::NOMergeCheck, PictureCorner::obenlinks},
        {"NOT, picture bottom left", MergeMode::Merge2Check, PictureCorner::untenlinks},
        {"XOR, picture bottom right", MergeMode::Merge1Check, PictureCorner::untenrechts},
    };
    CurrentPrinter current;
    current.printer().setResolution(kDotsPerInch);
    const QSize area = current.page().printableArea;
    CalibrationSettings calibration; // 100 x 100 mm, no offset
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PaperSettings settings;
        settings.setPaperKind(PaperKind::Checkered);
        settings.setFlag(Setting::LeftBorderLineCheck, true);
        settings.setColour(Setting::ColvarColorComboBox1, colorValueFromRgb(192, 192, 192));
        settings.setText(Setting::FilenameEdit2, texture);
        settings.field(Setting::BreitEd2).setValue(3.1); // tiles cut by both sides
        settings.field(Setting::HochEd2).setValue(2.3);
        settings.setMergeMode(row.merge);
        settings.setText(Setting::FilenameEdit1, picture);
        settings.field(Setting::PosXEd).setValue(0.7);
        settings.setPictureCorner(row.corner);
        const QString design = dir.filePath("pictures.lvo");
        ASSERT_SUCCEEDS(saveDocument(settings, design));

        QString err;
        const QString size = QString("%1x%2").arg(area.width()).arg(area.height());
        for (const char* output : {"render.png", "render.pdf"}) {
            ASSERT_EQ(runProgram({"render", design, "--output", dir.filePath(output), "--dpi",
                                  QString::number(kDotsPerInch), "--page", size, "--calibration",
                                  "0,0,100,100"},
                                 err),
                      0)
                << err.toStdString();
        }
        const QImage rendered(dir.filePath("render.png"));
        ASSERT_EQ(rendered.size(), area);
        // The corners hold the picture, tiles cut by the sides and lines over both; pictures
        // that were resampled or compressed on the way would show anywhere.
        const QSize corner(1300, 1000);
        const QRect parts[] = {
            QRect(QPoint(0, 0), corner),
            QRect(QPoint(area.width() - corner.width(), 0), corner),
            QRect(QPoint(0, area.height() - corner.height()), corner),
            QRect(QPoint(area.width() - corner.width(), area.height() - corner.height()), corner),
        };
        const auto sameCorners = [&](const QString& pdf, const QString& name) {
            for (const QRect& part : parts) {
                EXPECT_TRUE(imagesEqual(rendered.copy(part),
                                        rasterisePdfPage(pdf, 1, kDotsPerInch, part),
                                        QString("%1-%2-%3-%4")
                                            .arg(name)
                                            .arg(int(row.corner))
                                            .arg(part.x())
                                            .arg(part.y())));
            }
        };
        sameCorners(dir.filePath("render.pdf"), "pdf");

        LoadedDesign loaded;
        ASSERT_TRUE(loaded.open(pageDesignOf(settings)).isEmpty());
        const int before = newestJobId();
        const PageScale scale = printScale(current.page(), calibration.forPage());
        ASSERT_SUCCEEDS(printDesign(current, {scale, loaded.design, loaded.layers()}, 1));
        const FinishedJob job = waitForJobAfter(before);
        ASSERT_FALSE(job.pdfPath.isEmpty());
        sameCorners(job.pdfPath, "printed");
    }
}

// A texture whose lines merge with it is the largest thing a page sends.
TEST_F(PrintQueueTest, PrintingATexturePageAt1200DotsPerInchStaysSmallInMemory) {
    QTemporaryDir dir;
    PaperSettings settings;
    settings.setText(Setting::FilenameEdit2,
                     writeNoise(dir.filePath("texture.png"), {640, 480}, 3));
    settings.setMergeMode(MergeMode::Merge1Check);
    const QString design = dir.filePath("texture.lvo");
    ASSERT_SUCCEEDS(saveDocument(settings, design));
    CurrentPrinter current;
    ASSERT_EQ(current.page().dotsPerInch, 1200);
    const int before = newestJobId();
    const MeasuredRun run = runMeasured({"print", design});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    ASSERT_GT(run.peakKilobytes, 0) << run.standardError.toStdString();
    EXPECT_LT(run.peakKilobytes, 300 * 1024);
    EXPECT_FALSE(waitForJobAfter(before).pdfPath.isEmpty());
}

} // namespace
