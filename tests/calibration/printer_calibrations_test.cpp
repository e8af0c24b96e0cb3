// Each printer's own calibration beside the common one: which one a printer prints with, that
// only its own applies the top distance, that saving one leaves the others alone, that a
// damaged one is not used, and that every queue name has a file of its own.
#include "calibration/calibration.h"
#include "calibration/printer_calibrations.h"
#include "support/succeeds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

class PrinterCalibrationsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir("printers"));
        ASSERT_SUCCEEDS(writeCalibrationFile(commonFile(), {1, 5, 101, 99}));
        ASSERT_SUCCEEDS(writeCalibrationFile(calibrations.ownFile("Office"), {2, 6, 98, 103}));
    }
    QString commonFile() const { return dir.filePath("options.dat"); }
    QByteArray bytesOf(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    PrinterCalibrations calibrations{commonFile(), dir.filePath("printers")};
};

TEST_F(PrinterCalibrationsTest, APrinterPrintsWithItsOwnElseTheCommonOneWhoseTopIsNotApplied) {
    struct Row {
        const char* name;
        QString printer;
        CalibrationLengths lengths;
        bool own;
        double appliedTopMm;
    };
    const Row rows[] = {
        {"its own", "Office", {2, 6, 98, 103}, true, 6},
        {"none of its own", "Hall", {1, 5, 101, 99}, false, 0},
        {"a name that would leave the folder", "../Office", {1, 5, 101, 99}, false, 0},
        {"no printer", "", {1, 5, 101, 99}, false, 0},
    };
    CalibrationSettings calibration;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_SUCCEEDS(calibrations.load(row.printer, calibration));
        EXPECT_EQ(calibration.lengths(), row.lengths);
        EXPECT_EQ(calibration.isPrintersOwn(), row.own);
        EXPECT_DOUBLE_EQ(calibration.forPage().TopOffsetMm, row.appliedTopMm);
        EXPECT_DOUBLE_EQ(calibration.forPage().LeftOffsetMm, row.lengths[0]);
    }
    EXPECT_TRUE(calibrations.ownFile("../Office").startsWith(dir.filePath("printers/")));
    EXPECT_FALSE(calibrations.ownFile("../Office").contains("/../"));
}

TEST_F(PrinterCalibrationsTest, SavingAPrintersFirstOwnAndRemovingItLeaveTheCommonOneAsItWas) {
    const QByteArray common = bytesOf(commonFile());
    CalibrationSettings calibration;
    EXPECT_SUCCEEDS(calibrations.load("Hall", calibration));
    calibration.BreitEd.setValue(97);
    const QString file = calibrations.saveFile("Hall");
    EXPECT_EQ(file, calibrations.ownFile("Hall"));
    ASSERT_SUCCEEDS(calibration.save(file));
    EXPECT_EQ(bytesOf(commonFile()), common);

    EXPECT_SUCCEEDS(calibrations.load("Hall", calibration));
    EXPECT_TRUE(calibration.isPrintersOwn());
    EXPECT_EQ(calibration.BreitEd.value(), 97);
    EXPECT_SUCCEEDS(calibrations.load("Lobby", calibration));
    EXPECT_EQ(calibration.BreitEd.value(), 101);

    EXPECT_SUCCEEDS(calibrations.removeOwn("Hall"));
    EXPECT_SUCCEEDS(calibrations.load("Hall", calibration));
    EXPECT_FALSE(calibration.isPrintersOwn());
    EXPECT_EQ(calibration.BreitEd.value(), 101);
    EXPECT_EQ(bytesOf(commonFile()), common);
    EXPECT_EQ(calibrations.saveFile(""), commonFile());
}

TEST_F(PrinterCalibrationsTest, ADamagedOwnFileIsReportedAndTheCommonOneServesInstead) {
    const QByteArray valid = calibrationFileBytes({2, 6, 98, 103});
    const auto withValue = [&](int index, double value) {
        QByteArray bytes = valid;
        std::memcpy(bytes.data() + 8 * index, &value, sizeof value);
        return bytes;
    };
    struct Row {
        const char* name;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"cut short", valid.first(20)},
        {"one byte too many", valid + '\0'},
        {"a width that is not a number", withValue(2, std::nan(""))},
        {"an infinite height", withValue(3, HUGE_VAL)},
        {"a width above its range", withValue(2, 150)},
        {"a negative left distance", withValue(0, -1)},
    };
    const QString own = calibrations.ownFile("Office");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QFile file(own);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_TRUE(file.write(row.bytes) == row.bytes.size() && file.flush());
        CalibrationSettings calibration;
        const Failure damage = calibrations.load("Office", calibration);
        ASSERT_TRUE(damage.failed());
        EXPECT_TRUE(damage.message().contains(own)) << damage.message().toStdString();
        EXPECT_EQ(calibration.lengths(), (CalibrationLengths{1, 5, 101, 99}));
        EXPECT_FALSE(calibration.isPrintersOwn());
    }
}

TEST_F(PrinterCalibrationsTest, EveryQueueNameHasAFileOfItsOwnInThePrintersFolder) {
    // The print server allows names of up to 127 bytes of nearly any character.
    const QString longest(127, u'*');
    const QString longWide = QString(41, QChar(0x5370)) + QStringLiteral("ab");
    const QStringList names = {"Office",
                               "office",
                               "a/b",
                               "a%2Fb",
                               "..",
                               "~",
                               "%7E",
                               longest,
                               longest.chopped(1) + u'+',
                               longWide,
                               longWide.chopped(1) + u'c'};
    for (qsizetype i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i].toStdString());
        const QString file = calibrations.ownFile(names[i]);
        EXPECT_EQ(QFileInfo(file).absolutePath(), QDir(dir.filePath("printers")).absolutePath());
        ASSERT_SUCCEEDS(writeCalibrationFile(file, {0, 0, 100, 70.0 + double(i)}));
    }
    for (qsizetype i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i].toStdString());
        CalibrationSettings calibration;
        EXPECT_SUCCEEDS(calibrations.load(names[i], calibration));
        EXPECT_EQ(calibration.HochEd.value(), 70.0 + double(i));
    }
}

} // namespace
