// Round dots far larger than their spacing, rendered by the program as a user runs it: each
// dot covers most of the page and is drawn over all the others. The memory this takes must not
// grow with the dots' size or number, so it is held against the same page with small dots,
// measured in the same run.
#include "support/measured_run.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class RenderMemory : public ::testing::Test {
  protected:
    void save(const QString& design, const QStringList& settings) {
        QStringList arguments{"save",  m_folder.filePath(design), "--set", "DotGridCheck=on",
                              "--set", "CaretSpaceED=1"};
        for (const QString& setting : settings)
            arguments << "--set" << setting;
        QProcess program;
        program.start(QStringLiteral(LINEAVO_EXECUTABLE), arguments);
        ASSERT_TRUE(program.waitForFinished(60000));
        ASSERT_EQ(program.exitCode(), 0) << program.readAllStandardError().constData();
    }

    // The peak resident size in kilobytes of rendering `design` to `output`.
    qint64 peakKilobytesOfRender(const QString& design, const QString& output) {
        const MeasuredRun run =
            runMeasured({"render", m_folder.filePath(design), "--output", m_folder.filePath(output),
                         "--dpi", "150", "--paper", "A6"});
        EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
        EXPECT_GT(run.peakKilobytes, 0) << run.standardError.toStdString();
        return run.peakKilobytes;
    }

    QTemporaryDir m_folder;
};

TEST_F(RenderMemory, LargeDotsOverEachOtherCostAboutWhatSmallDotsCost) {
    if (kMemoryIsSanitized)
        GTEST_SKIP() << "the sanitizer's own memory would be counted";
    save("small.lvo", {});
    save("large.lvo", {"DotSizeEd=1000", "MajorDotSizeEd=1000"});
    // Every row of every dot held until the page is finished took 250 MB more for a picture and
    // 800 MB more for a PDF; the page's own pixels are 2 MB.
    constexpr qint64 kAllowedExtraKilobytes = 64 * 1024;
    for (const char* suffix : {"png", "pdf"}) {
        const qint64 small = peakKilobytesOfRender("small.lvo", QStringLiteral("small.") + suffix);
        const qint64 large = peakKilobytesOfRender("large.lvo", QStringLiteral("large.") + suffix);
        EXPECT_LT(large, small + kAllowedExtraKilobytes)
            << suffix << ": " << large << " KB against " << small << " KB with small dots";
    }
}

} // namespace
