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
// it and its output folder, so each holds it alone while it runs.
class PrintQueueTest : public ::testing::Test {
  protected:
    static constexpr const char* kQueue = "PDF";

    void SetUp() override;
    // Removes the files of the jobs the test waited for.
    void TearDown() override;

    // The newest job of the queue so far; 0 when there is none.
    static int newestJobId();
    // Waits for the first job titled `title` after `previousId` to complete and for its file
    // to appear; jobs of other titles belong to someone else sharing the queue. An empty result
    // (and a test failure) after a minute.
    FinishedJob waitForJobAfter(int previousId, const QString& title = QStringLiteral("Lineavo"));

    // Runs the program with `arguments`; returns its exit status and fills `err`.
    static int runProgram(const QStringList& arguments, QString& err,
                          const QStringList& environment = {});

  private:
    QLockFile m_lock{lockPath()};
    QStringList m_printedFiles;
    static QString lockPath();
};
