#include "calibration/calibration.h"

#include "document/safe_file_writer.h"
#include "settings/units.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

#include <cmath>

namespace {

constexpr RealField::Range kDistanceMm{0, 10, 0.1, 2};
constexpr RealField::Range kMeasuredMm{70, 130, 0.1, 2};
constexpr qsizetype kFileSize = 32;

CalibrationLocation currentCalibrationLocation() {
    const QString programDir = QCoreApplication::applicationDirPath();
    const bool mayWriteBesideProgram =
        QFileInfo(programDir).isWritable() &&
        !isSystemProgramFolder(programDir, QStringLiteral(LINEAVO_INSTALL_BINDIR));
    return locateCalibration(programDir, mayWriteBesideProgram,
                             QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

} // namespace

CalibrationSettings::CalibrationSettings(QObject* parent)
    : QObject(parent), LinksEd("LinksEd", kDistanceMm, 0), ObenEd("ObenEd", kDistanceMm, 0),
      BreitEd("BreitEd", kMeasuredMm, 100), HochEd("HochEd", kMeasuredMm, 100) {}

// A value still being typed may lie outside its range ("-1", "1e9"); the page is always drawn
// with what the field will hold once it is left, so that no scale can be negative or absurd.
PageCalibration CalibrationSettings::forPage() const {
    return {BreitEd.clamp(BreitEd.value()) * BaseMmPerInch / 100,
            HochEd.clamp(HochEd.value()) * BaseMmPerInch / 100, LinksEd.clamp(LinksEd.value())};
}

QByteArray CalibrationSettings::toBytes() const {
    QByteArray bytes(kFileSize, '\0');
    const RealField* fields[] = {&LinksEd, &ObenEd, &BreitEd, &HochEd};
    for (int i = 0; i < 4; ++i)
        qToLittleEndian(fields[i]->value(), bytes.data() + 8 * i);
    return bytes;
}

void CalibrationSettings::setFromBytes(QByteArrayView bytes) {
    RealField* fields[] = {&LinksEd, &ObenEd, &BreitEd, &HochEd};
    for (int i = 0; i < 4 && bytes.size() >= 8 * (i + 1); ++i) {
        const double value = qFromLittleEndian<double>(bytes.data() + 8 * i);
        // Not a number is a damaged value, not a measurement: the field keeps what it has.
        if (!std::isnan(value))
            fields[i]->setValue(value);
    }
}

void CalibrationSettings::load(const QString& fileName) {
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
        return;
    setFromBytes(file.read(kFileSize));
}

std::optional<QString> CalibrationSettings::save(const QString& fileName) const {
    SafeFileWriter file(fileName);
    if (auto error = file.open())
        return error;
    file.device().write(toBytes()); // a short write is found by the commit
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

void loadSavedCalibration(CalibrationSettings& calibration) {
    calibration.load(currentCalibrationLocation().readPath);
}

QString calibrationSavePath() {
    const QString path = currentCalibrationLocation().writePath;
    QDir().mkpath(QFileInfo(path).path());
    return path;
}
