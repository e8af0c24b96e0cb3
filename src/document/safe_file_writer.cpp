#include "document/safe_file_writer.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include <unistd.h>

namespace {

QString sentence(const QString& action, const QString& reason) {
    return QStringLiteral("Could not %1 the file: %2.").arg(action, reason);
}

QString writeFailureOf(int code) {
    return code == ENOSPC
               ? kDiskFullMessage
               : sentence(QStringLiteral("write"), QString::fromLocal8Bit(strerror(code)));
}

} // namespace

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

SafeFileWriter::SafeFileWriter(const QString& fileName) : m_file(fileName) {}

std::optional<QString> SafeFileWriter::open() {
    if (m_file.open(QIODevice::WriteOnly)) {
        m_device.start(m_file.handle());
        return std::nullopt;
    }
    if (m_file.error() == QFileDevice::ResourceError)
        return kDiskFullMessage;
    return sentence(QStringLiteral("create"), m_file.errorString());
}

std::optional<QString> SafeFileWriter::writeFailure() const {
    if (m_device.failure() != 0)
        return writeFailureOf(m_device.failure());
    return std::nullopt;
}

std::optional<QString> SafeFileWriter::commit() {
    std::optional<QString> error = writeFailure();
    // Some file systems take the blocks only when the data is synced; the toolkit's commit
    // syncs too, but goes on to rename when that fails.
    if (!error && ::fsync(m_file.handle()) != 0)
        error = writeFailureOf(errno);
    if (error) {
        m_file.cancelWriting(); // the new file goes with this writer
        return error;
    }
    if (!m_file.commit())
        return m_file.error() == QFileDevice::ResourceError
                   ? kDiskFullMessage
                   : sentence(QStringLiteral("write"), m_file.errorString());
    return std::nullopt;
}

std::optional<QString> SafeFileWriter::cancel() {
    const std::optional<QString> error = writeFailure();
    m_file.cancelWriting();
    return error;
}
