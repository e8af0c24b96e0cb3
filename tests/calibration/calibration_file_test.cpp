#include "calibration/calibration.h"
#include "support/succeeds.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

QByteArray doubles(const std::vector<double>& values) {
    QByteArray bytes(qsizetype(values.size()) * 8, '\0');
    for (size_t i = 0; i < values.size(); ++i)
        qToLittleEndian(values[i], bytes.data() + 8 * i);
    return bytes;
}

std::vector<double> readDoubles(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    std::vector<double> values;
    for (qsizetype i = 0; i + 8 <= bytes.size(); i += 8)
        values.push_back(qFromLittleEndian<double>(bytes.constData() + i));
    return values;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QStringList shownTexts(const CalibrationSettings& c) {
    return {c.LinksEd.text(), c.ObenEd.text(), c.BreitEd.text(), c.HochEd.text()};
}

// The preview reads the calibration while its dialog is open, so values still being typed must
// give a scale inside the fields' ranges, never a negative or absurd one.
TEST(CalibrationScale, ValuesBeingTypedScaleWithinTheirRanges) {
    CalibrationSettings calibration;
    calibration.BreitEd.setText("-1");
    calibration.HochEd.setText("1e9");
    calibration.LinksEd.setText("250");
    EXPECT_DOUBLE_EQ(calibration.forPage().MmPerInchX, 70 * 25.39995 / 100);
    EXPECT_DOUBLE_EQ(calibration.forPage().MmPerInchY, 130 * 25.39995 / 100);
    EXPECT_DOUBLE_EQ(calibration.forPage().LeftOffsetMm, 10);
    EXPECT_EQ(calibration.BreitEd.text(), "-1"); // the text stays as typed until it is left
}

class CalibrationFile : public ::testing::Test {
  protected:
    QString path() const { return dir.filePath("options.dat"); }
    QTemporaryDir dir;
    CalibrationSettings calibration;
};

TEST_F(CalibrationFile, MissingFileKeepsTheDefaults) {
    calibration.load(path());
    EXPECT_EQ(shownTexts(calibration), QStringList({"0.00", "0.00", "100.00", "100.00"}));
    EXPECT_DOUBLE_EQ(calibration.forPage().MmPerInchX, 25.39995);
    EXPECT_DOUBLE_EQ(calibration.forPage().MmPerInchY, 25.39995);
    EXPECT_DOUBLE_EQ(calibration.forPage().LeftOffsetMm, 0);
}

TEST_F(CalibrationFile, ValuesAreShownWithTwoDecimalsAndWrittenBackAsShown) {
    writeFile(path(), doubles({1.5, 2.25, 99.456, 101}));
    calibration.load(path());
    EXPECT_EQ(shownTexts(calibration), QStringList({"1.50", "2.25", "99.46", "101.00"}));
    ASSERT_SUCCEEDS(calibration.save(path()));
    EXPECT_EQ(readDoubles(path()), std::vector<double>({1.5, 2.25, 99.46, 101}));
    EXPECT_EQ(QFile(path()).size(), 32);
}

TEST_F(CalibrationFile, ValuesOutsideTheRangesAreLimited) {
    writeFile(path(), doubles({-3, 12, 150, std::numeric_limits<double>::infinity()}));
    calibration.load(path());
    EXPECT_EQ(shownTexts(calibration), QStringList({"0.00", "10.00", "130.00", "130.00"}));
}

TEST_F(CalibrationFile, ValueThatIsNotANumberKeepsTheDefault) {
    writeFile(path(), doubles({1, std::numeric_limits<double>::quiet_NaN(), 98, 102}));
    calibration.load(path());
    EXPECT_EQ(shownTexts(calibration), QStringList({"1.00", "0.00", "98.00", "102.00"}));
}

// A short file sets the values it holds in full; the others keep their defaults, also in the
// next save.
TEST_F(CalibrationFile, ShortFileSetsOnlyTheValuesItHoldsInFull) {
    const QByteArray full = doubles({4, 3, 120, 80});
    struct Row {
        const char* name;
        qsizetype length;
        QStringList shown;
    };
    const Row rows[] = {
        {"empty", 0, {"0.00", "0.00", "100.00", "100.00"}},
        {"half a value", 4, {"0.00", "0.00", "100.00", "100.00"}},
        {"one value", 8, {"4.00", "0.00", "100.00", "100.00"}},
        {"two and a half", 20, {"4.00", "3.00", "100.00", "100.00"}},
        {"one byte short", 31, {"4.00", "3.00", "120.00", "100.00"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CalibrationSettings fresh;
        writeFile(path(), full.left(row.length));
        fresh.load(path());
        EXPECT_EQ(shownTexts(fresh), row.shown);
        ASSERT_SUCCEEDS(fresh.save(path()));
        CalibrationSettings reread;
        reread.load(path());
        EXPECT_EQ(shownTexts(reread), row.shown);
    }
}

TEST_F(CalibrationFile, LongerFileReadsItsFirst32Bytes) {
    writeFile(path(), doubles({1, 2, 90, 110, 5, 5}));
    calibration.load(path());
    EXPECT_EQ(shownTexts(calibration), QStringList({"1.00", "2.00", "90.00", "110.00"}));
}

TEST_F(CalibrationFile, FolderInPlaceOfTheFileIsNotRead) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("options.dat"));
    calibration.LinksEd.setValue(2);
    calibration.load(path());
    EXPECT_EQ(calibration.LinksEd.text(), "2.00");
}

TEST_F(CalibrationFile, SaveThatCannotCreateTheFileFailsAndLeavesTheFolderAlone) {
    calibration.BreitEd.setValue(101);
    EXPECT_TRUE(calibration.save(dir.filePath("missing/options.dat")).failed());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));

    // A folder where the file should be: the save fails and the folder and its content stay.
    ASSERT_TRUE(QDir(dir.path()).mkpath("options.dat/inside"));
    EXPECT_TRUE(calibration.save(path()).failed());
    EXPECT_TRUE(QFileInfo(dir.filePath("options.dat/inside")).isDir());
}

