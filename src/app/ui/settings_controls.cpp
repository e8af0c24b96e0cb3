#include "app/ui/settings_controls.h"

#include "app/ui/picture_loader.h"
#include "picture/picture_formats.h"
#include "picture/picture_record.h"
#include "widgets/color_picker.h"
#include "widgets/file_name_edit.h"
#include "widgets/real_spin_edit.h"
#include "widgets/user_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

QLabel* unitLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return label;
}

} // namespace

QCheckBox* flagCheckBox(PageContext& context, Setting flag, const QString& caption) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(QLatin1String(describe(flag).name));
    PaperSettings& settings = context.settings;
    box->setChecked(settings.flag(flag));
    QObject::connect(box, &QCheckBox::toggled, &settings,
                     [&settings, flag](bool on) { settings.setFlag(flag, on); });
    QObject::connect(&settings, &PaperSettings::changed, box, [&settings, flag, box](Setting s) {
        if (s == flag)
            box->setChecked(settings.flag(flag));
    });
    return box;
}

std::vector<QRadioButton*> radioGroup(PageContext& context, Setting choice,
                                      const QStringList& captions) {
    const SettingDescription& d = describe(choice);
    Q_ASSERT(int(captions.size()) == buttonCount(d));
    auto* group = new QButtonGroup(context.window);
    std::vector<QRadioButton*> buttons;
    for (const QString& caption : captions) {
        auto* button = new QRadioButton(caption);
        button->setObjectName(QLatin1String(d.buttons[buttons.size()]));
        group->addButton(button, int(buttons.size()));
        buttons.push_back(button);
    }
    PaperSettings& settings = context.settings;
    group->button(int(settings.number(choice)))->setChecked(true);
    QObject::connect(group, &QButtonGroup::idToggled, &settings,
                     [&settings, choice](int id, bool on) {
                         if (on)
                             settings.setNumber(choice, id);
                     });
    QObject::connect(&settings, &PaperSettings::changed, group,
                     [&settings, choice, group](Setting s) {
                         if (s == choice)
                             group->button(int(settings.number(choice)))->setChecked(true);
                     });
    return buttons;
}

RealSpinEdit* addLengthRow(PageContext& context, QGridLayout* grid, const QString& caption,
                           Setting length) {
    const int row = grid->rowCount();
    PaperSettings& settings = context.settings;
    auto* lengthEdit = new RealSpinEdit(settings.field(length));
    auto* inchEdit = new RealSpinEdit(settings.inchTwin(length));
    inchEdit->setLeaveAction([&settings, length] { settings.leaveInchTwin(length); });
    const QString unit =
        describe(length).unit == Unit::Centimetres ? QStringLiteral("cm") : QStringLiteral("mm");
    grid->addWidget(new QLabel(caption), row, 0);
    grid->addWidget(lengthEdit, row, 1, Qt::AlignLeft);
    grid->addWidget(unitLabel(unit + QStringLiteral(" =")), row, 2);
    grid->addWidget(inchEdit, row, 3);
    grid->addWidget(unitLabel(QStringLiteral("inches")), row, 4);
    return lengthEdit;
}

ColorPicker* colourPicker(PageContext& context, Setting colour) {
    auto* picker = new ColorPicker;
    picker->setObjectName(QLatin1String(describe(colour).name));
    UserDialogs& dialogs = context.dialogs;
    picker->setColorChooser([&dialogs](QWidget* parent, ColorValue current) {
        return dialogs.chooseColor(parent, current);
    });
    PaperSettings& settings = context.settings;
    picker->setColorValue(settings.colour(colour));
    QObject::connect(picker, &ColorPicker::Change, &settings, [&settings, colour, picker] {
        settings.setColour(colour, picker->colorValue());
    });
    QObject::connect(&settings, &PaperSettings::changed, picker,
                     [&settings, colour, picker](Setting s) {
                         if (s == colour)
                             picker->setColorValue(settings.colour(colour));
                     });
    return picker;
}

RealSpinEdit* realEdit(PageContext& context, Setting real) {
    return new RealSpinEdit(context.settings.field(real));
}

void addPairRow(QGridLayout* grid, const QString& caption, QWidget* first, const QString& between,
                QWidget* second, const QString& unit) {
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(caption), row, 0);
    grid->addWidget(first, row, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(between), row, 2);
    grid->addWidget(second, row, 3, Qt::AlignLeft);
    grid->addWidget(unitLabel(unit), row, 4);
}

