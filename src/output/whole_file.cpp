#include "output/whole_file.h"

#include "base/safe_file_writer.h"

std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes) {
    SafeFileWriter file(path);
    if (const Failure failure = file.open(); failure.failed())
        return failure.message();
    file.device().write(bytes); // a short write is found by the commit
    if (const Failure failure = file.commit(); failure.failed())
        return failure.message();
    return std::nullopt;
}
