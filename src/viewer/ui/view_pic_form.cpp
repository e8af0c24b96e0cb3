#include "viewer/ui/view_pic_form.h"

#include "printing/current_printer.h"
#include "viewer/picture_print_job.h"
#include "viewer/ui/desktop_program.h"
#include "viewer/ui/picture_scroll_box.h"
#include "viewer/ui/print_form.h"
#include "widgets/real_spin_edit.h"
#include "widgets/user_dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr QSize kOuterSize(532, 420);
constexpr RealField::Range kZoomRange{5, 9000, 10, 0};
constexpr int kFirstZoom = 100;

QToolButton* toolButton(const QString& caption, const char* objectName) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(objectName));
    button->setText(caption);
    button->setAutoRaise(true);
    return button;
}

} // namespace

TViewPicForm::TViewPicForm(CurrentPrinter& printer, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), ZoomEd(QStringLiteral("ZoomEd"), kZoomRange, kFirstZoom), m_printer(printer),
      m_dialogs(dialogs) {
    setObjectName(QStringLiteral("ViewPicForm"));
    setWindowTitle(QStringLiteral("View picture..."));
    m_scrollBox = new PictureScrollBox;
    auto* statusBar = new QStatusBar;
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    statusBar->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildToolStrip());
    layout->addWidget(m_scrollBox, 1);
    layout->addWidget(statusBar);

    // Typing a zoom shows it at once, keystroke by keystroke.
    connect(&ZoomEd, &RealField::textChanged, this, &TViewPicForm::ZoomEdChange);
    ZoomEdChange();
    resize(kOuterSize);
}

QWidget* TViewPicForm::buildToolStrip() {
    auto* strip = new QWidget;
    strip->setObjectName(QStringLiteral("Panel5"));
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(4, 2, 4, 2);
    QToolButton* back = toolButton(QStringLiteral("Back.."), "ReadyBtn");
    QToolButton* print = toolButton(QStringLiteral("&Print"), "PrintBrn");
    QToolButton* open = toolButton(QStringLiteral("Open..."), "OpenBtn");
    auto* zoomLabel = new QLabel(QStringLiteral("Zoom:"));
    zoomLabel->setObjectName(QStringLiteral("Label1"));
    auto* zoom = new RealSpinEdit(ZoomEd);
    zoom->setObjectName(QStringLiteral("ZoomEd"));
    zoomLabel->setBuddy(zoom);
    for (QWidget* widget :
         {static_cast<QWidget*>(back), static_cast<QWidget*>(print), static_cast<QWidget*>(open),
          static_cast<QWidget*>(zoomLabel), static_cast<QWidget*>(zoom)})
        row->addWidget(widget);
    row->addStretch();
    connect(back, &QToolButton::clicked, this, &QDialog::accept);
    connect(print, &QToolButton::clicked, this, &TViewPicForm::PrintBrnClick);
    connect(open, &QToolButton::clicked, this, &TViewPicForm::OpenBtnClick);
    return strip;
}

void TViewPicForm::showPicture(const PictureRecord& dib, const QString& fileName) {
    ViewDib = dib;
    ViewFileName = fileName;
    m_scrollBox->setPicture(ViewDib);
}

void TViewPicForm::ZoomEdChange() {
    m_scrollBox->setZoom(int(ZoomEd.value()));
}

void TViewPicForm::OpenBtnClick() {
    openInDesktopProgram(this, ViewFileName, [this, fileName = ViewFileName](bool opened) {
        if (!opened)
            m_dialogs.showErrorMessage(
                this, QStringLiteral("No program of the desktop could open the picture \"%1\".")
                          .arg(fileName));
    });
}

void TViewPicForm::PrintBrnClick() {
    TPrintForm dialog(m_printer, m_dialogs, ViewDib, this);
    if (!m_dialogs.runPicturePrint(dialog))
        return;
    if (const Failure failure = printPicture(m_printer, ViewDib, dialog.choice()); failure.failed())
        m_dialogs.showErrorMessage(this, failure.message());
    else if (auto notice = m_printer.heldJobNotice())
        m_dialogs.showInfoMessage(this, *notice);
}

void TViewPicForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the desktop, the window's frame included.
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - frameGeometry().center() + pos());
}
