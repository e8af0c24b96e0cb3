#pragma once

#include "base/failure.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

// Where the printer calibration is kept and how: a file of four lengths in millimetres, the
// left and top distances of the printed test rectangle and its measured width and height, each
// a little-endian double, in that order.
using CalibrationLengths = std::array<double, 4>;
constexpr qsizetype kCalibrationFileSize = 32;

// The 32 bytes of the calibration file.
QByteArray calibrationFileBytes(const CalibrationLengths& lengths);
// The lengths that `bytes` hold in full, in file order: none after a short end, and none for a
// value that is not a number, which is damage rather than a measurement. Bytes after the 32nd
// are not read.
std::array<std::optional<double>, 4> calibrationLengthsIn(QByteArrayView bytes);

// The first 33 bytes of the calibration file, one more than a calibration holds, so that a file
// too long shows; none when it is missing, is not a file or cannot be read.
std::optional<QByteArray> readCalibrationFile(const QString& fileName);
// Writes the calibration file whole; on failure the old file stays as it was.
Failure writeCalibrationFile(const QString& fileName, const CalibrationLengths& lengths);

// Where the calibration is read from and where it is written. A calibration of the user's own
// comes first; else one beside the program, which an administrator may have put there. It is
// written beside the program only while the program may keep it there and the user has none of
// their own, so that what is written is what is read the next time.
struct CalibrationLocation {
    QString readPath;
    QString writePath;
};
CalibrationLocation locateCalibration(const QString& programDir, bool mayWriteBesideProgram,
                                      const QString& userConfigDir);

// Whether `programDir` is where a system-wide installation put the program: the configured
// installation's folder of programs `installBinDir`, or a folder under /usr or /opt. Such a
// folder belongs to the package manager, so nothing is written there even where the user may
// write; any other folder is the build tree or a portable copy the user made.
bool isSystemProgramFolder(const QString& programDir, const QString& installBinDir);

// The file the calibration saved for this user is read from.
QString savedCalibrationPath();
// The file the calibration is to be saved in, with its folder made. Asked at every save, since
// the user may have got a file of their own, or the program's folder may have changed, since
// the program started.
QString calibrationSavePath();
