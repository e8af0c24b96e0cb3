#include "viewer/ui/print_form.h"

#include "picture/draw_dib.h"
#include "picture/surface_dib_device.h"
#include "printing/current_printer.h"
#include "render/image_surface.h"
#include "settings/scoped_value.h"
#include "widgets/fixed_size_dialog.h"
#include "widgets/real_spin_edit.h"
#include "widgets/user_dialogs.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>

#include <functional>
#include <utility>

namespace {

constexpr QSize kClientSize(427, 328);
constexpr int kPreviewSide = 190;
constexpr RealField::Range kPercentRange{kLeastPercent, kMostPercent, 1, 0};
constexpr int kFirstPercent = 50;
constexpr QRgb kWhite = 0xffffffff;

// Where the percentages and the window state are kept for the next use of the dialog.
const QString kSettingsGroup = QStringLiteral("PrintForm");
const QString kWidthKey = QStringLiteral("BreitEdit");
const QString kHeightKey = QStringLiteral("HochEdit");
const QString kWindowStateKey = QStringLiteral("WindowState");

const QString kOrganisation = QStringLiteral("Tolvane");
const QString kApplication = QStringLiteral("Lineavo-Pressolo");

// The preview's paint box, drawn by the dialog.
class PaintBox : public QWidget {
  public:
    explicit PaintBox(std::function<void(QWidget&)> draw) : m_draw(std::move(draw)) {}

  protected:
    void paintEvent(QPaintEvent*) override { m_draw(*this); }

  private:
    std::function<void(QWidget&)> m_draw;
};

QLabel* placeLabel(const QString& text, QPoint at, QWidget* parent, QWidget* buddy = nullptr) {
    auto* label = new QLabel(text, parent);
    label->move(at);
    label->setBuddy(buddy);
    return label;
}

RealSpinEdit* placePercentEdit(RealField& field, const QRect& at, QWidget* parent) {
    auto* edit = new RealSpinEdit(field, parent);
    edit->setObjectName(field.name());
    edit->setGeometry(at);
    return edit;
}

QPushButton* placeButton(const QString& caption, const char* objectName, const QRect& at,
                         QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setGeometry(at);
    return button;
}

} // namespace

TPrintForm::TPrintForm(CurrentPrinter& printer, UserDialogs& dialogs, const PictureRecord& dib,
                       QWidget* parent)
    : QDialog(parent), BreitEdit(QStringLiteral("BreitEdit"), kPercentRange, kFirstPercent),
      HochEdit(QStringLiteral("HochEdit"), kPercentRange, kFirstPercent), m_printer(printer),
      m_dialogs(dialogs), PrintDib(dib) {
    buildLayout();
    connect(&BreitEdit, &RealField::textChanged, this, &TPrintForm::BreitEditChange);
    connect(&HochEdit, &RealField::textChanged, this, &TPrintForm::HochEditChange);
    for (QAbstractButton* option :
         {static_cast<QAbstractButton*>(UseFullCheck), static_cast<QAbstractButton*>(UserdefCheck),
          static_cast<QAbstractButton*>(SverhCheck), static_cast<QAbstractButton*>(ZentrCheck)})
        connect(option, &QAbstractButton::clicked, this, &TPrintForm::PrintPaintBoxPaint);
}

