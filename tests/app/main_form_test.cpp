// The frame of the main window: its pages, strips, captions and the about box.
#include "app/ui/about_box.h"
#include "app/ui/page_frame.h"
#include "app/ui/print_commands.h"
#include "page/ui/preview_pane.h"
#include "widgets/color_picker.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include <QLayout>
#include <map>
#include <set>

namespace {

using MainFormTest = WindowTest;

TEST_F(MainFormTest, PagesComeInTheirOrderWithTheirCaptions) {
    struct Page {
        const char* tab;
        const char* header;
        const char* title;
    };
    const Page pages[] = {
        {"Basic settings", "Basic properties - choose the paper kind", "Program options..."},
        {"Edges", "Edges - choose the settings for the edge lines", "Edge properties"},
        {"Insert picture", "Insert picture - put a little logo or something like this on the paper",
         "Insert picture..."},
        {"Background texture", "Background texture - choose a background for your writing paper",
         "Background texture..."},
        {"Free text", "Free text - insert a free text on the bottom of the page",
         "Insert a free text..."},
        {"Print", "Print - you can print out your personal Lineavo now!", "Print result"},
    };
    QTabWidget* tabs = window->pages();
    ASSERT_EQ(tabs->count(), 6);
    EXPECT_EQ(tabs->currentIndex(), 0);
    for (int index = 0; index < 6; ++index) {
        EXPECT_EQ(tabs->tabText(index), pages[index].tab);
        EXPECT_FALSE(tabs->tabIcon(index).isNull());
        auto* frame = qobject_cast<PageFrame*>(tabs->widget(index));
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->headerCaption(), pages[index].header);
        EXPECT_EQ(frame->title(), pages[index].title);
    }
}

TEST_F(MainFormTest, EveryControlOfTheDesignIsThereAndShowsItsDefault) {
    const std::pair<const char*, const char*> fields[] = {
        {"LineSpaceEd", "9.00"},  {"CaretSpaceED", "5.00"},   {"LineWidthEd", "0.75"},
        {"LeftBorderEd", "2.50"}, {"RightBorderEd", "2.50"},  {"RRLineWidthED", "1.50"},
        {"BorderTopEd", "0.50"},  {"BorderBottomEd", "0.50"}, {"PosXEd", "0.50"},
        {"PosYEd", "0.50"},       {"BreitEd", "1.50"},        {"HochEd", "1.50"},
        {"BreitEd2", "5.00"},     {"HochEd2", "5.00"},        {"ZoomEd", "100"},
    };
    for (const auto& [name, text] : fields)
        EXPECT_EQ(shown(name), text) << name;
    EXPECT_EQ(control<ColorPicker>("ColvarColorComboBox1")->currentText(), "Silver");
    EXPECT_EQ(control<ColorPicker>("ColvarColorComboBox3")->currentText(), "Gray");
    for (const char* on : {"LiniertCheck", "WithoutFirstLineCheck", "WithoutLastLineCheck",
                           "LeftBorderLineCheck", "RightBorderLineCheck", "obenlinks", "SVerhCheck",
                           "SVerh2Check", "GrayScaleCheck", "LightenCheck", "NOMergeCheck"})
        EXPECT_TRUE(control<QAbstractButton>(on)->isChecked()) << on;
    for (const char* off :
         {"KariertCheck", "NoLeftBorderFillCheck", "NoRightBorderFillCheck", "obenrechts",
          "untenlinks", "untenrechts", "StrongLightCheck", "Merge1Check", "Merge2Check"})
        EXPECT_FALSE(control<QAbstractButton>(off)->isChecked()) << off;
}

