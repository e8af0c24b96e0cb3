#pragma once

#include "app/ui/page_context.h"
#include "settings/paper_settings.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <vector>

class ColorPicker;
class QAbstractButton;
class FileNameEdit;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class RealSpinEdit;

// Controls bound both ways to the settings: the user's edits go into the model, and every
// change of the model (New, Open) shows in the control.

// Each control is named after the setting it edits.

QCheckBox* flagCheckBox(PageContext& context, Setting flag, const QString& caption);

// The buttons of a choice, one per caption in the order of their numbers, each named after its
// button in the table of settings.
std::vector<QRadioButton*> radioGroup(PageContext& context, Setting choice,
                                      const QStringList& captions);

// "caption [length] cm = [inches] inches" in one row of `grid`. Leaving the inch field
// converts it back into the length field.
RealSpinEdit* addLengthRow(PageContext& context, QGridLayout* grid, const QString& caption,
                           Setting length);
// "Line color: [picker]  Line width: [width] Points" in one row.
void addLinePropertiesRow(PageContext& context, QGridLayout* grid, Setting colour, Setting width);
// "caption [first]  between [second] unit" in one row of `grid`, in the columns of a length
// row. The fields keep their own width where a wider control shares their column.
void addPairRow(QGridLayout* grid, const QString& caption, QWidget* first, const QString& between,
                QWidget* second, const QString& unit);

ColorPicker* colourPicker(PageContext& context, Setting colour);
RealSpinEdit* realEdit(PageContext& context, Setting real);

QLineEdit* textEdit(PageContext& context, Setting text);
// A picture file name with its browse button and the picture filter.
FileNameEdit* pictureFileNameEdit(PageContext& context, Setting fileName);

// Gives the first column of the groups' grids the width of the widest caption among them, so
// that the fields, "cm =" and "inches" of rows in different groups stand in one column each.
// Groups whose rows differ after the field align the labels between the fields too.
void alignCaptionColumns(std::initializer_list<QGroupBox*> groups,
                         std::initializer_list<int> columns = {0});

// A group box with a grid inside, spaced tightly.
QGroupBox* groupWithGrid(const QString& title, QGridLayout*& grid);

// "Open picture": the file name of a picture with its browse button, which shows why an
// existing file cannot be opened, and the button `previewName` that is enabled exactly when the
// picture is loaded; it is put into `preview` for the window to give it its action.
QGroupBox* openPictureGroup(PageContext& context, Setting fileName, const char* previewName,
                            QAbstractButton*& preview);

// "Size of picture": width and height with their inch twins, and the aspect-ratio box.
QGroupBox* pictureSizeGroup(PageContext& context, Setting width, Setting height,
                            Setting keepAspect);
