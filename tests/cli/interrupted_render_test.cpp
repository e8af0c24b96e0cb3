// A long notebook rendered as a user runs it: stopped by a signal, and watched on a terminal.
#include "support/test_time.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {

TEST(InterruptedRender, LeavesTheOldFileAndNoUnfinishedOneAndSaysWhichSignal) {
    for (const auto& [signal, exitCode] : {std::pair{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}}) {
        SCOPED_TRACE(signal);
        QTemporaryDir folder;
        const QDir dir(folder.path());
        QFile old(dir.filePath("s.pdf"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        QProcess program;
        // Thousands of large pages: minutes of work, stopped once the new file is begun.
        program.start(LINEAVO_EXECUTABLE, {"render", "--paper", "A3", "--dpi", "300", "--pages",
                                           "10000", "--output", old.fileName()});
        QDeadlineTimer deadline(waitMilliseconds(30000));
        while (dir.entryList(QDir::Files).size() < 2 && !deadline.hasExpired())
            QThread::msleep(20);
        ASSERT_EQ(::kill(pid_t(program.processId()), signal), 0);
        ASSERT_TRUE(program.waitForFinished(waitMilliseconds(30000)));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), exitCode);
        EXPECT_EQ(dir.entryList(QDir::Files | QDir::Hidden), QStringList{"s.pdf"});
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old");
    }
}

// The progress goes to a person at a terminal, never into a script's reading of the errors.
TEST(InterruptedRender, ProgressIsShownOnATerminalOnly) {
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_TRUE(terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0);
    QTemporaryDir folder;
    for (const bool onTerminal : {true, false}) {
        QProcess program;
        if (onTerminal)
            program.setStandardErrorFile(QString::fromLocal8Bit(::ptsname(terminal)));
        program.start(LINEAVO_EXECUTABLE, {"render", "--paper", "A6", "--dpi", "50", "--pages", "3",
                                           "--output", folder.filePath("n.pdf")});
        ASSERT_TRUE(program.waitForFinished(waitMilliseconds(60000)));
        QByteArray shown = program.readAllStandardError();
        char buffer[4096];
        for (ssize_t n; (n = ::read(terminal, buffer, sizeof buffer)) > 0;)
            shown.append(buffer, n);
        EXPECT_EQ(shown.contains("1 of 3") && shown.contains("3 of 3"), onTerminal) << shown.data();
    }
    ::close(terminal);
}

} // namespace
