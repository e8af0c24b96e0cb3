// Each printer's own calibration beside the common one: which one a printer prints with, that
// only its own applies the top distance, and that saving one leaves the others alone.
#include "calibration/calibration.h"
#include "calibration/printer_calibrations.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PrinterCalibrationsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir("printers"));
        ASSERT_EQ(writeCalibrationFile(commonFile(), {1, 5, 101, 99}), std::nullopt);
        ASSERT_EQ(writeCalibrationFile(calibrations.ownFile("Office"), {2, 6, 98, 103}),
                  std::nullopt);
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
        calibrations.load(row.printer, calibration);
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
    calibrations.load("Hall", calibration);
    calibration.BreitEd.setValue(97);
    const QString file = calibrations.saveFile("Hall");
    EXPECT_EQ(file, calibrations.ownFile("Hall"));
    ASSERT_EQ(calibration.save(file), std::nullopt);
    EXPECT_EQ(bytesOf(commonFile()), common);

    calibrations.load("Hall", calibration);
    EXPECT_TRUE(calibration.isPrintersOwn());
    EXPECT_EQ(calibration.BreitEd.value(), 97);
    calibrations.load("Lobby", calibration);
    EXPECT_EQ(calibration.BreitEd.value(), 101);

    EXPECT_EQ(calibrations.removeOwn("Hall"), std::nullopt);
    calibrations.load("Hall", calibration);
    EXPECT_FALSE(calibration.isPrintersOwn());
    EXPECT_EQ(calibration.BreitEd.value(), 101);
    EXPECT_EQ(bytesOf(commonFile()), common);
    EXPECT_EQ(calibrations.saveFile(""), commonFile());
}

} // namespace
