#include "calibration/printer_calibrations.h"

#include "calibration/calibration.h"
#include "calibration/calibration_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace {

// Queue names are plain words on most print servers, but a name is not trusted to be one: every
// character outside letters, digits, '-' and '_' is written as %XX, so that no name can reach
// another folder or collide with another's file.
QString fileNameOfPrinter(const QString& printer) {
    return QString::fromLatin1(QUrl::toPercentEncoding(printer, "-_", ".~")) +
           QStringLiteral(".dat");
}

} // namespace

PrinterCalibrations::PrinterCalibrations()
    : m_printersFolder(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                       QStringLiteral("/printers")) {}

PrinterCalibrations::PrinterCalibrations(QString commonFile, QString printersFolder)
    : m_commonFile(std::move(commonFile)), m_printersFolder(std::move(printersFolder)) {}

QString PrinterCalibrations::ownFile(const QString& printer) const {
    if (printer.isEmpty() || m_printersFolder.isEmpty())
        return QString();
    return m_printersFolder + u'/' + fileNameOfPrinter(printer);
}

bool PrinterCalibrations::hasOwn(const QString& printer) const {
    const QString file = ownFile(printer);
    return !file.isEmpty() && QFileInfo(file).isFile();
}

QString PrinterCalibrations::commonReadFile() const {
    return m_commonFile.isEmpty() ? savedCalibrationPath() : m_commonFile;
}

void PrinterCalibrations::load(const QString& printer, CalibrationSettings& calibration) const {
    const bool own = hasOwn(printer);
    calibration.setDefaults();
    calibration.load(own ? ownFile(printer) : commonReadFile());
    calibration.setPrintersOwn(own);
}

QString PrinterCalibrations::saveFile(const QString& printer) const {
    const QString own = ownFile(printer);
    if (own.isEmpty())
        return m_commonFile.isEmpty() ? calibrationSavePath() : m_commonFile;
    QDir().mkpath(m_printersFolder);
    return own;
}

std::optional<QString> PrinterCalibrations::removeOwn(const QString& printer) const {
    const QString file = ownFile(printer);
    if (file.isEmpty() || !QFileInfo::exists(file))
        return std::nullopt;
    QFile own(file);
    if (!own.remove())
        return QStringLiteral("The calibration of the printer \"%1\" in \"%2\" could not be "
                              "removed: %3.")
            .arg(printer, file, own.errorString());
    return std::nullopt;
}
