#include "printing/ui/calibration_dialog.h"

#include "calibration/calibration.h"
#include "settings/inch_twin.h"
#include "settings/scoped_value.h"
#include "widgets/fixed_size_dialog.h"
#include "widgets/real_spin_edit.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr RealField::Range kDistanceInches{0, 10, 0.01, 2};
constexpr RealField::Range kUnlimitedInches{0, 0, 0.01, 2};

constexpr int kClientWidth = 393;
constexpr int kClientHeight = 296;
constexpr int kFieldWidth = 73;
constexpr int kRowHeight = 21;

void placeLabel(const QString& text, const QRect& geometry, QWidget* parent, bool wrapped = false) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(wrapped);
    label->setGeometry(geometry);
}

} // namespace

TKalForm::TKalForm(CalibrationSettings& calibration, std::function<void()> printTestRectangle,
                   QWidget* parent)
    : QDialog(parent), LinksEDin("LinksEDin", kDistanceInches, 0),
      ObenEdin("ObenEdin", kDistanceInches, 0), BreitEdin("BreitEdin", kUnlimitedInches, 0),
      HochEdin("HochEdin", kUnlimitedInches, 0), m_calibration(calibration),
      m_printTestRectangle(std::move(printTestRectangle)) {
    // The order in which the twins are first filled.
    m_twins = {{&calibration.LinksEd, &LinksEDin},
               {&calibration.BreitEd, &BreitEdin},
               {&calibration.ObenEd, &ObenEdin},
               {&calibration.HochEd, &HochEdin}};
    for (const Twins& twins : m_twins) {
        connect(twins.millimetres, &RealField::textChanged, this,
                [this, twins] { millimetresChanged(twins); });
        connect(twins.inches, &RealField::textChanged, this,
                [this, twins] { inchesChanged(twins); });
        // Even where the loaded value changed no text, every twin shows its length.
        millimetresChanged(twins);
    }
    buildLayout();
}

void TKalForm::millimetresChanged(const Twins& twins) {
    // The inch field being typed in keeps what the user types; it is rewritten when left.
    if (twins.inches == m_inchesBeingTyped)
        return;
    const ScopedValue updating(m_inchTwinUpdating, true);
    twins.inches->setValue(lengthToInches(twins.millimetres->value(), Unit::Millimetres));
}

void TKalForm::inchesChanged(const Twins& twins) {
    if (m_inchTwinUpdating)
        return;
    const ScopedValue typing(m_inchesBeingTyped, twins.inches);
    twins.millimetres->setValue(inchesToLength(twins.inches->value(), Unit::Millimetres));
}

void TKalForm::BitBtn1Click() {
    m_printTestRectangle();
}

void TKalForm::showPrinter(const QString& printer) {
    setWindowTitle(printer.isEmpty() ? QStringLiteral("Calibrate printer...")
                                     : QStringLiteral("Calibrate printer \"%1\"...").arg(printer));
}

TKalForm::~TKalForm() {
    // The inch fields are members, which would go before the spin edits bound to them.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void TKalForm::done(int result) {
    for (const Twins& twins : m_twins) {
        twins.millimetres->leave();
        millimetresChanged(twins);
    }
    QDialog::done(result);
}

void TKalForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
}

void TKalForm::buildLayout() {
    setObjectName(QStringLiteral("KalForm"));
    showPrinter(QString());
    fixDialogSize(*this, QSize(kClientWidth, kClientHeight));

    placeLabel(QStringLiteral("Use this for every new printer to get exact printouts!"),
               QRect(8, 8, 377, 26), this, true);
    auto* testButton = new QPushButton(QStringLiteral("Print test rectangle..."), this);
    testButton->setObjectName(QStringLiteral("BitBtn1"));
    testButton->setGeometry(8, 40, 161, 25);
    testButton->setAutoDefault(false);
    connect(testButton, &QPushButton::clicked, this, &TKalForm::BitBtn1Click);
    placeLabel(QStringLiteral("Please measure the following values on the printout and correct "
                              "the values if they are wrong."),
               QRect(8, 76, 377, 40), this, true);

    struct Row {
        const char* label;
        RealField& millimetres;
        RealField& inches;
    };
    const Row rows[] = {
        {"Distance of the rectangle from the left edge:", m_calibration.LinksEd, LinksEDin},
        {"Distance of the rectangle form the top edge:", m_calibration.ObenEd, ObenEdin},
        {"Width of the rectangle:", m_calibration.BreitEd, BreitEdin},
        {"Height of the rectangle:", m_calibration.HochEd, HochEdin},
    };
    std::vector<QWidget*> millimetreEdits;
    std::vector<QWidget*> inchEdits;
    int y = 128;
    for (const Row& row : rows) {
        placeLabel(QString::fromLatin1(row.label), QRect(8, y - 6, 142, 32), this, true);
        auto* millimetres = new RealSpinEdit(row.millimetres, this);
        millimetres->setGeometry(152, y, kFieldWidth, kRowHeight);
        placeLabel(QStringLiteral("mm ="), QRect(229, y, 34, kRowHeight), this);
        auto* inches = new RealSpinEdit(row.inches, this);
        inches->setLeaveAction(
            [this, twins = Twins{&row.millimetres, &row.inches}] { millimetresChanged(twins); });
        inches->setGeometry(264, y, kFieldWidth, kRowHeight);
        placeLabel(QStringLiteral("inches"), QRect(341, y, 48, kRowHeight), this);
        millimetreEdits.push_back(millimetres);
        inchEdits.push_back(inches);
        y += 32;
    }

    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    separator->setGeometry(0, kClientHeight - 40, kClientWidth, 2);
    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("BitBtn2"));
    okButton->setGeometry((kClientWidth - 107) / 2, kClientHeight - 32, 107, 25);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    // Keyboard order: the test print, the four millimetre fields, OK, then the inch fields.
    std::vector<QWidget*> order = {testButton};
    order.insert(order.end(), millimetreEdits.begin(), millimetreEdits.end());
    order.push_back(okButton);
    order.insert(order.end(), inchEdits.begin(), inchEdits.end());
    for (size_t i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}
