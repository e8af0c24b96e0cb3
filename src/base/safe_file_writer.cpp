#include "base/safe_file_writer.h"

#include "base/interrupted_files.h"
#include "base/system_file_names.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString sentence(const QString& action, const QString& reason) {
    return QStringLiteral("Could not %1 the file: %2.").arg(action, reason);
}

QString systemReason(int code) {
    return QString::fromLocal8Bit(strerror(code));
}

QString writeFailureOf(int code) {
    return code == ENOSPC ? kDiskFullMessage
                          : sentence(QStringLiteral("write"), systemReason(code));
}

// More links than this in a row are taken for a loop, and the name itself is replaced.
constexpr int kMostLinksFollowed = 128;

// The file that `path` leads to through any links; it need not exist.
QByteArray followLinks(const QByteArray& path) {
    QByteArray target = path;
    for (int links = 0; links < kMostLinksFollowed; ++links) {
        struct stat info {};
        if (::lstat(target.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return target;
        char link[PATH_MAX];
        const ssize_t length = ::readlink(target.constData(), link, sizeof link);
        if (length <= 0 || length >= ssize_t(sizeof link))
            return target;
        const QByteArray linked(link, length);
        // A relative link is read from the link's own folder.
        target =
            linked.startsWith('/') ? linked : target.left(target.lastIndexOf('/') + 1) + linked;
    }
    return path;
}

// A name beside `path` that no file has yet: the name with a random ending.
QByteArray temporaryNameBeside(const QByteArray& path) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = path + '.';
    for (int i = 0; i < 6; ++i)
        name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
    return name;
}

} // namespace

int createFileBeside(const QByteArray& path, mode_t mode, QByteArray& temporaryPath,
                     InterruptRemovedFile& removed) {
    constexpr int kTries = 100;
    int descriptor = -1;
    for (int i = 0; i < kTries && descriptor < 0; ++i) {
        temporaryPath = temporaryNameBeside(path);
        removed.remember(temporaryPath);
        descriptor =
            ::open(temporaryPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (descriptor < 0 && errno != EEXIST)
            break;
    }
    if (descriptor < 0)
        removed.forget();
    return descriptor;
}

void WholeWriteDevice::start(int descriptor) {
    m_descriptor = descriptor;
    m_failure = 0;
    // Unbuffered: every write reaches the system while its caller waits for the answer.
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 WholeWriteDevice::writeData(const char* data, qint64 size) {
    if (m_failure != 0)
        return -1;
    qint64 written = 0;
    while (written < size) {
        const ssize_t count = ::write(m_descriptor, data + written,
                                      size_t(std::min<qint64>(size - written, SSIZE_MAX)));
        if (count > 0) {
            written += count;
        } else if (count < 0 && errno == EINTR) {
            continue;
        } else {
            // A write that takes nothing and says nothing is as good as a failure of the disk.
            m_failure = count < 0 ? errno : EIO;
            setErrorString(writeFailureOf(m_failure));
            return -1;
        }
    }
    return written;
}

SafeFileWriter::SafeFileWriter(const QString& fileName) : m_fileName(fileName) {}

SafeFileWriter::~SafeFileWriter() {
    discard();
}

Failure SafeFileWriter::open() {
    const QByteArray path = systemFileName(m_fileName);
    struct stat old {};
    const bool replaces = ::stat(path.constData(), &old) == 0;
    if (replaces && ::access(path.constData(), W_OK) != 0)
        return Failure::because(
            sentence(QStringLiteral("create"),
                     QStringLiteral("Existing file %1 is not writable").arg(m_fileName)));
    if (replaces && S_ISDIR(old.st_mode))
        return Failure::because(
            sentence(QStringLiteral("create"), QStringLiteral("Filename refers to a directory")));
    m_finalPath = followLinks(path);
    // A file that is replaced is closed to others until it has the old file's permissions; a
    // new one gets what the umask leaves.
    m_descriptor = createFileBeside(m_finalPath, replaces ? 0600 : 0666, m_temporaryPath,
                                    m_removedOnInterrupt);
    if (m_descriptor < 0) {
        const int code = errno;
        m_temporaryPath.clear();
        return Failure::because(code == ENOSPC
                                    ? kDiskFullMessage
                                    : sentence(QStringLiteral("create"), systemReason(code)));
    }
    // The permissions are a courtesy: a file that cannot take them is still written.
    if (replaces)
        static_cast<void>(::fchmod(m_descriptor, old.st_mode & 0777));
    m_device.start(m_descriptor);
    return Failure::none();
}

Failure SafeFileWriter::writeFailure() const {
    if (m_device.failure() != 0)
        return Failure::because(writeFailureOf(m_device.failure()));
    return Failure::none();
}

void SafeFileWriter::discard() {
    m_device.close();
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
    if (!m_temporaryPath.isEmpty())
        ::unlink(m_temporaryPath.constData());
    m_temporaryPath.clear();
    m_removedOnInterrupt.forget();
}

Failure SafeFileWriter::closeFile() {
    Failure failure = writeFailure();
    // Some file systems take the blocks only when the data is synced, and some report a
    // failed write only when the file is closed.
    if (failure.succeeded() && ::fsync(m_descriptor) != 0)
        failure = Failure::because(writeFailureOf(errno));
    m_device.close();
    const int closed = ::close(m_descriptor);
    m_descriptor = -1;
    if (failure.succeeded() && closed != 0)
        failure = Failure::because(writeFailureOf(errno));
    return failure;
}

void SafeFileWriter::placed() {
    m_temporaryPath.clear();
    m_removedOnInterrupt.forget();
}

Failure SafeFileWriter::commit() {
    Failure failure = closeFile();
    if (failure.succeeded() && ::rename(m_temporaryPath.constData(), m_finalPath.constData()) != 0)
        failure = Failure::because(writeFailureOf(errno));
    if (failure.failed()) {
        discard();
        return failure;
    }
    placed();
    return Failure::none();
}

Failure SafeFileWriter::cancel() {
    Failure failure = writeFailure();
    discard();
    return failure;
}
