#pragma once

#include "calibration/calibration.h"
#include "picture/picture_record.h"
#include "printing/current_printer.h"
#include "settings/paper_settings.h"

#include <QString>

// The models of the running program: the design, the calibration, the current printer and the
// two pictures the design names.
// It is made before any window and goes after all of them, so that a window or dialog, which
// is given it and owns only its widgets, can never outlive what its controls are bound to.
class Application {
  public:
    // Reads the calibration saved for this user.
    Application() { loadSavedCalibration(calibration); }
    // Reads and saves the calibration in `calibrationFile` instead.
    explicit Application(QString calibrationFile) : m_calibrationFile(std::move(calibrationFile)) {
        calibration.load(m_calibrationFile);
    }
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    PaperSettings settings;
    CalibrationSettings calibration;
    CurrentPrinter printer;
    // The file the calibration is saved in after every closing of its dialog, chosen then.
    QString calibrationFile() const {
        return m_calibrationFile.isEmpty() ? calibrationSavePath() : m_calibrationFile;
    }
    // The placed picture and the background texture as filtered; empty while their file names
    // name no picture that opens.
    PictureRecord PictureDib;
    PictureRecord TextureDib;

  private:
    const QString m_calibrationFile;
};
