// A printer named on the command line as the print server names it or not: the calibration is
// kept and found under the server's name for the queue, a name that is no queue is refused with
// those that are, and a damaged calibration of the queue's own is reported, not used.
#include "support/program_run.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PrinterNames : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* queue : {"PDF", "LineavoSecondPdf"}) {
            if (QPrinterInfo::printerInfo(queue).isNull())
                GTEST_SKIP() << "needs the print server's two PDF queues: run "
                                "scripts/start-cups.sh";
        }
        m_previous = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", m_previous); }

    QString printersFolder() const { return config.filePath("Tolvane/Lineavo-Pressolo/printers"); }
    QJsonObject shown(const QString& printer, QString* err = nullptr) {
        const ProgramRun run = runLineavo({"calibrate", "--printer", printer});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        if (err)
            *err = run.err;
        return QJsonDocument::fromJson(run.out).object();
    }
    // The page as render draws it for the printer, with what it said on standard error.
    QImage rendered(const QString& printer, QString& err) {
        const QString output = config.filePath("page.png");
        const ProgramRun run = runLineavo(
            {"render", "--output", output, "--dpi", "150", "--paper", "A5", "--printer", printer});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        err = run.err;
        return QImage(output);
    }

    QTemporaryDir config;

  private:
    QByteArray m_previous;
};

TEST_F(PrinterNames, ACalibrationIsKeptAndFoundUnderTheQueuesOwnName) {
    const ProgramRun set = runLineavo({"calibrate", "--printer", "pdf", "--width", "92", "--height",
                                       "108", "--left", "3", "--top", "4"});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(QDir(printersFolder()).entryList(QDir::Files), QStringList{"PDF.dat"});
    EXPECT_EQ(shown("PDF").value("calibration"), "own");
    EXPECT_EQ(shown("Pdf").value("printer"), "PDF");

    QString err;
    const QImage own = rendered("PDF", err);
    EXPECT_EQ(err, QString());
    EXPECT_EQ(rendered("pDf", err), own);
    EXPECT_EQ(err, QString());
    const QImage common = rendered("NoSuchQueue", err);
    EXPECT_NE(common, own);
    EXPECT_TRUE(err.contains("\"NoSuchQueue\"")) << err.toStdString();

    const ProgramRun unknown = runLineavo({"calibrate", "--printer", "NoSuchQueue"});
    EXPECT_EQ(unknown.exitCode, 2);
    for (const char* queue : {"\"NoSuchQueue\"", "\"PDF\"", "\"LineavoSecondPdf\""})
        EXPECT_TRUE(unknown.err.contains(QLatin1String(queue))) << unknown.err.toStdString();
}

TEST_F(PrinterNames, ADamagedOwnCalibrationIsReportedAndTheCommonOneShown) {
    ASSERT_TRUE(QDir().mkpath(printersFolder()));
    QFile damaged(printersFolder() + "/LineavoSecondPdf.dat");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(20, '\x7f'));
    damaged.close();

    QString err;
    EXPECT_EQ(shown("LineavoSecondPdf", &err).value("calibration"), "common");
    EXPECT_TRUE(err.contains(damaged.fileName())) << err.toStdString();
    rendered("LineavoSecondPdf", err);
    EXPECT_TRUE(err.contains(damaged.fileName())) << err.toStdString();
}

} // namespace
