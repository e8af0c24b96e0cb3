#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// File names as the system keeps them: bytes, mostly UTF-8 but not always. The toolkit turns
// every byte that is not part of UTF-8 into U+FFFD, after which the file cannot be found again.
// Here each such byte becomes a lone surrogate from U+DC80 to U+DCFF, which turns back into
// that byte, so that a name read from the system reaches the system unchanged.
QString fileNameFromSystem(QByteArrayView bytes);
QByteArray systemFileName(const QString& name);

// `name` with the current folder in front when it is relative and "." and ".." worked out, as
// the toolkit's file information gives it but with the system's bytes kept.
QString absoluteFileName(const QString& name);

// Whether `name` leads to a regular file, through any links.
bool isRegularFile(const QString& name);