TEST_F(MainFormTest, TheWindowHasItsCaptionStripsAndHints) {
    EXPECT_EQ(window->windowTitle(), "Tolvane Lineavo-Pressolo 1.0");
    EXPECT_EQ(control<QAbstractButton>("NewBtn")->text(), "&New");
    EXPECT_EQ(control<QAbstractButton>("NewBtn")->toolTip(), "Create new file");
    EXPECT_EQ(control<QAbstractButton>("OpenBtn")->toolTip(), "Open file...");
    EXPECT_EQ(control<QAbstractButton>("SaveAsBtn")->toolTip(), "Save file as...");
    EXPECT_EQ(control<QWidget>("ToolStrip")->height(), 27);
    EXPECT_EQ(control<QWidget>("BottomStrip")->height(), 41);
    EXPECT_EQ(control<QAbstractButton>("ueberbtn")->toolTip(), "Information about the program");
    EXPECT_EQ(control<QAbstractButton>("endebtn")->toolTip(), "Hereby you leave the program");
    EXPECT_EQ(control<QAbstractButton>("ueberbtn")->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(MainFormTest, ThePrintPageShowsThePreviewUnderItsButtons) {
    EXPECT_EQ(window->printButton()->objectName(), "PrintBtn");
    EXPECT_EQ(window->printButton()->toolTip(), "Starting the print process...");
    EXPECT_EQ(window->setupButton()->objectName(), "SetupBtn");
    EXPECT_EQ(window->calibrateButton()->text(), "&Calibrate printer");
    EXPECT_EQ(control<QWidget>("PrintStrip")->height(), 73);
    ASSERT_NE(window->previewArea(), nullptr);
    EXPECT_NE(window->previewArea()->layout(), nullptr);
    const auto panes = window->previewArea()->findChildren<PreviewPane*>();
    ASSERT_EQ(panes.size(), 1);
    EXPECT_EQ(panes.first(), &window->preview());
}

TEST_F(MainFormTest, TheWindowStartsAtItsSizeAndTheCalibrationWithItsValues) {
    // Also once its layouts have been worked out: no page may want a wider window.
    QCoreApplication::processEvents();
    EXPECT_EQ(window->size(), QSize(638, 512));
    EXPECT_GE(app.settings.ZoomEd.value(), 10);
    EXPECT_GE(app.calibration.BreitEd.value(), 70);
    EXPECT_LE(app.calibration.BreitEd.value(), 130);
}

// The controls a user reads or operates, without the parts that make up a spin edit or a
// combo box.
QList<QWidget*> visibleControls(QWidget* root) {
    QList<QWidget*> controls;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(widget) ||
                             qobject_cast<QAbstractSpinBox*>(widget) ||
                             qobject_cast<QComboBox*>(widget) || qobject_cast<QLabel*>(widget) ||
                             (qobject_cast<QLineEdit*>(widget) &&
                              !qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) &&
                              !qobject_cast<QComboBox*>(widget->parentWidget()));
        if (control && widget->isVisible() && !widget->objectName().startsWith("qt_"))
            controls << widget;
    }
    return controls;
}

QRect globalRect(const QWidget* widget) {
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

TEST_F(MainFormTest, AtItsMinimumSizeNoControlOverlapsAnotherOrIsCut) {
    window->resize(1, 1);
    EXPECT_EQ(window->size(), window->minimumSize());
    const QRect inside = globalRect(window->centralWidget());
    for (int index = 0; index < window->pages()->count(); ++index) {
        window->pages()->setCurrentIndex(index);
        QApplication::processEvents();
        const QString page = window->pages()->tabText(index);
        const QList<QWidget*> controls = visibleControls(window->centralWidget());
        for (QWidget* control : controls) {
            const QRect rect = globalRect(control);
            EXPECT_TRUE(inside.contains(rect))
                << page.toStdString() << ": " << control->objectName().toStdString();
            auto* label = qobject_cast<QLabel*>(control);
            if (!label || !label->wordWrap()) {
                EXPECT_GE(control->width(), control->minimumSizeHint().width())
                    << page.toStdString() << ": " << control->objectName().toStdString();
            }
            for (QWidget* other : controls) {
                if (other != control && !control->isAncestorOf(other) &&
                    !other->isAncestorOf(control)) {
                    EXPECT_FALSE(rect.intersects(globalRect(other)))
                        << page.toStdString() << ": " << control->objectName().toStdString()
                        << " and " << other->objectName().toStdString();
                }
            }
        }
    }
}

TEST_F(MainFormTest, LengthFieldsAndTheirTwinsStandInOneColumnPerPage) {
    // For each page, the left edges of its length fields and of its inch twins.
    std::map<QWidget*, std::set<int>> lengthColumns, twinColumns;
    for (const SettingDescription& d : settingTable()) {
        if (!d.inchTwin)
            continue;
        RealSpinEdit* length = spin(d.name);
        RealSpinEdit* twin = spin(d.inchTwin);
        focus(length); // shows its page, so that the page is laid out
        QWidget* page = length;
        while (!qobject_cast<PageFrame*>(page))
            page = page->parentWidget();
        lengthColumns[page].insert(length->mapTo(page, QPoint(0, 0)).x());
        twinColumns[page].insert(twin->mapTo(page, QPoint(0, 0)).x());
    }
    for (const auto& [page, columns] : lengthColumns)
        EXPECT_EQ(columns.size(), 1u) << qobject_cast<PageFrame*>(page)->title().toStdString();
    for (const auto& [page, columns] : twinColumns)
        EXPECT_EQ(columns.size(), 1u) << qobject_cast<PageFrame*>(page)->title().toStdString();
}

TEST(AboutBoxTest, TheNoticeCarriesTheYearOfTheClock) {
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), "Info");
    EXPECT_FALSE(box.noticeText().contains("XXXX"));
    EXPECT_TRUE(box.noticeText().contains(QString::number(QDate::currentDate().year())));
}

} // namespace
