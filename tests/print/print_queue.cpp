#include "print_queue.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QThread>

#include <cups/cups.h>

QString PrintQueueTest::lockPath() {
    return QDir::temp().filePath(QStringLiteral("lineavo-print-tests.lock"));
}

void PrintQueueTest::SetUp() {
    m_lock.setStaleLockTime(10 * 60 * 1000);
    ASSERT_TRUE(m_lock.tryLock(10 * 60 * 1000)) << "another print test holds the queue";
    ASSERT_EQ(QPrinterInfo::defaultPrinterName(), QLatin1String(kQueue))
        << "the PDF queue is not the default printer; run scripts/start-cups.sh first";
}

void PrintQueueTest::TearDown() {
    for (const QString& path : m_printedFiles)
        QFile::remove(path);
}

int PrintQueueTest::newestJobId() {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs(&jobs, kQueue, 0, CUPS_WHICHJOBS_ALL);
    int newest = 0;
    for (int i = 0; i < count; ++i)
        newest = std::max(newest, jobs[i].id);
    cupsFreeJobs(count, jobs);
    return newest;
}

FinishedJob PrintQueueTest::waitForJobAfter(int previousId, const QString& title) {
    const QDir output(QDir::home().filePath(QStringLiteral("PDF")));
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 60000) {
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs(&jobs, kQueue, 0, CUPS_WHICHJOBS_ALL);
        FinishedJob found;
        bool completed = false;
        for (int i = 0; i < count; ++i) {
            if (jobs[i].id <= previousId || (found.id && jobs[i].id > found.id) ||
                QString::fromUtf8(jobs[i].title) != title)
                continue;
            found.id = jobs[i].id;
            found.title = QString::fromUtf8(jobs[i].title);
            completed = jobs[i].state == IPP_JSTATE_COMPLETED;
        }
        cupsFreeJobs(count, jobs);
        if (completed) {
            // The queue names its files after the job's title and number.
            const QStringList files =
                output.entryList({QStringLiteral("*-job_%1.pdf").arg(found.id)}, QDir::Files);
            if (files.size() == 1) {
                found.pdfPath = output.filePath(files.first());
                m_printedFiles << found.pdfPath;
                return found;
            }
        }
        QThread::msleep(50);
    }
    ADD_FAILURE() << "no finished job after job " << previousId << " within a minute";
    return {};
}

int PrintQueueTest::runProgram(const QStringList& arguments, QString& err,
                               const QStringList& environment) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& assignment : environment)
        env.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(LINEAVO_EXECUTABLE), arguments);
    if (!program.waitForFinished(120000))
        return -1;
    err = QString::fromUtf8(program.readAllStandardError());
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
}
