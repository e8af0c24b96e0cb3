#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The 8-bit Western code page in which documents hold their texts, so that documents from
// and for Windows read the same.
QString decodeWindows1252(QByteArrayView bytes);
// Empty when the text has a character that the code page cannot hold.
std::optional<QByteArray> encodeWindows1252(const QString& text);
