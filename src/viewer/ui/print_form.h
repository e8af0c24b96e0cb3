#pragma once

#include "picture/picture_record.h"
#include "settings/real_field.h"
#include "viewer/picture_print_geometry.h"

#include <QDialog>

class CurrentPrinter;
class QCheckBox;
class QRadioButton;
class QWidget;
class UserDialogs;

// The picture print dialog: how large the viewer prints its picture, with a preview of the page
// outline and the picture as they will be printed. Made for one print; the two percentages and
// the window state are kept in the user's settings from one use to the next, across runs too.
//
// With the proportions kept, the two percentages describe a printed area with the picture's
// width-to-height ratio: setting one rewrites the other, guarded so that the rewrite does not
// rewrite the first in turn; a value that would push the other past 100 % is lowered.
class TPrintForm : public QDialog {
    Q_OBJECT
  public:
    TPrintForm(CurrentPrinter& printer, UserDialogs& dialogs, const PictureRecord& dib,
               QWidget* parent = nullptr);

    // The choices as they stand.
    PicturePrintChoice choice() const;

    RealField BreitEdit;
    RealField HochEdit;
    QRadioButton* UseFullCheck = nullptr;
    QRadioButton* UserdefCheck = nullptr;
    QCheckBox* SverhCheck = nullptr;
    QCheckBox* ZentrCheck = nullptr;
    QWidget* PrintPaintBox = nullptr;

    // Shows the printer setup, then the page as the printer now chosen prints it.
    void PrintSetupBtnClick();

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildLayout();
    void placeOptions();
    // The preview's drawing of the page outline and the picture; a repaint brings a height
    // percentage out of proportion in line with the width percentage.
    void PrintPaintBoxPaint();
    void drawPreview(QWidget& box);
    void BreitEditChange();
    void HochEditChange();
    // With the proportions kept, the other percentage follows the one on side `set`.
    void followPercent(PercentSide set);
    // The printable area in device pixels; empty with no printer to print on.
    QSize printableArea() const;
    QSize pictureSize() const;

    CurrentPrinter& m_printer;
    UserDialogs& m_dialogs;
    PictureRecord PrintDib;
    bool Changing = false;
};
