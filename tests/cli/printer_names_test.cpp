// A printer named on the command line as the print server names it or not: its calibration is
// kept and found under the server's name for the queue, a name that is no queue is refused with
// those that are, and a damaged calibration of the queue's own is reported, not used.
#include "support/program_run.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(PrinterNames, ACalibrationIsKeptUnderTheQueuesOwnNameAndADamagedOneIsReported) {
    if (QPrinterInfo::printerInfo("PDF").isNull())
        GTEST_SKIP() << "needs the print server's PDF queue: run scripts/start-cups.sh";
    QTemporaryDir config;
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const QString printers = config.filePath("Tolvane/Lineavo-Pressolo/printers");
    const auto run = [](const QStringList& words, int exitCode) {
        const ProgramRun done = runLineavo(words);
        EXPECT_EQ(done.exitCode, exitCode) << done.err.toStdString();
        return done;
    };
    const auto render = [&](const QString& printer) {
        const QString output = config.filePath(printer + ".png");
        const ProgramRun done = run(
            {"render", "--output", output, "--dpi", "150", "--paper", "A6", "--printer", printer},
            0);
        return std::pair(QImage(output), done.err);
    };

    run({"calibrate", "--printer", "pdf", "--width", "92", "--height", "108", "--left", "3",
         "--top", "4"},
        0);
    EXPECT_EQ(QDir(printers).entryList(QDir::Files), QStringList{"PDF.dat"});
    EXPECT_TRUE(run({"calibrate", "--printer", "Pdf"}, 0).out.contains("\"own\""));
    const auto [own, ownErr] = render("PDF");
    EXPECT_EQ(render("pDf"), std::pair(own, ownErr));
    EXPECT_EQ(ownErr, QString());
    const auto [common, commonErr] = render("NoSuchQueue");
    EXPECT_NE(common, own);
    EXPECT_TRUE(commonErr.contains("\"NoSuchQueue\"")) << commonErr.toStdString();

    const ProgramRun unknown = run({"calibrate", "--printer", "NoSuchQueue"}, 2);
    EXPECT_TRUE(unknown.err.contains("\"PDF\"")) << unknown.err.toStdString();

    QFile damaged(printers + "/PDF.dat");
    EXPECT_TRUE(damaged.resize(20));
    const ProgramRun shown = run({"calibrate", "--printer", "PDF"}, 0);
    EXPECT_TRUE(shown.out.contains("\"common\""));
    EXPECT_TRUE(shown.err.contains(damaged.fileName())) << shown.err.toStdString();
    EXPECT_EQ(render("PDF").first, common);
    qputenv("XDG_CONFIG_HOME", previous);
}

} // namespace
