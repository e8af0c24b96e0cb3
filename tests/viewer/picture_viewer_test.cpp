// The picture viewer and the picture print dialog, driven as a person would.
#include "app/window_fixture.h"
#include "viewer/ui/desktop_program.h"
#include "viewer/ui/picture_scroll_box.h"
#include "viewer/ui/print_form.h"
#include "viewer/ui/view_pic_form.h"

#include <QCheckBox>
#include <QFile>
#include <QPageSize>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>

namespace {

// A picture of one colour, `size` pixels.
PictureRecord plainPicture(QSize size, QRgb color = qRgb(200, 0, 0)) {
    QImage pixels(size, QImage::Format_RGB32);
    pixels.fill(color);
    return PictureRecord::fromTrueColor(pixels);
}

// The user's settings in a folder of the test's own; a printer whose printable area is
// 4800 x 6600 pixels (8 x 11 inches at 600 dpi, no margins), writing a PDF.
class PictureWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
        QPrinter& printer = current.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath("picture.pdf"));
        printer.setResolution(600);
        printer.setPageSize(QPageSize(QSizeF(8, 11), QPageSize::Inch));
        current.followPrinter();
        ASSERT_EQ(current.page().printableArea, QSize(4800, 6600));
    }

    QTemporaryDir folder;
    CurrentPrinter current;
    ScriptedDialogs dialogs;
};

// The desktop's opener replaced, for as long as it lives, by a script on a PATH of its own
// that notes the file it is given and ends with `exitStatus`; with no status, there is none.
class StandInOpener {
  public:
    StandInOpener(const QTemporaryDir& folder, std::optional<int> exitStatus)
        : m_savedPath(qgetenv("PATH")), m_noted(folder.filePath("opened.txt")) {
        const QString script = folder.filePath("xdg-open");
        QFile::remove(script);
        if (exitStatus) {
            QFile file(script);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QString("#!/bin/sh\nprintf %s \"$1\" > '%1'\nexit %2\n")
                           .arg(m_noted)
                           .arg(*exitStatus)
                           .toUtf8());
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", folder.path().toUtf8());
    }
    ~StandInOpener() { qputenv("PATH", m_savedPath); }

    QString openedFile() const {
        QFile file(m_noted);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

  private:
    QByteArray m_savedPath;
    QString m_noted;
};

using PictureViewer = PictureWindows;
using PicturePrintDialog = PictureWindows;

TEST_F(PictureViewer, PaintBoxIsThePictureTimesTheZoomAndDrawsOnlyWhatItCovers) {
    struct Row {
        const char* name;
        QSize picture;
        int zoom;
        ZoomedSize box;
    };
    const Row rows[] = {
        {"smallest zoom", QSize(100, 60), 5, {5, 3}},
        {"largest zoom", QSize(100, 60), 9000, {9000, 5400}},
        {"a side truncated to nothing", QSize(19, 60), 5, {0, 3}},
    };
    TViewPicForm viewer(current, dialogs);
    viewer.show();
    QWidget* view = viewer.scrollBox()->viewport();
    const QRgb workspace = view->palette().color(QPalette::Dark).rgb();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        viewer.showPicture(plainPicture(row.picture), "picture.png");
        viewer.ZoomEd.setValue(row.zoom);
        EXPECT_EQ(viewer.scrollBox()->paintBoxSize(), row.box);
        const QImage shown = view->grab().toImage();
        const bool drawn = row.box.width > 0 && row.box.height > 0;
        EXPECT_EQ(shown.pixel(0, 0), drawn ? qRgb(200, 0, 0) : workspace);
        const bool reachesTheRight = drawn && row.box.width >= view->width();
        EXPECT_EQ(shown.pixel(view->width() - 1, 0), reachesTheRight ? qRgb(200, 0, 0) : workspace);
    }
}

