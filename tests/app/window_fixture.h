#pragma once

#include "app/ui/main_form.h"
#include "printing/application.h"
#include "scripted_dialogs.h"
#include "widgets/real_spin_edit.h"

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

// A shown, active main window whose dialogs the test answers.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<TMainForm>(app, dialogs);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void TearDown() override {
        // Let the window go without its quit question.
        dialogs.quitAnswer = true;
        window.reset();
    }

    // A control of the window itself; the calibration dialog, a child of the window, has
    // fields of the same names.
    template <class Widget = QWidget> Widget* control(const char* name) const {
        auto* widget = window->centralWidget()->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    RealSpinEdit* spin(const char* name) const { return control<RealSpinEdit>(name); }
    QString shown(const char* name) const { return spin(name)->text(); }

    // Shows the page that holds `widget` and gives it the keyboard, as a click would.
    void focus(QWidget* widget) {
        for (QWidget* w = widget; w; w = w->parentWidget()) {
            if (auto* pages = qobject_cast<QStackedWidget*>(w->parentWidget()))
                pages->setCurrentWidget(w);
        }
        widget->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(widget->hasFocus());
    }

    // Replaces the whole text of a spin edit by typing.
    void typeInto(RealSpinEdit* edit, const QString& text) {
        focus(edit);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    // Leaves the field with the tab key, as the user does.
    void leave(QWidget* widget) {
        ASSERT_TRUE(widget->hasFocus());
        QTest::keyClick(widget, Qt::Key_Tab);
        ASSERT_FALSE(widget->hasFocus());
    }

    // Drags `file` over the window to the middle of `target` and drops it there, as the desktop
    // delivers it: to the window, which finds the widget under the drop. True when the window
    // took it.
    bool dropOn(QWidget* target, const QString& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        data.setText(QUrl::fromLocalFile(file).toString()); // as file managers add
        const QPoint at = target->mapTo(window.get(), target->rect().center());
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window->windowHandle(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window->windowHandle(), &drop);
        QCoreApplication::processEvents();
        return enter.isAccepted() && drop.isAccepted();
    }

    // The models outlive the window; the calibration is kept in a folder of the test's own.
    QTemporaryDir folder;
    Application app{folder.filePath(QStringLiteral("options.dat"))};
    ScriptedDialogs dialogs;
    std::unique_ptr<TMainForm> window;
};
