// A picture printed alone on a page through the real print server, read back at the printer's
// resolution.
#include "pdf_pages.h"
#include "print_queue.h"
#include "support/measured_run.h"
#include "support/noise_image.h"

#include "printing/current_printer.h"
#include "viewer/picture_print_geometry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr QRgb kPaper = 0xffffffff;

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The document the program handed to the print server for job `id`, which the server keeps
// after printing.
QString spooledDocument(int id) {
    return QStringLiteral("/var/spool/cups/d%1-001").arg(id, 5, 10, QChar(u'0'));
}

// The pictures of a PDF as pdfimages extracts them into `folder`: compressed JPEG data as it is
// (".jpg"), anything else as decoded pixels.
QStringList extractedPictures(const QString& pdfPath, const QString& folder) {
    QDir().mkpath(folder);
    QProcess pdfimages;
    pdfimages.start(QStringLiteral("pdfimages"), {"-j", pdfPath, folder + "/picture"});
    if (!pdfimages.waitForFinished(30000) || pdfimages.exitCode() != 0)
        return {};
    QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (QString& file : files)
        file = folder + u'/' + file;
    return files;
}

TEST_F(PrintQueueTest, PictureFillsThePageAtItsProportionsWithEdgesOnTheRule) {
    // Four quarters of four colours, so that a picture turned or mirrored shows.
    const QRgb quarters[2][2] = {{qRgb(255, 0, 0), qRgb(0, 160, 0)},
                                 {qRgb(0, 0, 255), qRgb(0, 0, 0)}};
    QImage picture(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, quarters[y * 2 / picture.height()][x * 2 / picture.width()]);
    QTemporaryDir dir;
    const QString file = dir.filePath("quarters.png");
    ASSERT_TRUE(picture.save(file));

    const int before = newestJobId();
    const MeasuredRun run = runMeasured({"print-picture", file});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    ASSERT_GT(run.peakKilobytes, 0) << run.standardError.toStdString();
    EXPECT_LT(run.peakKilobytes, 300 * 1024);
    const FinishedJob job = waitForJobAfter(before, QStringLiteral("Lineavo-Picture"));
    ASSERT_FALSE(job.pdfPath.isEmpty());
    // The picture went out once at its own size, not as a page of device pixels.
    EXPECT_EQ(pdfImageCount(job.pdfPath), 1);
    EXPECT_LT(QFileInfo(job.pdfPath).size(), 64 * 1024);

    CurrentPrinter current;
    const PrinterPage page = current.page();
    const QRect placed = placePicture(picture.size(), page.printableArea, PicturePrintChoice());
    ASSERT_FALSE(placed.isEmpty());
    // At each corner of the placed picture, two pixels inside has the picture's colour there
    // and two outside is paper: the edge lies within one device pixel of the rule.
    struct Corner {
        QPoint at;
        QPoint inward;
        QRgb color;
    };
    const Corner corners[] = {
        {placed.topLeft(), {1, 1}, quarters[0][0]},
        {placed.topRight(), {-1, 1}, quarters[0][1]},
        {placed.bottomLeft(), {1, -1}, quarters[1][0]},
        {placed.bottomRight(), {-1, -1}, quarters[1][1]},
    };
    const QRect paper(QPoint(), page.printableArea);
    for (const Corner& corner : corners) {
        SCOPED_TRACE(
            QString("corner at %1,%2").arg(corner.at.x()).arg(corner.at.y()).toStdString());
        const QRect crop = QRect(corner.at - QPoint(4, 4), QSize(9, 9)).intersected(paper);
        const QImage printed = rasterisePdfPage(job.pdfPath, 1, page.dotsPerInch, crop);
        ASSERT_FALSE(printed.isNull());
        const auto pixelAt = [&](QPoint onPage) {
            return printed.pixel(onPage - crop.topLeft()) | 0xff000000u;
        };
        EXPECT_EQ(pixelAt(corner.at + 2 * corner.inward), corner.color);
        // Paper beside and above or below it; where the picture reaches the side of the
        // printable area there is none to see.
        const QPoint inward = 2 * corner.inward;
        for (QPoint outside : {corner.at + QPoint(-inward.x(), inward.y()),
                               corner.at + QPoint(inward.x(), -inward.y())}) {
            if (crop.contains(outside)) {
                EXPECT_EQ(pixelAt(outside), kPaper);
            }
        }
    }
}

