// The frames of the dialogs: which can be resized, minimised or maximised, and whether the file
// dialogs show their columns whole.
#include "app/ui/about_box.h"
#include "app/ui/file_dialog.h"
#include "app/ui/qt_user_dialogs.h"
#include "calibration/calibration.h"
#include "printing/ui/calibration_dialog.h"
#include "printing/ui/print_dialog.h"
#include "printing/ui/printer_setup_dialog.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Frame {
    bool opened = false;
    bool fixedSize = false;
    Qt::WindowFlags flags;
};

// Runs `open`, which shows a modal dialog, and looks at that dialog before closing it.
Frame frameOfModal(const std::function<void()>& open) {
    Frame frame;
    QTimer::singleShot(0, [&frame] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        frame = {true, dialog->minimumSize() == dialog->maximumSize(), dialog->windowFlags()};
        dialog->close();
    });
    open();
    return frame;
}

TEST(DialogFrames, FixedSizeDialogsOfferNeitherToMinimiseNorToMaximise) {
    QtUserDialogs dialogs;
    CalibrationSettings calibration;
    QPrinter printer;
    const std::pair<const char*, std::function<void()>> rows[] = {
        {"quit question", [&] { dialogs.confirmQuit(nullptr); }},
        {"save changes question", [&] { dialogs.askToSaveChanges(nullptr, "paper.lvo"); }},
        {"replace question", [&] { dialogs.confirmReplace(nullptr, "/tmp/paper.lvo"); }},
        {"notice", [&] { dialogs.showInfoMessage(nullptr, "Could not open file!"); }},
        {"error", [&] { dialogs.showErrorMessage(nullptr, "The disk is full."); }},
        {"calibration",
         [&] {
             TKalForm dialog(calibration, [] {});
             dialog.exec();
         }},
        {"about box",
         [] {
             TAboutBox box;
             box.exec();
         }},
        {"print", [&] { runPrintDialog(printer, nullptr); }},
        {"printer setup", [&] { runPrinterSetupDialog(printer, nullptr); }},
    };
    for (const auto& [name, open] : rows) {
        const Frame frame = frameOfModal(open);
        ASSERT_TRUE(frame.opened) << name;
        EXPECT_TRUE(frame.fixedSize) << name;
        EXPECT_FALSE(frame.flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))
            << name;
    }
}

TEST(DialogFrames, FileDialogsShowSizeTypeAndDateWhole) {
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("letters"));
    for (const QFileDialog::AcceptMode mode : {QFileDialog::AcceptOpen, QFileDialog::AcceptSave}) {
        const auto dialog =
            makeFileDialog(nullptr, {"Lineavo designs (*.lvo)", "lvo", folder.path()}, mode);
        dialog->show();
        auto* details = dialog->findChild<QTreeView*>();
        ASSERT_NE(details, nullptr);
        ASSERT_TRUE(QTest::qWaitFor(
            [details] { return details->model()->rowCount(details->rootIndex()) == 1; }));
        QApplication::processEvents();
        const QModelIndex row = details->model()->index(0, 0, details->rootIndex());
        for (int column = 1; column < 4; ++column) {
            const int width = details->header()->sectionSize(column);
            EXPECT_GE(width, details->header()->sectionSizeHint(column)) << column;
            EXPECT_GE(width, details->sizeHintForIndex(row.siblingAtColumn(column)).width())
                << column;
        }
    }
}

} // namespace
