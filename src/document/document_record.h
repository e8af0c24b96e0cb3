#pragma once

#include "settings/setting_table.h"

#include <QByteArray>
#include <QtGlobal>

#include <array>
#include <optional>
#include <variant>
#include <vector>

// One field of a document as it is stored: a flag, byte or 32-bit integer as a number, a
// real as a double in its field's unit, a string as its stored bytes (Windows-1252).
using StoredValue = std::variant<qint64, double, QByteArray>;

using StoredValues = std::array<StoredValue, kSettingCount>;

// The fields of one document: the main fields in file order, and the generations of the
// extension block that the document has, the first first. Each array is indexed by setting;
// the main fields use the rows kept in the main fields, a generation the rows it keeps, a
// choice there as its button.
struct DocumentRecord {
    StoredValues values;
    std::vector<StoredValues> extension;

    StoredValue& operator[](Setting setting) { return values[int(setting)]; }
    const StoredValue& operator[](Setting setting) const { return values[int(setting)]; }
};

// The extension block: after the main fields, this tag, a 16-bit version, a 32-bit length and
// that many bytes: the fields of the first generation, then, when the version is later than
// 1, the block of the second generation in the same form, holding its fields and the next
// generation's block, and so on. Every block's version is the number of generations written,
// never below the block's own; a block whose version equals its generation holds its fields
// alone. The lengths let an older reader skip the generations it does not know, and a program
// writes only as many generations as the design needs, so a design that needs only the first
// is written as the first version of the program wrote it.
//
//   tag | version 2 | length | first generation's fields | tag | 2 | length | second's fields
//                            '------------------- the outer block's length -------------------'
//
// Bytes after a generation's fields that are no block of the next generation are skipped, as
// bytes after the main fields are, except in a block whose version equals its generation.
inline constexpr char kExtensionTag[4] = {'L', 'V', 'O', 'X'};
inline constexpr qsizetype kExtensionHeaderSize = 4 + 2 + 4;

// The bytes of a document. Every string must be at most 255 bytes long.
QByteArray encodeDocumentRecord(const DocumentRecord& record);

enum class DocumentFault {
    EndsEarly,        // the bytes end before the last main field
    DamagedExtension, // the tag is there, but the block is cut short or makes no sense
};

// Reads a document from `bytes`. Bytes after the main fields that do not start with the tag
// are ignored, as they always have been, unless they are too few to hold one: then the
// document ends early. A flag reads as 1 for any byte but 0. When the bytes
// are no document, returns nothing and says why in `fault`.
std::optional<DocumentRecord> decodeDocumentRecord(QByteArrayView bytes,
                                                   DocumentFault* fault = nullptr);