// Where the calibration is read and written, for each state of the two folders; in every
// state, what is saved is what is read the next time.
TEST(CalibrationLocation, ReadsTheUsersOwnFirstAndWritesWhereItWillBeRead) {
    struct Row {
        const char* name;
        bool mayWriteBesideProgram;
        bool besideTheProgram; // an options.dat there
        bool usersOwn;         // an options.dat in the user's folder
        const char* read;
        const char* written;
    };
    const Row rows[] = {
        {"a portable program folder", true, true, false, "program", "program"},
        {"a fresh portable program folder", true, false, false, "program", "program"},
        {"an installed program with an administrator's file", false, true, false, "program",
         "user"},
        {"the user's own beside a portable program", true, true, true, "user", "user"},
        {"the user's own beside an installed program", false, true, true, "user", "user"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("program");
        QDir(dir.path()).mkdir("user");
        const QString program = dir.filePath("program");
        const QString user = dir.filePath("user");
        if (row.besideTheProgram)
            writeFile(program + "/options.dat", doubles({1, 1, 90, 90}));
        if (row.usersOwn)
            writeFile(user + "/options.dat", doubles({2, 2, 110, 110}));

        const CalibrationLocation location =
            locateCalibration(program, row.mayWriteBesideProgram, user);
        EXPECT_EQ(location.readPath, dir.filePath(row.read) + "/options.dat");
        EXPECT_EQ(location.writePath, dir.filePath(row.written) + "/options.dat");

        CalibrationSettings calibration;
        calibration.BreitEd.setValue(101.5);
        ASSERT_SUCCEEDS(calibration.save(location.writePath));
        CalibrationSettings next;
        next.load(locateCalibration(program, row.mayWriteBesideProgram, user).readPath);
        EXPECT_EQ(next.BreitEd.text(), "101.50");
    }
}

// Only a program in a folder of its own keeps its calibration beside it; a system-wide
// installation's folder belongs to the package manager, even for a user who may write there.
TEST(CalibrationLocation, SystemFoldersAreTheInstallationsAndThoseUnderUsrAndOpt) {
    struct Row {
        const char* name;
        const char* programDir;
        const char* installBinDir;
        bool system;
    };
    const Row rows[] = {
        {"the package's folder", "/usr/bin", "/usr/local/bin", true},
        {"the configured folder", "/usr/local/bin", "/usr/local/bin", true},
        {"a prefix in the user's home", "/home/ann/.local/bin", "/home/ann/.local/bin/", true},
        {"a program under /opt", "/opt/lineavo/bin", "/usr/local/bin", true},
        {"the build tree", "/home/ann/src/lineavo/build", "/usr/local/bin", false},
        {"a portable folder", "/media/stick/Lineavo", "/usr/local/bin", false},
        {"a folder whose name only begins like /usr", "/usrdata/bin", "/usr/local/bin", false},
        {"a folder whose name only begins like /opt", "/optical/bin", "/usr/local/bin", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(isSystemProgramFolder(row.programDir, row.installBinDir), row.system);
    }
}

} // namespace
