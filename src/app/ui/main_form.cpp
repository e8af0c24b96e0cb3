#include "app/ui/main_form.h"

#include "app/ui/about_box.h"
#include "app/ui/artwork.h"
#include "app/ui/document_commands.h"
#include "app/ui/page_frame.h"
#include "app/ui/picture_loader.h"
#include "app/ui/print_commands.h"
#include "app/ui/progress_status_bar.h"
#include "app/ui/web_address.h"
#include "output/ui/export_dialog.h"
#include "page/loaded_design.h"
#include "page/ui/preview_pane.h"
#include "picture/open_picture.h"
#include "printing/application.h"
#include "printing/ui/calibration_dialog.h"
#include "program_version.h"
#include "settings/presets.h"
#include "viewer/ui/view_pic_form.h"
#include "widgets/file_name_edit.h"
#include "widgets/image_button.h"
#include "widgets/user_dialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLayout>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QSessionManager>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr QSize kStartSize(638, 512);
constexpr int kToolStripHeight = 27;
constexpr int kToolButtonWidth = 121;
constexpr int kBottomStripHeight = 41;
constexpr QSize kWebButtonSize(137, 33);

QToolButton* flatButton(const QIcon& icon, const QString& caption, const QString& hint,
                        const QString& objectName) {
    auto* button = new QToolButton;
    button->setObjectName(objectName);
    button->setIcon(icon);
    button->setText(caption);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

// The picture named on a page, for the pages that name one.
std::optional<Setting> pictureFileNameOf(PageId page) {
    switch (page) {
    case PageId::Picture:
        return Setting::FilenameEdit1;
    case PageId::Texture:
        return Setting::FilenameEdit2;
    default:
        return std::nullopt;
    }
}

} // namespace