void addLinePropertiesRow(PageContext& context, QGridLayout* grid, Setting colour, Setting width) {
    addPairRow(grid, QStringLiteral("Line color:"), colourPicker(context, colour),
               QStringLiteral("Line width:"), realEdit(context, width), QStringLiteral("Points"));
}

QLineEdit* textEdit(PageContext& context, Setting text) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(describe(text).name));
    PaperSettings& settings = context.settings;
    edit->setText(settings.text(text));
    QObject::connect(edit, &QLineEdit::textEdited, &settings,
                     [&settings, text](const QString& value) { settings.setText(text, value); });
    QObject::connect(&settings, &PaperSettings::changed, edit, [&settings, text, edit](Setting s) {
        if (s == text && edit->text() != settings.text(text))
            edit->setText(settings.text(text));
    });
    return edit;
}

FileNameEdit* pictureFileNameEdit(PageContext& context, Setting text) {
    auto* edit = new FileNameEdit;
    edit->setObjectName(QLatin1String(describe(text).name));
    edit->setFilter(pictureFileFilter());
    UserDialogs& dialogs = context.dialogs;
    edit->setFileChooser(
        [&dialogs](QWidget* parent, const QString& filter, const QString& current) {
            return dialogs.openFileName(parent, {filter, QString(), current});
        });
    PaperSettings& settings = context.settings;
    edit->setText(settings.text(text));
    QObject::connect(edit, &FileNameEdit::textEdited, &settings,
                     [&settings, text](const QString& value) { settings.setText(text, value); });
    QObject::connect(&settings, &PaperSettings::changed, edit, [&settings, text, edit](Setting s) {
        if (s == text)
            edit->setText(settings.text(text));
    });
    QObject::connect(&context.pictures, &PictureLoader::loaded, edit,
                     [text, edit](Setting loaded, const QString& failure) {
                         if (loaded == text)
                             edit->showFailure(failure);
                     });
    return edit;
}

QGroupBox* groupWithGrid(const QString& title, QGridLayout*& grid) {
    auto* group = new QGroupBox(title);
    grid = new QGridLayout(group);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(5, 1);
    return group;
}

void alignCaptionColumns(std::initializer_list<QGroupBox*> groups,
                         std::initializer_list<int> columns) {
    std::vector<QGridLayout*> grids;
    for (QGroupBox* group : groups)
        grids.push_back(qobject_cast<QGridLayout*>(group->layout()));
    for (const int aligned : columns) {
        int width = 0;
        for (QGridLayout* grid : grids) {
            for (int index = 0; index < grid->count(); ++index) {
                int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
                grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
                if (column == aligned && columnSpan == 1)
                    width = std::max(width, grid->itemAt(index)->sizeHint().width());
            }
        }
        for (QGridLayout* grid : grids)
            grid->setColumnMinimumWidth(aligned, width);
    }
}

QGroupBox* openPictureGroup(PageContext& context, Setting fileName, const char* previewName,
                            QAbstractButton*& preview) {
    QGridLayout* grid = nullptr;
    QGroupBox* group = groupWithGrid(QStringLiteral("Open picture"), grid);
    grid->addWidget(new QLabel(QStringLiteral("File name:")), 0, 0);
    grid->addWidget(pictureFileNameEdit(context, fileName), 0, 1, 1, 5);

    auto* button = new QPushButton(QStringLiteral("Open picture preview..."));
    button->setObjectName(QLatin1String(previewName));
    PictureLoader& pictures = context.pictures;
    button->setEnabled(!pictures.record(fileName).isEmpty());
    QObject::connect(&pictures, &PictureLoader::loaded, button,
                     [&pictures, fileName, button](Setting loaded) {
                         if (loaded == fileName)
                             button->setEnabled(!pictures.record(fileName).isEmpty());
                     });
    grid->addWidget(button, 1, 1, 1, 5, Qt::AlignLeft);
    preview = button;
    return group;
}

QGroupBox* pictureSizeGroup(PageContext& context, Setting width, Setting height,
                            Setting keepAspect) {
    QGridLayout* grid = nullptr;
    QGroupBox* group = groupWithGrid(QStringLiteral("Size of picture"), grid);
    addLengthRow(context, grid, QStringLiteral("Width:"), width);
    addLengthRow(context, grid, QStringLiteral("Height:"), height);
    grid->addWidget(flagCheckBox(context, keepAspect, QStringLiteral("Maintain aspect ratio")),
                    grid->rowCount(), 0, 1, 5);
    return group;
}
