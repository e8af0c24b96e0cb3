// A stopped printer takes jobs and holds them: every way of printing says so, and the print
// counts as done.
#include "print_queue.h"

#include "app/scripted_dialogs.h"
#include "app/ui/print_commands.h"
#include "page/ui/preview_pane.h"
#include "printing/application.h"
#include "printing/ui/calibration_dialog.h"
#include "support/test_time.h"

#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include <cups/cups.h>

#include <unistd.h>

namespace {

constexpr const char* kStopped = "LineavoStopped";

// Runs an administration command of the print server; false with a test failure if it fails.
bool administer(const QStringList& command) {
    QStringList words = command;
    if (getuid() != 0)
        words.prepend(QStringLiteral("sudo"));
    QProcess process;
    process.start(words.takeFirst(), words);
    const bool done = process.waitForFinished(waitMilliseconds(60000)) &&
                      process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    EXPECT_TRUE(done) << command.join(u' ').toStdString() << ": "
                      << process.readAllStandardError().toStdString();
    return done;
}

// A queue of its own, stopped, so that the queue the other print tests share never is. It goes
// again, with the jobs it holds, whatever the test's outcome.
class StoppedQueueTest : public PrintQueueTest {
  protected:
    void SetUp() override {
        PrintQueueTest::SetUp();
        ASSERT_TRUE(administer({"lpadmin", "-p", kStopped, "-v", "cups-pdf:/", "-E", "-m",
                                "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"}));
        ASSERT_TRUE(administer({"cupsdisable", kStopped}));
    }
    void TearDown() override {
        administer({"lpadmin", "-x", kStopped});
        PrintQueueTest::TearDown();
    }

    static int heldJobs() {
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs(&jobs, kStopped, 0, CUPS_WHICHJOBS_ACTIVE);
        cupsFreeJobs(count, jobs);
        return count;
    }
};

const QString kNotice =
    QStringLiteral("The printer \"LineavoStopped\" is stopped; the job waits until it is started "
                   "again.");

TEST_F(StoppedQueueTest, EveryPrintSaysThatTheJobWaits) {
    QTemporaryDir dir;
    const QString picture = dir.filePath("red.png");
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(picture));

    const QStringList commands[] = {{"print", "--printer", kStopped},
                                    {"print-test", "--printer", kStopped},
                                    {"print-picture", picture, "--printer", kStopped}};
    int held = 0;
    for (const QStringList& arguments : commands) {
        SCOPED_TRACE(arguments.first().toStdString());
        QString err;
        EXPECT_EQ(runProgram(arguments, err), 0);
        EXPECT_EQ(err, "Warning: " + kNotice + "\n");
        EXPECT_EQ(heldJobs(), ++held);
    }

    Application app{dir.filePath("options.dat")};
    ScriptedDialogs dialogs;
    dialogs.printAnswer = [](QPrinter& printer, QWidget*) {
        printer.setPrinterName(kStopped);
        return true;
    };
    QWidget window;
    PreviewPane preview{app.settings, [&] { return app.calibration.forPage(); },
                        [&] { return app.printer.page(); }, &window};
    TKalForm calibrationDialog{app.calibration, [] {}, &window};
    PrintCommands printing{app, dialogs, preview, calibrationDialog, &window};
    printing.PrintBtnClick();
    EXPECT_EQ(dialogs.errorMessages, QStringList());
    EXPECT_EQ(dialogs.infoMessages, QStringList{kNotice});
    EXPECT_EQ(heldJobs(), ++held);
}

} // namespace
