#include "output/whole_file.h"

#include "base/safe_file_writer.h"

Failure writeWholeFile(const QString& path, const QByteArray& bytes) {
    SafeFileWriter file(path);
    if (const Failure failure = file.open(); failure.failed())
        return failure;
    file.device().write(bytes); // a short write is found by the commit
    return file.commit();
}
