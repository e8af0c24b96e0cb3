// The toolkit's standard options, given to the real program as a desktop or a user gives them.
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The exit code of a row whose window opens: the program is still running, waiting for its
// user, when it is ended.
constexpr int kWindowOpen = -1;

TEST(ToolkitOptions, AreTakenBeforeTheVerbOrTheDesignAndLeaveTheRestAsItWas) {
    const QString design = QStringLiteral(LINEAVO_TEST_DATA_DIR "/checkered-logo.lvo");
    struct Row {
        const char* name;
        QStringList arguments;
        int exitCode;
        const char* says; // on standard error; empty for a verb that succeeds
    };
    const Row rows[] = {
        {"a style joined to its name before a verb", {"-style=fusion", "show", design}, 0, ""},
        {"options of the widgets before a verb",
         {"-stylesheet", "none.qss", "-widgetcount", "--reverse", "show", design},
         0,
         ""},
        {"the window's options around a design, without a display",
         {"-style", "fusion", design, "-qwindowgeometry", "640x480+0+0", "-session=1"},
         1,
         "needs a display"},
        {"a platform that needs no display opens the window",
         {"-platform", "offscreen", "-title", "Notes", design},
         kWindowOpen,
         ""},
        {"an option without its value", {"-style"}, 2, "Unknown command \"-style\""},
        {"an option the toolkit does not know",
         {"-graphicssystem", "raster"},
         2,
         "Unknown command"},
    };
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        noDisplay.remove(name);
    QTemporaryDir folder;
    for (const auto& [name, arguments, exitCode, says] : rows) {
        SCOPED_TRACE(name);
        QProcess process;
        process.setWorkingDirectory(folder.path());
        process.setProcessEnvironment(noDisplay);
        process.start(LINEAVO_EXECUTABLE, arguments);
        // A window that is still there after this long has opened; every refusal comes at once.
        const bool ended = process.waitForFinished(exitCode == kWindowOpen ? 3000 : 60000);
        if (!ended) {
            process.kill();
            process.waitForFinished();
        }
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_EQ(ended ? process.exitCode() : kWindowOpen, exitCode) << err.toStdString();
        EXPECT_TRUE(err.contains(QLatin1String(says))) << err.toStdString();
        if (exitCode == 0) {
            EXPECT_TRUE(QJsonDocument::fromJson(process.readAllStandardOutput()).isObject());
        }
    }
}

} // namespace
