#pragma once

#include "calibration/calibration_store.h"
#include "settings/page_calibration.h"
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
    RealField ObenEd;  // distance from the paper's top edge (applied by a printer's own only)
    RealField BreitEd; // measured width
    RealField HochEd;  // measured height

    // Calibrated millimetres per inch, horizontally and vertically, and the left distance, each
    // from its field's value within the field's range; the top distance too when the values are
    // a printer's own calibration.
    PageCalibration forPage() const;

    // Whether the values are one printer's own calibration rather than the common one, which
    // older versions wrote without applying its top distance, so that nobody measured it.
    bool isPrintersOwn() const { return m_printersOwn; }
    void setPrintersOwn(bool own) { m_printersOwn = own; }

    // The values of a calibration never measured: 0, 0, 100, 100.
    void setDefaults();

    // The four fields' values in file order, and setting each through its field's range.
    CalibrationLengths lengths() const;
    void setLengths(const CalibrationLengths& lengths);

    // The 32 bytes of the calibration file: four little-endian doubles.
    QByteArray toBytes() const;
    // Sets each value that `bytes` hold in full, in file order, through its field's range;
    // the values after a short end, and values that are not a number, keep what they had.
    void setFromBytes(QByteArrayView bytes);

    // Why `bytes` are not a calibration file as this program writes one, if they are not: 32
    // bytes of four numbers, each within its field's range. Such a file has been damaged, and
    // setting its values through the fields would hide that.
    Failure damageIn(QByteArrayView bytes) const;

    // Reads the calibration file; a missing or unreadable file keeps every value.
    void load(const QString& fileName);
    // Writes the calibration file whole; on failure the old file stays as it was.
    Failure save(const QString& fileName) const;

  private:
    std::array<RealField*, 4> fieldsInFileOrder();
    std::array<const RealField*, 4> fieldsInFileOrder() const;

    bool m_printersOwn = false;
};

// Reads the saved calibration into `calibration`, keeping its values where there is none.
void loadSavedCalibration(CalibrationSettings& calibration);
