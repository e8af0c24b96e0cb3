#pragma once

#include "base/failure.h"
#include "render/device_scales.h"
#include "settings/page_design.h"

#include <QDialog>

class PageLayers;
class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class UserDialogs;
struct OutputFormat;
struct TabletDevice;

// Export: writes the page as the print draws it into a file of one of the output formats, for a
// printer of the chosen resolution whose printable area is a whole sheet of the chosen paper,
// with the calibration given; a vector page uses the resolution for lines merged with a
// texture. The format is the one whose filter the file was chosen under, when the name has its
// suffix, else the one the suffix names. Confirming writes the file; when that fails the dialog
// says why and stays open with everything as it was chosen.
//
// One page is the page the preview shows, the second of a design with mirrored margins when the
// preview is switched to it. More pages are a notebook from the first page on, in one PDF file,
// as `render --pages` writes it.
//
// The target may instead be an e-ink tablet: then the page is its screen at its density,
// which the resolution shows and neither it nor the paper can change, and the file is written
// as `render --device` writes it, of the page shown alone.
class ExportDialog : public QDialog {
    Q_OBJECT
  public:
    // `first` is the notebook's first page and `shownPage` the page the preview shows, from 0;
    // `layers` are read when the page is written.
    ExportDialog(const PageDesign& first, int shownPage, const PageLayers& layers,
                 PageCalibration calibration, UserDialogs& dialogs, QWidget* parent = nullptr);

    void accept() override;

  private:
    void chooseFile();
    const OutputFormat* formatOf(const QString& path) const;
    PrinterPage printerPage() const;
    // The tablet chosen as the target, or null for printer paper.
    const TabletDevice* chosenDevice() const;
    void deviceChosen();
    // The pages the file is to hold: one for a tablet.
    int pageCount() const;
    // What a file of `pages` pages holds, in words.
    QString whichPages(int pages) const;
    // Says beside the pages which of them the file holds.
    void showWhichPages();
    // Writes the page into `path`, with a progress bar for a large page.
    Failure writePage(const QString& path);

    const PageDesign m_first;
    const int m_shownPage;
    const PageLayers& m_layers;
    const PageCalibration m_calibration;
    UserDialogs& m_dialogs;
    QLineEdit* m_file;
    QComboBox* m_device;
    QPushButton* m_browse;
    QSpinBox* m_dotsPerInch;
    QComboBox* m_paper;
    QAbstractButton* m_landscape;
    QSpinBox* m_pages;
    QLabel* m_whichPages;
    QPushButton* m_ok;
    // The format whose filter the file dialog last returned a name under.
    const OutputFormat* m_chosenFormat = nullptr;
    // The resolution chosen for paper, shown again when paper is chosen after a tablet.
    int m_paperDotsPerInch = 0;
};
