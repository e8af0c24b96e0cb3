#pragma once

#include "render/device_scales.h"

#include <QDialog>

class PageLayers;
class PaperSettings;
class QAbstractButton;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class UserDialogs;

// Export: writes the page as the print draws it into a PNG, BMP or PDF file, for a printer of
// the chosen resolution whose printable area is a whole sheet of the chosen paper, with the
// calibration given. The format follows the file's suffix. Confirming writes the file; when
// that fails the dialog says why and stays open with everything as it was chosen.
class ExportDialog : public QDialog {
    Q_OBJECT
  public:
    // `settings` and `layers` are read when the page is written.
    ExportDialog(const PaperSettings& settings, const PageLayers& layers,
                 PageCalibration calibration, UserDialogs& dialogs, QWidget* parent = nullptr);

    void accept() override;

  private:
    void chooseFile();
    PrinterPage printerPage() const;
    // Writes the page into `path`, with a progress bar for a large page; the reason of a
    // failure.
    std::optional<QString> writePage(const QString& path);

    const PaperSettings& m_settings;
    const PageLayers& m_layers;
    const PageCalibration m_calibration;
    UserDialogs& m_dialogs;
    QLineEdit* m_file;
    QPushButton* m_browse;
    QSpinBox* m_dotsPerInch;
    QComboBox* m_paper;
    QAbstractButton* m_landscape;
    QPushButton* m_ok;
};
