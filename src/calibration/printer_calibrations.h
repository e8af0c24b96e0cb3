#pragma once

#include "base/failure.h"

#include <QString>

class CalibrationSettings;

// The calibrations of the printers: one file per print queue, named after the queue, in a
// folder of its own, each in the format of the common calibration file; and the common file,
// which serves every printer that has no file of its own. A printer without a name (a PDF
// file, or none at all) always has the common one.
class PrinterCalibrations {
  public:
    // The user's: the common file where the saved calibration is found, and the printers' own
    // in "printers" in the user's configuration folder.
    PrinterCalibrations();
    // The common calibration in `commonFile`; the printers' own in `printersFolder`, or none
    // when that is empty.
    PrinterCalibrations(QString commonFile, QString printersFolder);

    // The file of the printer's own calibration, whether it exists or not; empty where the
    // printer can have none.
    QString ownFile(const QString& printer) const;
    bool hasOwn(const QString& printer) const;

    // Reads the calibration the printer prints with into `calibration`: its own, else the
    // common one; values the common file does not hold are those of a calibration never
    // measured. An own file that cannot be used, damaged or unreadable, is passed over for the
    // common one, and the failure says so and why.
    Failure load(const QString& printer, CalibrationSettings& calibration) const;

    // Reads the calibration of the printer `name` names, as load() does, where nobody has asked
    // the print server which printer that is: its own is found under the name or under one
    // that differs only in the case of ASCII letters, as the server matches names. Where none
    // is found the common one is read, and the failure says so.
    Failure loadByName(const QString& name, CalibrationSettings& calibration) const;

    // The file the printer's calibration is saved in: its own, with its folder made, so that
    // the first save for a printer leaves the common calibration to the others; the common
    // file for a printer that can have none of its own.
    QString saveFile(const QString& printer) const;

    // Removes the printer's own calibration, so that it prints with the common one again.
    Failure removeOwn(const QString& printer) const;

  private:
    QString commonReadFile() const;
    void loadCommon(CalibrationSettings& calibration) const;

    QString m_commonFile; // empty: the user's, found afresh at every use
    QString m_printersFolder;
};
