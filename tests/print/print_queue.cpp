#include "print_queue.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QThread>

#include <cups/cups.h>

#include <algorithm>
#include <span>

namespace {

// Code built with the sanitizers runs several times slower, and the print server shares the
// machine with it: every wait grows by this factor.
constexpr int kTimeFactor = LINEAVO_TEST_TIME_FACTOR;
constexpr int kProgramMilliseconds = 2 * 60 * 1000 * kTimeFactor;
// The print server turns a 1200-dpi page into PDF while other tests keep the machine busy.
constexpr int kJobMilliseconds = 5 * 60 * 1000 * kTimeFactor;

// The jobs of a queue, finished or not: of everybody, or of this user only.
class QueueJobs {
  public:
    QueueJobs(const char* queue, bool mineOnly)
        : m_count(cupsGetJobs(&m_jobs, queue, mineOnly ? 1 : 0, CUPS_WHICHJOBS_ALL)) {}
    ~QueueJobs() { cupsFreeJobs(m_count, m_jobs); }
    QueueJobs(const QueueJobs&) = delete;
    QueueJobs& operator=(const QueueJobs&) = delete;
    std::span<const cups_job_t> all() const { return {m_jobs, size_t(std::max(m_count, 0))}; }

  private:
    cups_job_t* m_jobs = nullptr;
    int m_count;
};

} // namespace

QString PrintQueueTest::lockPath() {
    return QDir::temp().filePath(QStringLiteral("lineavo-print-tests.lock"));
}

void PrintQueueTest::SetUp() {
    m_lock.setStaleLockTime(10 * 60 * 1000 * kTimeFactor);
    ASSERT_TRUE(m_lock.tryLock(10 * 60 * 1000 * kTimeFactor))
        << "another print test holds the queue";
    ASSERT_EQ(QPrinterInfo::defaultPrinterName(), QLatin1String(kQueue))
        << "the PDF queue is not the default printer; run scripts/start-cups.sh first";
}

void PrintQueueTest::TearDown() {
    for (const QString& path : m_printedFiles)
        QFile::remove(path);
}

int PrintQueueTest::newestJobId() {
    int newest = 0;
    const QueueJobs jobs(kQueue, false);
    for (const cups_job_t& job : jobs.all())
        newest = std::max(newest, job.id);
    return newest;
}

FinishedJob PrintQueueTest::waitForJobAfter(int previousId, const QString& title) {
    // The job was handed over before this is asked, so it is known by now; no other print test
    // runs meanwhile, so a second one of the title would be this test's mistake.
    QList<int> ids;
    const QueueJobs jobs(kQueue, true);
    for (const cups_job_t& job : jobs.all()) {
        if (job.id > previousId && QString::fromUtf8(job.title) == title)
            ids << job.id;
    }
    if (ids.size() != 1) {
        ADD_FAILURE() << ids.size() << " jobs titled \"" << title.toStdString() << "\" after job "
                      << previousId << " where one was printed";
        return {};
    }
    FinishedJob job = waitForJob(ids.front());
    job.title = title;
    return job;
}

FinishedJob PrintQueueTest::waitForJob(int id) {
    const QDir output(QDir::home().filePath(QStringLiteral("PDF")));
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kJobMilliseconds) {
        ipp_jstate_t state = IPP_JSTATE_PENDING;
        const QueueJobs jobs(kQueue, true);
        for (const cups_job_t& job : jobs.all()) {
            if (job.id == id)
                state = job.state;
        }
        if (state == IPP_JSTATE_CANCELED || state == IPP_JSTATE_ABORTED) {
            ADD_FAILURE() << "job " << id << " ended without being printed (state " << state << ")";
            return {};
        }
        if (state == IPP_JSTATE_COMPLETED) {
            // The queue names its files after the job's title and number.
            const QStringList files =
                output.entryList({QStringLiteral("*-job_%1.pdf").arg(id)}, QDir::Files);
            if (files.size() == 1) {
                FinishedJob job;
                job.id = id;
                job.pdfPath = output.filePath(files.first());
                m_printedFiles << job.pdfPath;
                return job;
            }
        }
        QThread::msleep(50);
    }
    ADD_FAILURE() << "job " << id << " did not finish within " << kJobMilliseconds / 1000
                  << " seconds";
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
    if (!program.waitForFinished(kProgramMilliseconds))
        return -1;
    err = QString::fromUtf8(program.readAllStandardError());
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
}
