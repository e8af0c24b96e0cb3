#include "document/safe_file_writer.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace {

QString sentence(const QString& action, const QString& reason) {
    return QStringLiteral("Could not %1 the file: %2.").arg(action, reason);
}

} // namespace

SafeFileWriter::SafeFileWriter(const QString& fileName) : m_file(fileName) {}

std::optional<QString> SafeFileWriter::failure(const QString& action) const {
    if (m_file.error() == QFileDevice::NoError)
        return std::nullopt;
    if (m_file.error() == QFileDevice::ResourceError)
        return kDiskFullMessage;
    return sentence(action, m_file.errorString());
}

std::optional<QString> SafeFileWriter::open() {
    if (m_file.open(QIODevice::WriteOnly))
        return std::nullopt;
    return failure(QStringLiteral("create")).value_or(sentence("create", m_file.errorString()));
}

std::optional<QString> SafeFileWriter::commit() {
    const QString write = QStringLiteral("write");
    if (auto error = failure(write)) {
        m_file.cancelWriting();
        return error;
    }
    if (!m_file.flush()) {
        const QString reason = failure(write).value_or(sentence(write, m_file.errorString()));
        m_file.cancelWriting();
        return reason;
    }
    // Some file systems take the blocks only when the data is synced.
    if (::fsync(m_file.handle()) != 0) {
        const int code = errno;
        m_file.cancelWriting();
        return code == ENOSPC ? kDiskFullMessage
                              : sentence(write, QString::fromLocal8Bit(strerror(code)));
    }
    if (!m_file.commit())
        return failure(write).value_or(sentence(write, m_file.errorString()));
    return std::nullopt;
}

std::optional<QString> SafeFileWriter::cancel() {
    const std::optional<QString> error = failure(QStringLiteral("write"));
    m_file.cancelWriting();
    return error;
}
