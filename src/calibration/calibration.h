#pragma once

#include "render/device_scales.h"
#include "settings/real_field.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

// The printer calibration: where the printed 100 mm test rectangle landed and how large it
// came out, in millimetres, as the user measured it. Held as the calibration dialog's fields,
// with their ranges and their two decimals.
class CalibrationSettings : public QObject {
    Q_OBJECT
  public:
    explicit CalibrationSettings(QObject* parent = nullptr);

    RealField LinksEd; // distance from the paper's left edge
    RealField ObenEd;  // distance from the paper's top edge (stored, not applied)
    RealField BreitEd; // measured width
    RealField HochEd;  // measured height

    // Calibrated millimetres per inch, horizontally and vertically, and the left distance, each
    // from its field's value within the field's range.
    PageCalibration forPage() const;

    // The 32 bytes of the calibration file: four little-endian doubles.
    QByteArray toBytes() const;
    // Sets each value that `bytes` hold in full, in file order, through its field's range;
    // the values after a short end, and values that are not a number, keep what they had.
    void setFromBytes(QByteArrayView bytes);

    // Reads the calibration file; a missing or unreadable file keeps every value.
    void load(const QString& fileName);
    // Writes the calibration file whole; on failure the old file stays as it was and the
    // reason is returned.
    [[nodiscard]] std::optional<QString> save(const QString& fileName) const;
};

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

// Reads the saved calibration into `calibration`, keeping its values where there is none.
void loadSavedCalibration(CalibrationSettings& calibration);
// The file the calibration is to be saved in, with its folder made. Asked at every save, since
// the user may have got a file of their own, or the program's folder may have changed, since
// the program started.
QString calibrationSavePath();
