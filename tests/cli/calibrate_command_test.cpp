// The calibrate command on the print server's PDF queue, with a configuration folder of the
// test's own: a printer's own calibration set, shown and removed, and what it refuses.
#include "support/program_run.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr const char* kQueue = "PDF";

class CalibrateCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QPrinterInfo::printerInfo(kQueue).isNull())
            GTEST_SKIP() << "needs the print server's PDF queue: run scripts/start-cups.sh";
        m_previous = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        ASSERT_TRUE(QDir().mkpath(configFolder()));
        QFile common(configFolder() + "/options.dat");
        ASSERT_TRUE(common.open(QIODevice::WriteOnly));
        common.write(commonBytes());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", m_previous); }

    QString configFolder() const { return config.filePath("Tolvane/Lineavo-Pressolo"); }
    QString ownFile() const { return configFolder() + "/printers/" + kQueue + ".dat"; }
    static QByteArray commonBytes() {
        QByteArray bytes;
        for (const double value : {1.0, 5.0, 101.0, 99.0})
            bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
        return bytes;
    }
    QJsonObject shown() {
        const ProgramRun run = runLineavo({"calibrate", "--printer", kQueue});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return QJsonDocument::fromJson(run.out).object();
    }
    QByteArray commonNow() const {
        QFile file(configFolder() + "/options.dat");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir config;

  private:
    QByteArray m_previous;
};

TEST_F(CalibrateCommand, SetsShowsAndRemovesAPrintersOwnAndLeavesTheCommonOne) {
    EXPECT_EQ(shown(), QJsonObject({{"printer", kQueue},
                                    {"calibration", "common"},
                                    {"left", 1},
                                    {"top", 5},
                                    {"width", 101},
                                    {"height", 99}}));

    const ProgramRun set = runLineavo({"calibrate", "--printer", kQueue, "--width", "98.5",
                                       "--height", "102.25", "--left", "3", "--top", "6.4"});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(shown(), QJsonObject({{"printer", kQueue},
                                    {"calibration", "own"},
                                    {"left", 3},
                                    {"top", 6.4},
                                    {"width", 98.5},
                                    {"height", 102.25}}));
    EXPECT_TRUE(QFile::exists(ownFile()));
    EXPECT_EQ(commonNow(), commonBytes());

    const ProgramRun reset = runLineavo({"calibrate", "--printer", kQueue, "--reset"});
    ASSERT_EQ(reset.exitCode, 0) << reset.err.toStdString();
    EXPECT_FALSE(QFile::exists(ownFile()));
    EXPECT_EQ(shown().value("calibration"), "common");
    EXPECT_EQ(commonNow(), commonBytes());
}

TEST_F(CalibrateCommand, BadInputIsAUsageErrorThatSaysWhy) {
    const QStringList values = {"--width", "100", "--height", "100", "--left", "0", "--top", "0"};
    const auto with = [&](const QString& option, const QString& value) {
        QStringList words = {"calibrate", "--printer", kQueue};
        for (qsizetype i = 0; i < values.size(); i += 2) {
            if (values[i] != option)
                words << values[i] << values[i + 1];
            else if (!value.isNull())
                words << values[i] + "=" + value;
        }
        return words;
    };
    struct Row {
        const char* name;
        QStringList words;
        const char* reason;
    };
    const Row rows[] = {
        {"width above its range", with("--width", "130.5"),
         "--width in millimetres from 70 to 130"},
        {"height below its range", with("--height", "69"),
         "--height in millimetres from 70 to 130"},
        {"left distance below 0", with("--left", "-0.1"), "--left in millimetres from 0 to 10"},
        {"top distance not a number", with("--top", "six"), "--top in millimetres from 0 to 10"},
        {"a value missing", with("--top", QString()), "--top in millimetres from 0 to 10"},
        {"an unknown printer",
         {"calibrate", "--printer", "NoSuchQueue", "--reset"},
         "There is no printer named \"NoSuchQueue\"."},
        {"values and --reset", with("", "") << "--reset", "either --reset or all of"},
        {"values without a printer", QStringList{"calibrate"} + values,
         "calibrate takes --printer NAME"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ProgramRun run = runLineavo(row.words);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QLatin1String(row.reason))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(ownFile()));
    }
}

} // namespace
