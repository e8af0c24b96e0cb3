#pragma once

#include "base/failure.h"
#include "calibration/calibration.h"
#include "calibration/printer_calibrations.h"
#include "page/loaded_design.h"
#include "printing/current_printer.h"
#include "settings/paper_settings.h"

#include <QString>

#include <functional>

// The models of the running program: the design's settings, the calibration, the current
// printer and the loaded design with the two pictures it names.
// It is made before any window and goes after all of them, so that a window or dialog, which
// is given it and owns only its widgets, can never outlive what its controls are bound to.
class Application {
  public:
    // Reads the calibration this user saved for the current printer.
    Application() { followPrinterCalibration(); }
    // Leaves the printer unasked and the calibration unread until followPrinterCalibration():
    // the window asks the print server only once it is shown.
    struct PrinterLater {};
    explicit Application(PrinterLater) {}
    // Keeps the common calibration in `calibrationFile` instead, and the printers' own in
    // `printersFolder`, or none when that is empty.
    explicit Application(QString calibrationFile, QString printersFolder = QString())
        : calibrations(std::move(calibrationFile), std::move(printersFolder)) {
        followPrinterCalibration();
    }
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    PaperSettings settings;
    PrinterCalibrations calibrations;
    // The calibration of the current printer.
    CalibrationSettings calibration;
    CurrentPrinter printer;

    // Takes the calibration of the printer now chosen, where it prints with another than the
    // one in force; values not saved stay in force while the printer uses the same file.
    void followPrinterCalibration() {
        const QString queue = printer.queueName();
        const QString source = calibrations.hasOwn(queue) ? calibrations.ownFile(queue) : QString();
        if (m_calibrationLoaded && source == m_calibrationSource)
            return;
        m_calibrationDamage = calibrations.load(queue, calibration);
        m_calibrationSource = source;
        m_calibrationLoaded = true;
        reportCalibrationDamage();
    }
    // Tells `report` why the current printer's own calibration cannot be used, so that the
    // common one is in force: at once if that is so now, and whenever it is read again.
    void onCalibrationDamage(std::function<void(const QString&)> report) {
        m_reportDamage = std::move(report);
        reportCalibrationDamage();
    }
    // The file the current printer's calibration is saved in, chosen at every save: the
    // printer's own, which the first save makes, else the common one.
    QString calibrationFile() const { return calibrations.saveFile(printer.queueName()); }
    // Saves the current printer's calibration; from then on it is the printer's own, where the
    // printer can have one. On failure the old file stays as it was and the reason is returned.
    Failure saveCalibration(const QString& file) {
        if (Failure failure = calibration.save(file); failure.failed())
            return failure;
        const QString queue = printer.queueName();
        if (file == calibrations.ownFile(queue)) {
            calibration.setPrintersOwn(true);
            m_calibrationSource = file;
            m_calibrationDamage = Failure::none();
        }
        return Failure::none();
    }
    // The design with its two pictures, the placed picture and the background texture
    // (loaded.PictureDib, loaded.TextureDib). The window's controls change the settings;
    // designAsShown() carries them over before the design is drawn beyond the preview.
    LoadedDesign loaded;
    // The design as the controls hold it now, with its pictures: what the window prints and
    // exports.
    const LoadedDesign& designAsShown() {
        loaded.design = pageDesignOf(settings);
        return loaded;
    }

  private:
    void reportCalibrationDamage() const {
        if (m_calibrationDamage.failed() && m_reportDamage)
            m_reportDamage(m_calibrationDamage.message());
    }

    QString m_calibrationSource; // the printer's own file; empty for the common one
    bool m_calibrationLoaded = false;
    Failure m_calibrationDamage; // why the own file was passed over
    std::function<void(const QString&)> m_reportDamage;
};
