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
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Thousands of large pages: minutes of work, stopped within seconds.
const QStringList kLongNotebook{"render", "--paper", "A3", "--dpi", "300", "--pages", "10000"};

QStringList filesIn(const QTemporaryDir& folder) {
    return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

TEST(InterruptedRender, LeavesTheOldFileAndNoUnfinishedOneAndSaysWhichSignal) {
    struct Row {
        const char* name;
        int signal;
        int exitCode;
    };
    for (const Row& row : {Row{"Ctrl-C", SIGINT, 130}, Row{"kill", SIGTERM, 143},
                           Row{"terminal closed", SIGHUP, 129}}) {
        SCOPED_TRACE(row.name);
        QTemporaryDir folder;
        const QString target = folder.filePath("s.pdf");
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the notebook written before");
        old.close();

        QProcess program;
        program.start(QStringLiteral(LINEAVO_EXECUTABLE),
                      kLongNotebook + QStringList{"--output", target});
        // Stopped only once the new file is being written.
        QDeadlineTimer deadline(waitMilliseconds(30000));
        while (filesIn(folder).size() < 2 && !deadline.hasExpired())
            QThread::msleep(20);
        ASSERT_EQ(filesIn(folder).size(), 2) << "the notebook's file was never begun";
        QThread::msleep(300);
        ASSERT_EQ(::kill(pid_t(program.processId()), row.signal), 0);
        ASSERT_TRUE(program.waitForFinished(waitMilliseconds(30000)));

        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), row.exitCode);
        EXPECT_EQ(filesIn(folder), QStringList{"s.pdf"});
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "the notebook written before");
    }
}

// The progress goes to a person at a terminal, never into a script's reading of the errors.
TEST(InterruptedRender, ProgressIsShownOnATerminalOnly) {
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(::grantpt(terminal), 0);
    ASSERT_EQ(::unlockpt(terminal), 0);
    QTemporaryDir folder;
    const QStringList arguments{"render", "--paper",  "A6",
                                "--dpi",  "50",       "--pages",
                                "3",      "--output", folder.filePath("n.pdf")};
    for (const bool onTerminal : {true, false}) {
        SCOPED_TRACE(onTerminal ? "terminal" : "pipe");
        QProcess program;
        if (onTerminal)
            program.setStandardErrorFile(QString::fromLocal8Bit(::ptsname(terminal)));
        program.start(QStringLiteral(LINEAVO_EXECUTABLE), arguments);
        ASSERT_TRUE(program.waitForFinished(waitMilliseconds(60000)));
        EXPECT_EQ(program.exitCode(), 0);
        QByteArray shown;
        if (onTerminal) {
            char buffer[4096];
            ::fcntl(terminal, F_SETFL, O_NONBLOCK);
            for (ssize_t n; (n = ::read(terminal, buffer, sizeof buffer)) > 0;)
                shown.append(buffer, n);
        } else {
            shown = program.readAllStandardError();
        }
        EXPECT_EQ(shown.contains("1 of 3") && shown.contains("3 of 3"), onTerminal)
            << shown.constData();
    }
    ::close(terminal);
}

} // namespace
