#pragma once

#include "app/ui/page_context.h"
#include "settings/paper_settings.h"

#include <QString>

#include <functional>
#include <initializer_list>

class ColorPicker;
class FileNameEdit;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class RealSpinEdit;

// Controls bound both ways to the settings: the user's edits go into the model, and every
// change of the model (New, Open) shows in the control.

QCheckBox* flagCheckBox(PageContext& context, Flag flag, const QString& objectName,
                        const QString& caption);

// A radio group whose buttons, in order, stand for the values 0, 1, 2... of a setting.
struct RadioBinding {
    std::function<int()> current;
    std::function<void(int)> choose;
    void (PaperSettings::*changed)();
};
void bindRadioGroup(PageContext& context, std::initializer_list<QRadioButton*> buttons,
                    const RadioBinding& binding);
QRadioButton* radioButton(const QString& objectName, const QString& caption);

// "caption [length] mm = [inches] inches" in one row of `grid`. Leaving the inch field
// converts it back into the length field.
RealSpinEdit* addLengthRow(PageContext& context, QGridLayout* grid, const QString& caption,
                           RealField& length, RealField& inches, const QString& unit);
// "Line color: [picker]  Line width: [width] Points" in one row.
void addLinePropertiesRow(PageContext& context, QGridLayout* grid, Colour colour,
                          const QString& pickerName, RealField& width);

QLineEdit* textEdit(PageContext& context, Text text, const QString& objectName);
// A picture file name with its browse button and the picture filter.
FileNameEdit* pictureFileNameEdit(PageContext& context, Text text, const QString& objectName);

// The filter of the picture file dialogs, in the file dialog's notation.
QString pictureFileFilter();

// Gives the first column of the groups' grids the width of the widest caption among them, so
// that the fields, "cm =" and "inches" of rows in different groups stand in one column each.
void alignCaptionColumns(std::initializer_list<QGroupBox*> groups);

// A group box with a grid inside, spaced tightly.
QGroupBox* groupWithGrid(const QString& title, QGridLayout*& grid);

// "Open picture": the file name of a picture with its browse button.
QGroupBox* openPictureGroup(PageContext& context, Text text, const QString& objectName);

// "Size of picture": width and height with their inch twins, and the aspect-ratio box.
struct PictureSizeFields {
    RealField& width;
    RealField& widthInches;
    RealField& height;
    RealField& heightInches;
    Flag keepAspect;
    QString keepAspectName;
};
QGroupBox* pictureSizeGroup(PageContext& context, const PictureSizeFields& fields);
