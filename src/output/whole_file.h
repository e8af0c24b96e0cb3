#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Writes `bytes` as the file at `path`, replacing any file there only when every byte is on
// the disk. Returns the reason of a failure.
std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes);
