#include "widgets/real_spin_edit.h"

#include "settings/real_field.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

RealSpinEdit::RealSpinEdit(RealField& field, QWidget* parent)
    : QAbstractSpinBox(parent), m_field(field), m_leaveAction([&field] { field.leave(); }) {
    setObjectName(field.name());
    setAccelerated(true);
    lineEdit()->setText(field.text());
    connect(&field, &RealField::textChanged, this, &RealSpinEdit::showFieldText);
    connect(lineEdit(), &QLineEdit::textEdited, &field, &RealField::setText);
}

void RealSpinEdit::showFieldText(const QString& text) {
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

void RealSpinEdit::stepBy(int steps) {
    m_field.stepBy(steps);
}

QValidator::State RealSpinEdit::validate(QString& input, int&) const {
    // The key filter beeps at a refused key; this holds for text that comes another way.
    return m_field.acceptsText(input) ? QValidator::Acceptable : QValidator::Invalid;
}

QAbstractSpinBox::StepEnabled RealSpinEdit::stepEnabled() const {
    return StepUpEnabled | StepDownEnabled;
}

QString RealSpinEdit::textAroundCursor() const {
    QString text = lineEdit()->text();
    if (lineEdit()->hasSelectedText())
        text.remove(lineEdit()->selectionStart(), lineEdit()->selectedText().size());
    return text;
}

void RealSpinEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    // A key with Alt still types its character when it is no shortcut.
    const bool printable =
        typed.size() == 1 && typed.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier);
    if (printable && !m_field.acceptsKey(typed.at(0), textAroundCursor())) {
        QApplication::beep();
        event->accept();
        emit keyRefused(typed.at(0));
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void RealSpinEdit::focusOutEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusOutEvent(event);
    // Switching to another window or opening a menu does not leave the field.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        m_leaveAction();
}

QSize RealSpinEdit::sizeHint() const {
    const QFontMetrics metrics(font());
    const int digits = m_field.isWholeNumber() ? 5 : 8;
    QSize size = QAbstractSpinBox::sizeHint();
    size.setWidth(metrics.horizontalAdvance(QString(digits, u'0')) + 28);
    return size;
}

QSize RealSpinEdit::minimumSizeHint() const {
    return sizeHint();
}
