#pragma once

#include <QAbstractSpinBox>

#include <functional>

class RealField;

// A spin edit that shows and edits one RealField. The field's text is the truth: typing
// writes into it as typed, the program's changes of the field show up here, the up and down
// buttons and arrow keys step it. Keys the field cannot take are refused with a beep.
class RealSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
  public:
    explicit RealSpinEdit(RealField& field, QWidget* parent = nullptr);

    RealField& field() const { return m_field; }

    // What leaving the edit does; by default the field clamps a value outside its range.
    void setLeaveAction(std::function<void()> action) { m_leaveAction = std::move(action); }

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    // A typed character that the field does not take; the edit has beeped.
    void keyRefused(QChar key);

  protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void showFieldText(const QString& text);
    // The text as it would be without the selection that a typed key replaces.
    QString textAroundCursor() const;

    RealField& m_field;
    std::function<void()> m_leaveAction;
};
