#pragma once

#include "picture/picture_record.h"
#include "settings/real_field.h"

#include <QDialog>
#include <QString>

class CurrentPrinter;
class PictureScrollBox;
class UserDialogs;

// The picture viewer: the placed picture or the filtered texture at any zoom, dragged with the
// mouse, opened in the desktop's own program for it, or printed alone on a page. Made once at
// start and shown modally; the zoom stays from one showing to the next.
class TViewPicForm : public QDialog {
    Q_OBJECT
  public:
    TViewPicForm(CurrentPrinter& printer, UserDialogs& dialogs, QWidget* parent = nullptr);

    // Shows a copy of `dib`, which shares its pixels, read from `fileName`, from now on.
    void showPicture(const PictureRecord& dib, const QString& fileName);

    RealField ZoomEd;
    PictureScrollBox* scrollBox() const { return m_scrollBox; }

    // Opens the picture file in the program the desktop has for it, or says that there is none.
    void OpenBtnClick();
    // Asks how large to print the picture, then prints it.
    void PrintBrnClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* buildToolStrip();
    void ZoomEdChange();

    CurrentPrinter& m_printer;
    UserDialogs& m_dialogs;
    PictureScrollBox* m_scrollBox = nullptr;
    PictureRecord ViewDib;
    QString ViewFileName;
};