TEST_F(PictureViewer, DraggingMovesThePictureWithThePointerWithinTheScrollLimits) {
    TViewPicForm viewer(current, dialogs);
    viewer.showPicture(plainPicture(QSize(100, 60)), "picture.png");
    viewer.ZoomEd.setValue(1000);
    viewer.show();
    QWidget* view = viewer.scrollBox()->viewport();
    QScrollBar* horizontal = viewer.scrollBox()->horizontalScrollBar();
    QScrollBar* vertical = viewer.scrollBox()->verticalScrollBar();
    ASSERT_GT(horizontal->maximum(), 0);
    auto drag = [&](QPoint from, QPoint to, Qt::MouseButton button) {
        QTest::mousePress(view, button, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, button, {});
        QApplication::sendEvent(view, &move);
        QTest::mouseRelease(view, button, {}, to);
    };

    drag(QPoint(200, 200), QPoint(150, 170), Qt::LeftButton);
    EXPECT_EQ(horizontal->value(), 50) << "dragged left, the view moves right";
    EXPECT_EQ(vertical->value(), 30);
    drag(QPoint(200, 200), QPoint(-5000, -5000), Qt::RightButton);
    EXPECT_EQ(horizontal->value(), horizontal->maximum());
    EXPECT_EQ(vertical->value(), vertical->maximum());
    drag(QPoint(10, 10), QPoint(5000, 5000), Qt::MiddleButton);
    EXPECT_EQ(horizontal->value(), 0);
    EXPECT_EQ(vertical->value(), 0);
}

