#include "output/ui/export_dialog.h"

#include "output/device_page.h"
#include "output/notebook_pages.h"
#include "output/output_formats.h"
#include "output/paper_sizes.h"
#include "output/tablet_devices.h"
#include "settings/page_design.h"
#include "settings/paper_settings.h"
#include "widgets/user_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// A page of this many pixels takes a second or more to draw and to write.
constexpr qint64 kLargePagePixels = qint64(1) << 24;

} // namespace

ExportDialog::ExportDialog(const PageDesign& first, int shownPage, const PageLayers& layers,
                           PageCalibration calibration, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_first(first), m_shownPage(shownPage), m_layers(layers),
      m_calibration(calibration), m_dialogs(dialogs), m_file(new QLineEdit(this)),
      m_device(new QComboBox(this)), m_browse(new QPushButton(tr("&Browse..."))),
      m_dotsPerInch(new QSpinBox(this)), m_paper(new QComboBox(this)),
      m_landscape(new QRadioButton(tr("&Landscape"))), m_pages(new QSpinBox(this)),
      m_whichPages(new QLabel(this)) {
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(tr("Export"));
    m_file->setObjectName(QStringLiteral("ExportFile"));
    m_browse->setObjectName(QStringLiteral("ExportBrowse"));
    m_device->setObjectName(QStringLiteral("ExportDevice"));
    m_device->addItem(tr("Printer paper"));
    for (const TabletDevice& device : tabletDevices())
        m_device->addItem(device.names.join(QStringLiteral(", ")));
    connect(m_device, &QComboBox::currentIndexChanged, this, &ExportDialog::deviceChosen);
    m_dotsPerInch->setObjectName(QStringLiteral("ExportDpi"));
    m_dotsPerInch->setRange(kMinOutputDotsPerInch, kMaxOutputDotsPerInch);
    m_dotsPerInch->setValue(kDefaultOutputDotsPerInch);
    m_dotsPerInch->setSuffix(tr(" dpi"));
    m_paper->setObjectName(QStringLiteral("ExportPaper"));
    m_paper->addItems(namedPaperNames());
    m_paper->setCurrentText(QLatin1String(kDefaultPaperName));
    auto* portrait = new QRadioButton(tr("P&ortrait"));
    portrait->setObjectName(QStringLiteral("ExportPortrait"));
    portrait->setChecked(true);
    m_landscape->setObjectName(QStringLiteral("ExportLandscape"));
    m_pages->setObjectName(QStringLiteral("ExportPages"));
    m_pages->setRange(1, kMaxNotebookPages);
    connect(m_pages, &QSpinBox::valueChanged, this, &ExportDialog::showWhichPages);
    // As wide as the longest it says, so that the dialog keeps its size while pages are typed.
    m_whichPages->setMinimumWidth(
        m_whichPages->fontMetrics().horizontalAdvance(whichPages(kMaxNotebookPages)));
    showWhichPages();

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(m_browse);
    connect(m_browse, &QPushButton::clicked, this, &ExportDialog::chooseFile);

    auto* pagesRow = new QHBoxLayout;
    pagesRow->addWidget(m_pages);
    pagesRow->addWidget(m_whichPages, 1);

    auto* orientation = new QGroupBox(tr("Orientation"));
    auto* orientationLayout = new QVBoxLayout(orientation);
    orientationLayout->addWidget(portrait);
    orientationLayout->addWidget(m_landscape);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setEnabled(false);
    connect(m_file, &QLineEdit::textChanged, this,
            [this](const QString& name) { m_ok->setEnabled(!name.isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QFormLayout(this);
    auto* fileLabel = new QLabel(tr("&File:"));
    fileLabel->setBuddy(m_file); // the row's field is a layout, which takes no mnemonic
    layout->addRow(fileLabel, fileRow);
    layout->addRow(tr("&Target:"), m_device);
    layout->addRow(tr("&Resolution:"), m_dotsPerInch);
    layout->addRow(tr("&Paper:"), m_paper);
    auto* pagesLabel = new QLabel(tr("P&ages:"));
    pagesLabel->setBuddy(m_pages);
    layout->addRow(pagesLabel, pagesRow);
    layout->addRow(orientation);
    layout->addRow(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ExportDialog::chooseFile() {
    const QString filters = outputFileFilter();
    const FileDialogRequest request{filters, QString(), m_file->text()};
    if (const std::optional<ChosenFile> chosen = m_dialogs.saveFileName(this, request)) {
        m_file->setText(chosen->name);
        // The filter lists the formats in their order.
        const qsizetype index = filters.split(QStringLiteral(";;")).indexOf(chosen->filter);
        m_chosenFormat = index < 0 ? nullptr : &outputFormats()[size_t(index)];
    }
}

const OutputFormat* ExportDialog::formatOf(const QString& path) const {
    // Formats may share a suffix, as the exact and the vector PDF do.
    const QString suffix = QFileInfo(path).suffix();
    if (m_chosenFormat && m_chosenFormat->suffixes.contains(suffix, Qt::CaseInsensitive))
        return m_chosenFormat;
    return outputFormatWithSuffix(suffix);
}

PrinterPage ExportDialog::printerPage() const {
    const int dotsPerInch = m_dotsPerInch->value();
    QSize sheet = paperNamed(m_paper->currentText()).value_or(QSize());
    if (m_landscape->isChecked())
        sheet.transpose();
    return {dotsPerInch, paperPixels(sheet, dotsPerInch)};
}

const TabletDevice* ExportDialog::chosenDevice() const {
    // The first entry is printer paper, then the tablets in their order.
    const int index = m_device->currentIndex() - 1;
    return index < 0 ? nullptr : &tabletDevices()[size_t(index)];
}

void ExportDialog::deviceChosen() {
    const TabletDevice* device = chosenDevice();
    if (device && m_dotsPerInch->isEnabled())
        m_paperDotsPerInch = m_dotsPerInch->value();
    m_dotsPerInch->setValue(device ? device->pixelsPerInch : m_paperDotsPerInch);
    m_dotsPerInch->setEnabled(!device);
    m_paper->setEnabled(!device);
    m_pages->setEnabled(!device);
    showWhichPages();
}

int ExportDialog::pageCount() const {
    return chosenDevice() ? 1 : m_pages->value();
}

QString ExportDialog::whichPages(int pages) const {
    return pages == 1 ? tr("page %1, as the preview shows it").arg(m_shownPage + 1)
                      : tr("pages 1 to %1, into one PDF file").arg(pages);
}

void ExportDialog::showWhichPages() {
    m_whichPages->setText(whichPages(pageCount()));
}

void ExportDialog::accept() {
    m_dotsPerInch->interpretText();
    m_pages->interpretText();
    const QString path = m_file->text();
    if (QFileInfo::exists(path) && !m_dialogs.confirmReplace(this, path))
        return;
    if (const Failure failure = writePage(path); failure.failed()) {
        m_dialogs.showErrorMessage(this, failure.within(path).message());
        return;
    }
    QDialog::accept();
}

Failure ExportDialog::writePage(const QString& path) {
    const OutputFormat* format = formatOf(path);
    const PageDesign shown = notebookPageDesign(m_first, m_shownPage);
    if (const TabletDevice* device = chosenDevice()) {
        if (Failure problem = deviceFormatProblem(format, *device); problem.failed())
            return problem;
        // A screen's page is small: it is drawn and written at once.
        return writeDevicePage(*format, path,
                               {*device, m_landscape->isChecked(), device->toolbarMarginPixels},
                               shown, m_layers);
    }
    if (!format)
        return Failure::because(unknownOutputSuffixMessage());
    const PageScale scale = printScale(printerPage(), m_calibration);
    if (const int pages = pageCount(); pages > 1) {
        // Every page is drawn and written in turn; the dialog says what it is busy with.
        QProgressDialog progress(tr("Writing %1 pages...").arg(pages), QString(), 0, 0, this);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        progress.setValue(0);
        return writeNotebookFile(*format, path, {scale, m_first, m_layers}, pages);
    }
    // A large page shows how far it is, drawing and then writing; there is nothing to cancel,
    // as a file is replaced only when it is complete.
    std::optional<QProgressDialog> progress;
    if (qint64(scale.SurfaceWidth) * scale.SurfaceHeight >= kLargePagePixels) {
        progress.emplace(tr("Drawing the page..."), QString(), 0, 2, this);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        progress->setValue(0);
    }
    return writePageFile(*format, path, {scale, shown, m_layers}, [&progress] {
        if (progress) {
            progress->setLabelText(tr("Writing the file..."));
            progress->setValue(1);
        }
    });
}