void TPrintForm::buildLayout() {
    setObjectName(QStringLiteral("PrintForm"));
    setWindowTitle(QStringLiteral("Print picture..."));
    fixDialogSize(*this, kClientSize);

    placeLabel(QStringLiteral("Preview:"), QPoint(8, 8), this);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->setGeometry(8, 28, kPreviewSide + 4, kPreviewSide + 4);
    PrintPaintBox = new PaintBox([this](QWidget& box) { drawPreview(box); });
    PrintPaintBox->setParent(panel);
    PrintPaintBox->setObjectName(QStringLiteral("PrintPaintBox"));
    PrintPaintBox->setGeometry(2, 2, kPreviewSide, kPreviewSide);

    placeOptions();

    QPushButton* setup = placeButton(QStringLiteral("Setup printer..."), "PrintSetupBtn",
                                     QRect(8, 292, 121, 27), this);
    setup->setAutoDefault(false);
    connect(setup, &QPushButton::clicked, this, &TPrintForm::PrintSetupBtnClick);
    QPushButton* ok =
        placeButton(QStringLiteral("&OK"), "OkBitBtn1", QRect(222, 292, 95, 27), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    QPushButton* cancel =
        placeButton(QStringLiteral("&Cancel"), "CancelBitBtn2", QRect(324, 292, 95, 27), this);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TPrintForm::placeOptions() {
    auto* size = new QGroupBox(QStringLiteral("Print size"), this);
    size->setObjectName(QStringLiteral("GroupBox1"));
    size->setGeometry(212, 8, 207, 150);
    UseFullCheck = new QRadioButton(QStringLiteral("Use page fully"), size);
    UseFullCheck->setObjectName(QStringLiteral("UseFullCheck"));
    UseFullCheck->setGeometry(12, 24, 185, 22);
    UseFullCheck->setChecked(true);
    UserdefCheck = new QRadioButton(QStringLiteral("User-defined"), size);
    UserdefCheck->setObjectName(QStringLiteral("UserdefCheck"));
    UserdefCheck->setGeometry(12, 50, 185, 22);
    RealSpinEdit* width = placePercentEdit(BreitEdit, QRect(120, 82, 75, 24), size);
    placeLabel(QStringLiteral("Width in %:"), QPoint(30, 86), size, width)
        ->setObjectName(QStringLiteral("RxLabel2"));
    RealSpinEdit* height = placePercentEdit(HochEdit, QRect(120, 114, 75, 24), size);
    placeLabel(QStringLiteral("Height in %:"), QPoint(30, 118), size, height)
        ->setObjectName(QStringLiteral("RxLabel3"));

    auto* options = new QGroupBox(QStringLiteral("Print options"), this);
    options->setObjectName(QStringLiteral("GroupBox2"));
    options->setGeometry(212, 166, 207, 80);
    SverhCheck = new QCheckBox(QStringLiteral("Maintain aspect ratio"), options);
    SverhCheck->setObjectName(QStringLiteral("SverhCheck"));
    SverhCheck->setGeometry(12, 24, 185, 22);
    SverhCheck->setChecked(true);
    ZentrCheck = new QCheckBox(QStringLiteral("Centered output"), options);
    ZentrCheck->setObjectName(QStringLiteral("ZentrCheck"));
    ZentrCheck->setGeometry(12, 50, 185, 22);
    ZentrCheck->setChecked(true);
}

PicturePrintChoice TPrintForm::choice() const {
    return {UseFullCheck->isChecked(), SverhCheck->isChecked(), ZentrCheck->isChecked(),
            int(BreitEdit.clamp(BreitEdit.value())), int(HochEdit.clamp(HochEdit.value()))};
}

QSize TPrintForm::printableArea() const {
    return m_printer.unavailable().failed() ? QSize() : m_printer.page().printableArea;
}

QSize TPrintForm::pictureSize() const {
    return QSize(DibWidth(PrintDib), DibHeight(PrintDib));
}

void TPrintForm::PrintPaintBoxPaint() {
    PrintPaintBox->update();
    // A pair the user made with either side stays, so that the same clicks give the same size;
    // any other (stored, or from before the proportions were kept or the printer changed)
    // takes its height from the width.
    const PrintPercents percents{int(BreitEdit.clamp(BreitEdit.value())),
                                 int(HochEdit.clamp(HochEdit.value()))};
    if (!isProportional(percents, pictureSize(), printableArea()))
        BreitEditChange();
}

void TPrintForm::drawPreview(QWidget& box) {
    QImage pixels(box.size(), QImage::Format_RGB32);
    pixels.fill(box.palette().color(QPalette::Button));
    ImageSurface surface(std::move(pixels), QPoint(0, 0));
    // With no printer there is no page to outline: the box stays empty.
    const QRect outline = pageOutline(box.size(), printableArea());
    if (!outline.isEmpty()) {
        surface.setBrushColor(kWhite);
        surface.setPenColor(kWhite);
        surface.setPenMode(PenMode::Copy);
        surface.rectangle(outline.left(), outline.top(), outline.left() + outline.width(),
                          outline.top() + outline.height());
        const QRect placed =
            placePicture(pictureSize(), outline.size(), choice()).translated(outline.topLeft());
        SurfaceDibDevice device(surface);
        DrawDib(device, {placed.x(), placed.y(), placed.width(), placed.height()}, PrintDib,
                {0, 0, DibWidth(PrintDib), DibHeight(PrintDib)}, true);
    }
    QPainter(&box).drawImage(0, 0, surface.image());
}

void TPrintForm::BreitEditChange() {
    followPercent(PercentSide::Width);
}

void TPrintForm::HochEditChange() {
    followPercent(PercentSide::Height);
}

void TPrintForm::followPercent(PercentSide set) {
    if (Changing)
        return;
    const ScopedValue changing(Changing, true);
    if (SverhCheck->isChecked()) {
        const bool widthSet = set == PercentSide::Width;
        RealField& edited = widthSet ? BreitEdit : HochEdit;
        RealField& other = widthSet ? HochEdit : BreitEdit;
        const int typed = int(edited.clamp(edited.value()));
        if (auto percents = proportionalPercents(set, typed, pictureSize(), printableArea())) {
            const auto [kept, follows] = widthSet ? std::pair(percents->width, percents->height)
                                                  : std::pair(percents->height, percents->width);
            other.setValue(follows);
            // Lowered so that the other fits: the field shows what will be printed.
            if (kept != typed)
                edited.setValue(kept);
        }
    }
    PrintPaintBoxPaint();
}

void TPrintForm::PrintSetupBtnClick() {
    m_dialogs.setUpPrinter(this, m_printer.printer());
    // Confirmed or not, the preview takes the printable area now chosen.
    m_printer.followPrinter();
    PrintPaintBoxPaint();
}

void TPrintForm::showEvent(QShowEvent* event) {
    QSettings settings(kOrganisation, kApplication);
    settings.beginGroup(kSettingsGroup);
    // Both as stored: neither may rewrite the other before the pair is looked at below.
    {
        const ScopedValue changing(Changing, true);
        BreitEdit.setValue(settings.value(kWidthKey, kFirstPercent).toDouble());
        HochEdit.setValue(settings.value(kHeightKey, kFirstPercent).toDouble());
    }
    const auto state = Qt::WindowStates(settings.value(kWindowStateKey, 0).toInt());
    setWindowState(state & Qt::WindowMinimized ? Qt::WindowNoState : state);
    QDialog::showEvent(event);
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
    PrintPaintBoxPaint();
}

void TPrintForm::done(int result) {
    // A number typed outside the range is brought into it, as leaving the edit would.
    BreitEdit.leave();
    HochEdit.leave();
    QSettings settings(kOrganisation, kApplication);
    settings.beginGroup(kSettingsGroup);
    settings.setValue(kWidthKey, int(BreitEdit.value()));
    settings.setValue(kHeightKey, int(HochEdit.value()));
    settings.setValue(kWindowStateKey, int(windowState()));
    QDialog::done(result);
}
