#include "base/safe_file_set.h"

#include "base/interrupted_files.h"
#include "base/system_file_names.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

Failure failureOf(const QString& target, int code) {
    return Failure::because(QStringLiteral("%1: Could not replace the file: %2.")
                                .arg(target, QString::fromLocal8Bit(strerror(code))));
}

// Moves the file at `path`, if there is one, to a new name beside it, set in `aside`, from
// where it can be put back. Returns the system's error code of a failure, else 0.
int moveAside(const QByteArray& path, QByteArray& aside) {
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0)
        return errno == ENOENT ? 0 : errno;
    // A name of our own, so that the move takes no one else's file. Interrupts are held back
    // here, and the old file must never be on the list of files they remove.
    InterruptRemovedFile unlisted;
    const int placeholder = createFileBeside(path, 0600, aside, unlisted);
    if (placeholder < 0)
        return errno;
    unlisted.forget();
    ::close(placeholder);
    if (::rename(path.constData(), aside.constData()) != 0) {
        const int code = errno;
        ::unlink(aside.constData());
        aside.clear();
        return code;
    }
    return 0;
}

} // namespace

Failure SafeFileSet::stage(const QString& target, QString& staged) {
    auto writer = std::make_unique<SafeFileWriter>(target);
    Failure failure = writer->open();
    if (failure.succeeded())
        failure = writer->closeFile();
    if (failure.failed())
        return failure.within(target);
    staged = fileNameFromSystem(writer->m_temporaryPath);
    m_files.push_back({target, std::move(writer)});
    return Failure::none();
}

Failure SafeFileSet::commit() {
    const InterruptsHeldBack held;
    std::vector<QByteArray> aside(m_files.size());
    size_t placed = 0;
    for (; placed < m_files.size(); ++placed) {
        const SafeFileWriter& file = *m_files[placed].writer;
        int code = moveAside(file.m_finalPath, aside[placed]);
        if (code == 0 &&
            ::rename(file.m_temporaryPath.constData(), file.m_finalPath.constData()) != 0)
            code = errno;
        if (code != 0) {
            // Put back what was there, the failed file's old one too, which may be aside. A
            // file that cannot be put back stays where it was moved, not lost.
            for (size_t i = placed + 1; i-- > 0;) {
                const QByteArray& target = m_files[i].writer->m_finalPath;
                if (!aside[i].isEmpty())
                    ::rename(aside[i].constData(), target.constData());
                else if (i < placed)
                    ::unlink(target.constData());
            }
            return failureOf(m_files[placed].target, code);
        }
    }
    for (size_t i = 0; i < m_files.size(); ++i) {
        if (!aside[i].isEmpty())
            ::unlink(aside[i].constData());
        m_files[i].writer->placed();
    }
    return Failure::none();
}
