#include "print_queue.h"

#include "support/test_time.h"

#include <QCoreApplication>
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

constexpr int kProgramMilliseconds = waitMilliseconds(2 * 60 * 1000);
// The print server turns a 1200-dpi page into PDF while other tests keep the machine busy.
constexpr int kJobMilliseconds = waitMilliseconds(5 * 60 * 1000);
constexpr int kLockMilliseconds = waitMilliseconds(10 * 60 * 1000);

// The PDF queue writes the jobs of a user the system does not know, as the tests' own users
// are, into this folder.
constexpr const char* kUnknownUsersFolder = "/var/spool/cups-pdf/ANONYMOUS";

// A print-server user name that no other test, run or program prints as.
QByteArray ownPrintUser() {
    static int tests = 0;
    return QStringLiteral("lineavo-test-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(++tests)
        .toLatin1();
}

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
    m_lock.setStaleLockTime(kLockMilliseconds);
    ASSERT_TRUE(m_lock.tryLock(kLockMilliseconds)) << "another print test holds the queue";
    // The print server takes the user a job names; the programs started inherit it.
    const QByteArray user = ownPrintUser();
    qputenv("CUPS_USER", user);
    cupsSetUser(user.constData());
    ASSERT_EQ(QPrinterInfo::defaultPrinterName(), QLatin1String(kQueue))
        << "the PDF queue is not the default printer; run scripts/start-cups.sh first";
}

void PrintQueueTest::TearDown() {
    for (const QString& path : m_printedFiles)
        QFile::remove(path);
    qunsetenv("CUPS_USER");
    cupsSetUser(nullptr);
}

int PrintQueueTest::newestJobId(const char* queue) {
    int newest = 0;
    const QueueJobs jobs(queue, true);
    for (const cups_job_t& job : jobs.all())
        newest = std::max(newest, job.id);
    return newest;
}

FinishedJob PrintQueueTest::waitForJobAfter(int previousId, const QString& title,
                                            const char* queue) {
    // The job was handed over before this is asked, so it is known by now; only this test
    // prints as its user, so a second one of the title would be this test's mistake.
    QList<int> ids;
    const QueueJobs jobs(queue, true);
    for (const cups_job_t& job : jobs.all()) {
        if (job.id > previousId && QString::fromUtf8(job.title) == title)
            ids << job.id;
    }
    if (ids.size() != 1) {
        ADD_FAILURE() << ids.size() << " jobs titled \"" << title.toStdString() << "\" after job "
                      << previousId << " where one was printed";
        return {};
    }
    FinishedJob job = waitForJob(ids.front(), queue);
    job.title = title;
    return job;
}

FinishedJob PrintQueueTest::waitForJob(int id, const char* queue) {
    const QDir output(QString::fromLatin1(kUnknownUsersFolder));
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kJobMilliseconds) {
        ipp_jstate_t state = IPP_JSTATE_PENDING;
        const QueueJobs jobs(queue, true);
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
