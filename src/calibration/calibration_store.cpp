#include "calibration/calibration_store.h"

#include "base/safe_file_writer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

#include <cmath>

namespace {

constexpr qsizetype kLengthSize = 8;

CalibrationLocation currentCalibrationLocation() {
    const QString programDir = QCoreApplication::applicationDirPath();
    const bool mayWriteBesideProgram =
        QFileInfo(programDir).isWritable() &&
        !isSystemProgramFolder(programDir, QStringLiteral(LINEAVO_INSTALL_BINDIR));
    return locateCalibration(programDir, mayWriteBesideProgram,
                             QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

} // namespace

QByteArray calibrationFileBytes(const CalibrationLengths& lengths) {
    QByteArray bytes(kCalibrationFileSize, '\0');
    for (size_t i = 0; i < lengths.size(); ++i)
        qToLittleEndian(lengths[i], bytes.data() + kLengthSize * qsizetype(i));
    return bytes;
}

std::array<std::optional<double>, 4> calibrationLengthsIn(QByteArrayView bytes) {
    std::array<std::optional<double>, 4> lengths;
    for (size_t i = 0; i < lengths.size(); ++i) {
        const qsizetype offset = kLengthSize * qsizetype(i);
        if (bytes.size() < offset + kLengthSize)
            break;
        const double value = qFromLittleEndian<double>(bytes.data() + offset);
        if (!std::isnan(value))
            lengths[i] = value;
    }
    return lengths;
}

std::optional<QByteArray> readCalibrationFile(const QString& fileName) {
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(kCalibrationFileSize + 1);
}

Failure writeCalibrationFile(const QString& fileName, const CalibrationLengths& lengths) {
    SafeFileWriter file(fileName);
    if (Failure error = file.open(); error.failed())
        return error;
    file.device().write(calibrationFileBytes(lengths)); // a short write is found by the commit
    return file.commit();
}

CalibrationLocation locateCalibration(const QString& programDir, bool mayWriteBesideProgram,
                                      const QString& userConfigDir) {
    const QString fileName = QStringLiteral("/options.dat");
    const QString beside = programDir + fileName;
    const QString own = userConfigDir + fileName;
    if (QFileInfo::exists(own))
        return {own, own};
    return {beside, mayWriteBesideProgram ? beside : own};
}

bool isSystemProgramFolder(const QString& programDir, const QString& installBinDir) {
    const QString folder = QDir::cleanPath(programDir);
    if (folder == QDir::cleanPath(installBinDir))
        return true;
    for (const char* prefix : {"/usr", "/opt"}) {
        const QLatin1String systemFolder(prefix);
        if (folder == systemFolder || folder.startsWith(systemFolder + u'/'))
            return true;
    }
    return false;
}

QString savedCalibrationPath() {
    return currentCalibrationLocation().readPath;
}

QString calibrationSavePath() {
    const QString path = currentCalibrationLocation().writePath;
    QDir().mkpath(QFileInfo(path).path());
    return path;
}