TEST_F(PrintQueueTest, APictureKeepingItsAspectIsNarrowedWhereTheWidthGivenWouldStretchIt) {
    constexpr QRgb kBlue = 0xff0000ff;
    QImage picture(50, 400, QImage::Format_RGB32);
    picture.fill(kBlue);
    QTemporaryDir dir;
    const QString file = dir.filePath("tall.png");
    ASSERT_TRUE(picture.save(file));

    const int before = newestJobId();
    QString err;
    ASSERT_EQ(runProgram({"print-picture", file, "--width", "100"}, err), 0) << err.toStdString();
    const FinishedJob job = waitForJobAfter(before, QStringLiteral("Lineavo-Picture"));
    ASSERT_FALSE(job.pdfPath.isEmpty());

    // Halfway down, the picture's middle is printed and a tenth of the way in is paper.
    const PrinterPage page = CurrentPrinter().page();
    const QSize area = page.printableArea;
    const std::pair<QPoint, QRgb> samples[] = {
        {QPoint(area.width() / 2, area.height() / 2), kBlue},
        {QPoint(area.width() / 10, area.height() / 2), kPaper},
    };
    for (const auto& [at, color] : samples) {
        const QImage printed =
            rasterisePdfPage(job.pdfPath, 1, page.dotsPerInch, QRect(at, QSize(1, 1)));
        ASSERT_FALSE(printed.isNull());
        EXPECT_EQ(printed.pixel(0, 0) | 0xff000000u, color) << at.x() << "," << at.y();
    }
}

TEST_F(PrintQueueTest, AJpegGoesToThePrinterAsItsOwnDataOntoTheSamePixels) {
    // The same picture printed as a PNG of the decoded pixels takes the way every other
    // picture takes, which the JPEG's own data must match on paper.
    const QSize size(120, 90);
    const QImage::Format formats[] = {QImage::Format_RGB32, QImage::Format_Grayscale8};
    const PrinterPage page = CurrentPrinter().page();
    const QSize area = page.printableArea;
    const std::optional<PrintPercents> percents =
        proportionalPercents(PercentSide::Width, 20, size, area);
    ASSERT_TRUE(percents);
    PicturePrintChoice choice;
    choice.useFullPage = false;
    choice.widthPercent = percents->width;
    choice.heightPercent = percents->height;
    const QRect crop = placePicture(size, area, choice).adjusted(-2, -2, 2, 2);
    QTemporaryDir dir;
    for (QImage::Format format : formats) {
        const QString name = format == QImage::Format_RGB32 ? "colour" : "grey";
        SCOPED_TRACE(name.toStdString());
        const QString jpeg = dir.filePath(name + ".jpg");
        const QString png = dir.filePath(name + ".png");
        ASSERT_TRUE(noiseImage(size, 7).convertToFormat(format).save(jpeg, "JPEG", 90));
        ASSERT_TRUE(QImage(jpeg).save(png));
        FinishedJob jobs[2];
        for (int i = 0; i < 2; ++i) {
            const int before = newestJobId();
            QString err;
            ASSERT_EQ(runProgram({"print-picture", i == 0 ? jpeg : png, "--width", "20"}, err), 0)
                << err.toStdString();
            jobs[i] = waitForJobAfter(before, QStringLiteral("Lineavo-Picture"));
            ASSERT_FALSE(jobs[i].pdfPath.isEmpty());
        }

        const QStringList sent =
            extractedPictures(spooledDocument(jobs[0].id), dir.filePath(name + "-sent"));
        ASSERT_EQ(sent.size(), 1);
        EXPECT_TRUE(sent[0].endsWith(".jpg")) << sent[0].toStdString();
        EXPECT_TRUE(fileBytes(sent[0]) == fileBytes(jpeg)) << "the data sent differs from the file";

        const QImage printed = rasterisePdfPage(jobs[0].pdfPath, 1, page.dotsPerInch, crop);
        const QImage expected = rasterisePdfPage(jobs[1].pdfPath, 1, page.dotsPerInch, crop);
        ASSERT_FALSE(printed.isNull());
        ASSERT_EQ(printed.size(), expected.size());
        // Decoders of JPEG may differ by a little in a colour, never in where the picture lies:
        // a picture one pixel off meets paper at its edges, as far from noise as can be.
        constexpr int kDecoderSlack = 3;
        EXPECT_LE(largestChannelDifference(printed, expected), kDecoderSlack);
    }
}

} // namespace
