#include "calibration/printer_calibrations.h"

#include "calibration/calibration.h"
#include "calibration/calibration_store.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace {

const QString kSuffix = QStringLiteral(".dat");
// Room for the suffix and the writer's temporary ending within a file name's 255 bytes.
constexpr qsizetype kLongestEncodedName = 200;
constexpr qsizetype kKeptStartOfLongName = 100;

// Queue names are plain words on most print servers, but a name is not trusted to be one: every
// character outside ASCII letters, digits, '-' and '_' is written as %XX, so that no name can
// reach another folder or collide with another's file. A name that this makes too long for a
// file name (the print server allows 127 bytes, each of which may take three) keeps its start
// and is told apart by a hash of the whole; the '~' before the hash is encoded in every other
// file name.
QString fileNameOfPrinter(const QString& printer) {
    const QByteArray encoded = QUrl::toPercentEncoding(printer, "-_", ".~");
    if (encoded.size() <= kLongestEncodedName)
        return QString::fromLatin1(encoded) + kSuffix;
    const QByteArray hash = QCryptographicHash::hash(printer.toUtf8(), QCryptographicHash::Sha256);
    return QString::fromLatin1(encoded.first(kKeptStartOfLongName) + '~' + hash.toHex()) + kSuffix;
}

// Names as the print server compares them: ASCII letters in either case are the same.
bool sameQueueName(const QString& a, const QString& b) {
    return a.toUtf8().toLower() == b.toUtf8().toLower();
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

void PrinterCalibrations::loadCommon(CalibrationSettings& calibration) const {
    calibration.setDefaults();
    calibration.load(commonReadFile());
    calibration.setPrintersOwn(false);
}

Failure PrinterCalibrations::load(const QString& printer, CalibrationSettings& calibration) const {
    if (!hasOwn(printer)) {
        loadCommon(calibration);
        return Failure::none();
    }
    const QString file = ownFile(printer);
    const std::optional<QByteArray> bytes = readCalibrationFile(file);
    const Failure damage = bytes ? calibration.damageIn(*bytes)
                                 : Failure::because(QStringLiteral("it cannot be read"));
    if (damage.failed()) {
        loadCommon(calibration);
        return Failure::because(
            QStringLiteral("The calibration of the printer \"%1\" in \"%2\" cannot be used: "
                           "%3. The common calibration is used instead until the printer is "
                           "calibrated again.")
                .arg(printer, file, damage.message()));
    }
    calibration.setFromBytes(*bytes);
    calibration.setPrintersOwn(true);
    return Failure::none();
}

Failure PrinterCalibrations::loadByName(const QString& name,
                                        CalibrationSettings& calibration) const {
    if (hasOwn(name))
        return load(name, calibration);
    const QStringList files =
        m_printersFolder.isEmpty()
            ? QStringList()
            : QDir(m_printersFolder).entryList({u'*' + kSuffix}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QString printer = QUrl::fromPercentEncoding(file.chopped(kSuffix.size()).toLatin1());
        // Only the file of a name that is made as this one is: no hashed name, no stray file.
        if (sameQueueName(printer, name) && fileNameOfPrinter(printer) == file)
            return load(printer, calibration);
    }
    loadCommon(calibration);
    return Failure::because(
        QStringLiteral("No printer named \"%1\" has a calibration of its own; the common "
                       "calibration is used.")
            .arg(name));
}

QString PrinterCalibrations::saveFile(const QString& printer) const {
    const QString own = ownFile(printer);
    if (own.isEmpty())
        return m_commonFile.isEmpty() ? calibrationSavePath() : m_commonFile;
    QDir().mkpath(m_printersFolder);
    return own;
}

Failure PrinterCalibrations::removeOwn(const QString& printer) const {
    const QString file = ownFile(printer);
    if (file.isEmpty() || !QFileInfo::exists(file))
        return Failure::none();
    QFile own(file);
    if (!own.remove())
        return Failure::because(
            QStringLiteral("The calibration of the printer \"%1\" in \"%2\" could not be "
                           "removed: %3.")
                .arg(printer, file, own.errorString()));
    return Failure::none();
}
