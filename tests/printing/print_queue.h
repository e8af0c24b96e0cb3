#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

// A job as the print server keeps it, with the PDF file the PDF queue wrote for it.
struct FinishedJob {
    int id = 0;
    QString title;
    QString pdfPath;
};

// The PDF queue of the print server that scripts/start-cups.sh starts. The print tests share
// it, so each holds it alone while it runs: ctest runs them one at a time
// (tests/print_server_tests.cmake), and a lock file keeps test programs started by hand apart.
// Anybody else may still print on it meanwhile, under the same titles: each test therefore
// prints, in this process and in the programs it starts, as a print-server user of its own,
// and knows its jobs by that user.
class PrintQueueTest : public ::testing::Test {
  protected:
    static constexpr const char* kQueue = "PDF";

    void SetUp() override;
    // Removes the files of the jobs the test waited for, and prints as the system's user again.
    void TearDown() override;

    // The newest job this test handed to the queue so far; 0 when there is none.
    static int newestJobId(const char* queue = kQueue);
    // Finds the one job titled `title` that this test handed to the queue after `previousId`,
    // and waits for it to complete and for its file to appear. An empty result and a test
    // failure when there is none or more than one, when the job fails, or after some minutes.
    FinishedJob waitForJobAfter(int previousId, const QString& title = QStringLiteral("Lineavo"),
                                const char* queue = kQueue);

    // Runs the program with `arguments`; returns its exit status and fills `err`.
    static int runProgram(const QStringList& arguments, QString& err,
                          const QStringList& environment = {});

  private:
    FinishedJob waitForJob(int id, const char* queue);

    QLockFile m_lock{lockPath()};
    QStringList m_printedFiles;
    static QString lockPath();
};