TEST_F(PictureViewer, TheDesktopsOpenerTellsWhetherItOpenedTheFile) {
    struct Row {
        const char* name;
        std::optional<int> exitStatus;
        bool opened;
    };
    const Row rows[] = {
        {"a program opened it", 0, true},
        {"no program for the file's type", 3, false},
        {"no opener at all", std::nullopt, false},
    };
    const QString picture = folder.filePath("a picture.png");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StandInOpener opener(folder, row.exitStatus);
        QObject context;
        std::optional<bool> outcome;
        openInDesktopProgram(&context, picture, [&](bool opened) { outcome = opened; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 10000));
        EXPECT_EQ(*outcome, row.opened);
        if (row.exitStatus) {
            EXPECT_EQ(opener.openedFile(), picture);
        }
        // The finished opener deletes itself.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(PictureViewer, OpenSaysWhichPictureNoProgramOfTheDesktopOpened) {
    const StandInOpener opener(folder, 3);
    TViewPicForm viewer(current, dialogs);
    const QString picture = folder.filePath("logo.png");
    viewer.showPicture(plainPicture(QSize(10, 10)), picture);
    viewer.OpenBtnClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.errorMessages.isEmpty(); }, 10000));
    EXPECT_EQ(dialogs.errorMessages.size(), 1);
    EXPECT_TRUE(dialogs.errorMessages.first().contains(picture))
        << dialogs.errorMessages.first().toStdString();
    EXPECT_EQ(dialogs.errorParents, std::vector<QWidget*>{&viewer});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(PicturePrintDialog, KeepingTheProportionsRewritesTheOtherPercentOnceWithinItsRange) {
    TPrintForm dialog(current, dialogs, plainPicture(QSize(30, 30)));
    dialog.show();
    struct Row {
        const char* name;
        RealField& typedInto;
        QString typed;
        QString width;
        QString height;
    };
    const Row rows[] = {
        // The rewritten height does not rewrite the width back (that would make it 49).
        {"width rewrites the height", dialog.BreitEdit, "50", "50", "36"},
        {"height rewrites the width", dialog.HochEdit, "50", "68", "50"},
        {"a width past 100 counts as 100", dialog.BreitEdit, "150", "150", "72"},
        {"a text that is no number reads as 1", dialog.BreitEdit, "", "", "1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.typedInto.setText(row.typed);
        EXPECT_EQ(dialog.BreitEdit.text(), row.width);
        EXPECT_EQ(dialog.HochEdit.text(), row.height);
    }
    dialog.BreitEdit.setText("150");
    dialog.accept();
    EXPECT_EQ(dialog.BreitEdit.text(), "100") << "closing brings a typed number into range";
    EXPECT_EQ(dialog.choice().widthPercent, 100);
}

TEST_F(PicturePrintDialog, AValueThatWouldPushTheOtherPast100IsLoweredAndStaysSo) {
    struct Row {
        const char* name;
        QSize picture;
        bool typedIntoWidth;
        QString width;
        QString height;
    };
    const Row rows[] = {
        {"wide picture, height 100", QSize(600, 400), false, "99", "48"},
        {"tall picture, width 100", QSize(50, 400), true, "17", "98"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TPrintForm dialog(current, dialogs, plainPicture(row.picture));
        dialog.show();
        dialog.UserdefCheck->click();
        (row.typedIntoWidth ? dialog.BreitEdit : dialog.HochEdit).setText("100");
        EXPECT_EQ(dialog.BreitEdit.text(), row.width);
        EXPECT_EQ(dialog.HochEdit.text(), row.height);
        // Other clicks leave the size as it is.
        for (QAbstractButton* click : {static_cast<QAbstractButton*>(dialog.ZentrCheck),
                                       static_cast<QAbstractButton*>(dialog.UseFullCheck),
                                       static_cast<QAbstractButton*>(dialog.UserdefCheck)})
            click->click();
        EXPECT_EQ(dialog.BreitEdit.text(), row.width);
        EXPECT_EQ(dialog.HochEdit.text(), row.height);
    }
}

TEST_F(PicturePrintDialog, PercentagesAreKeptForTheNextDialog) {
    {
        TPrintForm first(current, dialogs, plainPicture(QSize(30, 30)));
        first.show();
        first.SverhCheck->click();
        first.BreitEdit.setText("30");
        first.HochEdit.setText("70");
        first.reject();
    }
    TPrintForm second(current, dialogs, plainPicture(QSize(30, 30)));
    second.SverhCheck->setChecked(false);
    second.show();
    EXPECT_EQ(second.BreitEdit.text(), "30");
    EXPECT_EQ(second.HochEdit.text(), "70");
    EXPECT_TRUE(second.UseFullCheck->isChecked()) << "the size option starts at its default";
}

TEST_F(PicturePrintDialog, WithoutAPrinterThePreviewIsEmptyAndPrintingSaysSo) {
    // What the toolkit offers when no print server runs.
    current.printer().setOutputFileName(QString());
    current.printer().setOutputFormat(QPrinter::PdfFormat);
    TViewPicForm viewer(current, dialogs);
    viewer.showPicture(plainPicture(QSize(30, 30)), "picture.png");
    dialogs.picturePrintAnswer = [](TPrintForm& dialog) {
        dialog.show();
        dialog.BreitEdit.setText("40");
        EXPECT_EQ(dialog.HochEdit.text(), "50") << "no area to keep proportions on";
        const QImage preview = dialog.PrintPaintBox->grab().toImage();
        const QRgb box = dialog.PrintPaintBox->palette().color(QPalette::Button).rgb();
        for (QPoint at : {QPoint(0, 0), QPoint(95, 95), QPoint(189, 189)})
            EXPECT_EQ(preview.pixel(at), box);
        return true;
    };
    viewer.PrintBrnClick();
    EXPECT_EQ(dialogs.errorMessages,
              QStringList{"There is no printer to print on: the print server is not running "
                          "or offers no printer."});
}

TEST_F(WindowTest, PreviewButtonsShowThePictureInTheViewerOrSayThereIsNone) {
    int shown = 0;
    dialogs.viewerAnswer = [&](TViewPicForm& viewer) {
        ++shown;
        EXPECT_EQ(viewer.scrollBox()->paintBoxSize(), (ZoomedSize{100, 60}));
    };
    emit window->previewRequested(PictureRecord(), "missing.png");
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(dialogs.errorMessages, QStringList{"There is no picture loaded!"});
    emit window->previewRequested(plainPicture(QSize(100, 60)), "logo.png");
    EXPECT_EQ(shown, 1);
}

} // namespace
