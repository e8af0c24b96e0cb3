#pragma once

#include "base/failure.h"

#include <QByteArray>
#include <QString>

// Writes `bytes` as the file at `path`, replacing any file there only when every byte is on
// the disk. Returns the reason of a failure.
Failure writeWholeFile(const QString& path, const QByteArray& bytes);