TMainForm::TMainForm(Application& app, UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_settings(app.settings), m_pictures(new PictureLoader(app, this)),
      m_commands(new DocumentCommands(app.settings, *m_pictures, dialogs, this)) {
    setObjectName(QStringLiteral("MainForm"));
    showDocumentInTitle();
    connect(m_commands, &DocumentCommands::documentChanged, this, &TMainForm::showDocumentInTitle);
    // A compact face for the whole program, so that the six pages and their rows fit the
    // window's start size.
    QFont compact(QStringLiteral("Arial"));
    compact.setPointSize(8);
    QApplication::setFont(compact);

    PageContext context{app.settings, *m_pictures, dialogs, this};
    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("PageControl2"));
    m_pages->setDocumentMode(true);
    const std::pair<PageFrame*, const char*> pages[] = {
        {buildBasicPage(context), "Basic settings"},
        {buildEdgesPage(context), "Edges"},
        {buildPicturePage(context, m_picturePreview), "Insert picture"},
        {buildTexturePage(context, m_texturePreview), "Background texture"},
        {buildFreeTextPage(context), "Free text"},
        {buildPrintPage(context, m_print), "Print"},
    };
    for (int index = 0; index < kPageCount; ++index) {
        m_pages->addTab(pages[index].first, pageTabIcon(PageId(index)),
                        QString::fromLatin1(pages[index].second));
    }
    m_pages->setCurrentIndex(0);
    connectPrintPage(app, dialogs);
    connectPreviewButton(m_picturePreview, Setting::FilenameEdit1, app);
    connectPreviewButton(m_texturePreview, Setting::FilenameEdit2, app);
    m_viewer = new TViewPicForm(app.printer, dialogs, this);
    connect(this, &TMainForm::previewRequested, this,
            [this, &dialogs](const PictureRecord& picture, const QString& fileName) {
                if (picture.isEmpty()) {
                    dialogs.showErrorMessage(this, QStringLiteral("There is no picture loaded!"));
                    return;
                }
                m_viewer->showPicture(picture, fileName);
                dialogs.runPictureViewer(*m_viewer);
            });

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QWidget* toolStrip = buildToolStrip();
    connect(toolStrip->findChild<QToolButton*>(QStringLiteral("ExportBtn")), &QToolButton::clicked,
            this, [this, &app, &dialogs] {
                const LoadedDesign& shown = app.designAsShown();
                // Layers of the export's own, so that the pictures are stretched for its page.
                const PicturePageLayers layers = shown.ownLayers();
                ExportDialog dialog(shown.design, m_preview->shownPage(), layers,
                                    app.calibration.forPage(), dialogs, this);
                dialog.exec();
            });
    layout->addWidget(toolStrip);
    layout->addWidget(m_pages, 1);
    layout->addWidget(buildBottomStrip());
    setCentralWidget(central);

    m_statusBar = new ProgressStatusBar;
    setStatusBar(m_statusBar);
    connect(m_pictures, &PictureLoader::progress, this, &TMainForm::WMUser);
    connect(m_pictures, &PictureLoader::designPicturesMissing, m_statusBar,
            &ProgressStatusBar::showNote);
    // The printer's damaged calibration is passed over for the common one, which the user would
    // otherwise take for their printer's.
    app.onCalibrationDamage([bar = QPointer(m_statusBar)](const QString& damage) {
        if (bar)
            bar->showNote(damage);
    });

    connect(qApp, &QGuiApplication::commitDataRequest, this, &TMainForm::commitData);

    setAcceptDrops(true);
    resize(kStartSize);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

QWidget* TMainForm::buildToolStrip() {
    auto* strip = new QWidget;
    strip->setObjectName(QStringLiteral("ToolStrip"));
    strip->setFixedHeight(kToolStripHeight);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->setSpacing(0);
    QToolButton* buttons[] = {
        flatButton(newDocumentIcon(), QStringLiteral("&New"), QStringLiteral("Create new file"),
                   QStringLiteral("NewBtn")),
        flatButton(newDocumentIcon(), QStringLiteral("New from preset"),
                   QStringLiteral("Give the design the paper of a known kind"),
                   QStringLiteral("PresetBtn")),
        flatButton(openDocumentIcon(), QStringLiteral("Open..."), QStringLiteral("Open file..."),
                   QStringLiteral("OpenBtn")),
        flatButton(saveDocumentIcon(), QStringLiteral("Save as..."),
                   QStringLiteral("Save file as..."), QStringLiteral("SaveAsBtn")),
        flatButton(saveDocumentIcon(), QStringLiteral("Export..."),
                   QStringLiteral("Write the page into a PNG, BMP or PDF file..."),
                   QStringLiteral("ExportBtn")),
    };
    auto* presetMenu = new QMenu(buttons[1]);
    presetMenu->setObjectName(QStringLiteral("PresetMenu"));
    for (const Preset& preset : presets()) {
        presetMenu->addAction(
            QLatin1String(preset.caption), m_commands,
            [this, name = QLatin1String(preset.name)] { m_commands->NewFromPreset(name); });
    }
    buttons[1]->setMenu(presetMenu);
    // The presets are a menu button with an arrow of its own beside the caption, not a mark
    // squeezed into the corner; the caption opens the menu too, as it does nothing else.
    buttons[1]->setPopupMode(QToolButton::MenuButtonPopup);
    for (QToolButton* button : buttons) {
        // Wider where a caption and a menu arrow need more room.
        button->setFixedSize(std::max(kToolButtonWidth, button->sizeHint().width()),
                             kToolStripHeight - 2);
        layout->addWidget(button);
    }
    layout->addStretch(1);
    connect(buttons[0], &QToolButton::clicked, m_commands, &DocumentCommands::NewBtnClick);
    connect(buttons[1], &QToolButton::clicked, buttons[1], &QToolButton::showMenu);
    connect(buttons[2], &QToolButton::clicked, m_commands, &DocumentCommands::OpenBtnClick);
    connect(buttons[3], &QToolButton::clicked, m_commands, &DocumentCommands::SaveAsBtnClick);
    return strip;
}

// The preview under the strip of the "Print" page, the calibration dialog, and what the
// page's buttons do.
void TMainForm::connectPrintPage(Application& app, UserDialogs& dialogs) {
    m_preview = new PreviewPane(
        app.settings, [&app] { return app.calibration.forPage(); },
        [&app] { return app.printer.page(); });
    m_print.previewArea->layout()->addWidget(m_preview);
    m_calibrationDialog = new TKalForm(
        app.calibration, [this] { m_printing->printTestRectangle(); }, this);
    m_calibrationDialog->hide();
    m_printing = new PrintCommands(app, dialogs, *m_preview, *m_calibrationDialog, this);
    connect(m_print.printButton, &QAbstractButton::clicked, m_printing,
            &PrintCommands::PrintBtnClick);
    connect(m_print.setupButton, &QAbstractButton::clicked, m_printing,
            &PrintCommands::SetupBtnClick);
    connect(m_print.calibrateButton, &QAbstractButton::clicked, m_printing,
            &PrintCommands::KalBtnClick);
    connect(m_print.fitPageButton, &QAbstractButton::clicked, m_preview,
            [this] { m_settings.ZoomEd.setValue(m_preview->fitPageZoom()); });
    connect(m_commands, &DocumentCommands::designReplaced, m_preview, &PreviewPane::refresh);
    connect(m_pictures, &PictureLoader::loaded, m_preview, &PreviewPane::refresh);
    // The check ruler's box stands over the preview, which shows at once what it does.
    connect(&app.settings, &PaperSettings::changed, m_preview, [this](Setting changed) {
        if (changed == Setting::RulerCheck)
            m_preview->refresh();
    });
}

void TMainForm::connectPreviewButton(QAbstractButton* button, Setting fileName, Application& app) {
    connect(button, &QAbstractButton::clicked, this, [this, &app, fileName] {
        emit previewRequested(m_pictures->record(fileName),
                              unquotedFileName(app.settings.text(fileName)));
    });
}

QWidget* TMainForm::buildBottomStrip() {
    auto* strip = new QWidget;
    strip->setObjectName(QStringLiteral("BottomStrip"));
    strip->setFixedHeight(kBottomStripHeight);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(4, 4, 4, 4);

    QToolButton* web =
        flatButton(webIcon(), kWebCaption, QStringLiteral("Go to the Tolvane homepage..."),
                   QStringLiteral("wwwBtn"));
    // The address is the caption, and it is not cut where the face is a little wider.
    web->setFixedSize(kWebButtonSize.expandedTo(web->sizeHint()));
    connect(web, &QToolButton::clicked, this, [] { openWebAddress(); });

    auto* about =
        new ImageButton(aboutButtonPicture(), QStringLiteral("Information about the program"));
    about->setObjectName(QStringLiteral("ueberbtn"));
    connect(about, &QAbstractButton::clicked, this, &TMainForm::ueberbtnClick);

    auto* end = new ImageButton(endButtonPicture(), QStringLiteral("Hereby you leave the program"));
    end->setObjectName(QStringLiteral("endebtn"));
    connect(end, &QAbstractButton::clicked, this, &QWidget::close);

    layout->addWidget(web);
    layout->addStretch(1);
    layout->addWidget(about);
    layout->addWidget(end);
    return strip;
}

void TMainForm::showDocumentInTitle() {
    const QString program = QStringLiteral("Tolvane Lineavo-Pressolo " LINEAVO_VERSION);
    const QString& document = m_commands->documentName();
    const bool modified = m_commands->isModified();
    if (document.isEmpty() && !modified) {
        setWindowTitle(program);
        return;
    }
    const QString name =
        document.isEmpty() ? QStringLiteral("New design") : QFileInfo(document).fileName();
    setWindowTitle(name + (modified ? QStringLiteral("* - ") : QStringLiteral(" - ")) + program);
}

void TMainForm::ueberbtnClick() {
    TAboutBox box(this);
    box.exec();
}

void TMainForm::WMUser(int percent) {
    m_statusBar->SetProStatus(percent);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // A yes given to the ending session counts once: if the session goes on after all, the
    // next close asks again.
    if (std::exchange(m_quitConfirmed, false) || m_commands->FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

std::function<void()> TMainForm::dropAction(const QDropEvent& event) const {
    const std::optional<QString> file = droppedLocalFile(event.mimeData());
    if (!file)
        return {};
    if (QFileInfo(*file).suffix().compare(u"lvo", Qt::CaseInsensitive) == 0)
        return [this, design = *file] { m_commands->OpenDroppedFile(design); };
    // Any other file is taken for a picture, on the page of a picture only; the loader says
    // in the file name field if it is none.
    const QWidget* page = m_pages->currentWidget();
    const std::optional<Setting> fileName = pictureFileNameOf(PageId(m_pages->currentIndex()));
    if (!fileName || !page->rect().contains(page->mapFrom(this, event.position().toPoint())))
        return {};
    return [this, setting = *fileName, picture = *file] { m_settings.setText(setting, picture); };
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void TMainForm::dragMoveEvent(QDragMoveEvent* event) {
    if (dropAction(*event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TMainForm::dropEvent(QDropEvent* event) {
    const std::function<void()> action = dropAction(*event);
    if (!action) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // After the drop is over: a failed open shows a message box, which must not hold up the
    // program the file was dragged from.
    QTimer::singleShot(0, this, action);
}

void TMainForm::commitData(QSessionManager& manager) {
    // The session is ending: ask the quit question here, where the session can still be
    // stopped, so that closing afterwards asks nothing more.
    if (!manager.allowsInteraction())
        return;
    m_quitConfirmed = m_commands->FormCloseQuery();
    manager.release();
    if (!m_quitConfirmed)
        manager.cancel();
}
