#pragma once

#include "settings/setting_table.h"

#include <QByteArray>
#include <QtGlobal>

#include <array>
#include <optional>
#include <variant>

// One field of a document as it is stored: a flag, byte or 32-bit integer as a number, a
// real as a double in its field's unit, a string as its stored bytes (Windows-1252).
using StoredValue = std::variant<qint64, double, QByteArray>;

// The fields of one document, one for every setting in the table, in file order.
struct DocumentRecord {
    std::array<StoredValue, kSettingCount> values;

    StoredValue& operator[](Setting setting) { return values[int(setting)]; }
    const StoredValue& operator[](Setting setting) const { return values[int(setting)]; }
};

// The bytes of a document. Every string must be at most 255 bytes long.
QByteArray encodeDocumentRecord(const DocumentRecord& record);

// Reads a document from `bytes`. Empty when the bytes end before the last field; bytes after
// the last field are ignored, as they always have been. A flag reads as 1 for any byte but 0.
std::optional<DocumentRecord> decodeDocumentRecord(QByteArrayView bytes);
