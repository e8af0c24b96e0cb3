#include "output/whole_file.h"

#include "base/safe_file_writer.h"

std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes) {
    SafeFileWriter file(path);
    if (auto error = file.open())
        return error;
    file.device().write(bytes); // a short write is found by the commit
    return file.commit();
}
