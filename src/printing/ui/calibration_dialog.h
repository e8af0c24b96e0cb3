#pragma once

#include "settings/real_field.h"

#include <QDialog>

#include <functional>
#include <vector>

class CalibrationSettings;

// The calibration dialog: a button that prints the 100 mm test rectangle, and the four
// measured lengths in millimetres, each with an inch twin. The millimetre fields are the
// calibration's own, so what the user types is in force at once.
//
// Typing in an inch field sets its millimetre twin at every keystroke, but the inch field keeps
// what is typed until it is left, and is then written back from the millimetres with two
// decimals. Typing in a millimetre field is never rewritten: the echo of its twin is stopped
// while the twin is being updated.
class TKalForm : public QDialog {
    Q_OBJECT
  public:
    TKalForm(CalibrationSettings& calibration, std::function<void()> printTestRectangle,
             QWidget* parent = nullptr);
    ~TKalForm() override;

    RealField LinksEDin;
    RealField ObenEdin;
    RealField BreitEdin;
    RealField HochEdin;

    // True only while a millimetre field rewrites its inch twin.
    bool inchTwinUpdating() const { return m_inchTwinUpdating; }

    // Prints the test rectangle on the current printer.
    void BitBtn1Click();

    // Names the printer whose calibration is edited in the title; none for the common one.
    void showPrinter(const QString& printer);

    // Closing by OK, the close box or Escape keeps every value; values left outside their
    // range by a field that still has the focus are brought into it first, and an inch field
    // still being typed in shows its millimetres again.
    void done(int result) override;

  protected:
    // The dialog opens in the middle of the screen, not over the window that opened it.
    void showEvent(QShowEvent* event) override;

  private:
    struct Twins {
        RealField* millimetres;
        RealField* inches;
    };
    void millimetresChanged(const Twins& twins);
    void inchesChanged(const Twins& twins);
    void buildLayout();

    CalibrationSettings& m_calibration;
    std::function<void()> m_printTestRectangle;
    std::vector<Twins> m_twins;
    bool m_inchTwinUpdating = false;
    // The inch field whose typing is setting its millimetre field right now.
    const RealField* m_inchesBeingTyped = nullptr;
};
