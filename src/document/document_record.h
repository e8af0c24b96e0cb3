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
// never below the block's own, and every block runs to the end of the file. The lengths let
// an older reader skip the generations it does not know.
//
//   tag | 4 | length | first's fields | tag | 4 | length | second's fields | ... | check sum
//                    '----------------------- the outer block's length ------------------'
//
// The generation after the settings' last holds no setting but a check sum of the blocks,
// so that a value changed inside them is noticed as well as a tag or length that makes no
// sense. A program writes a block only for a design that needs one, and then every
// generation it knows.
inline constexpr char kExtensionTag[4] = {'L', 'V', 'O', 'X'};
inline constexpr qsizetype kExtensionHeaderSize = 4 + 2 + 4;
// The CRC-32 (as zlib computes it) of the blocks' bytes from the first tag up to itself,
// little-endian.
inline constexpr int kChecksumGeneration = kExtensionGenerations + 1;
inline constexpr qsizetype kChecksumSize = 4;

// The bytes of a document. Every string must be at most 255 bytes long. A record with every
// generation of settings is written with the check sum; one with fewer as the program that
// knew only those wrote it.
QByteArray encodeDocumentRecord(const DocumentRecord& record);

enum class DocumentFault {
    EndsEarly,        // the bytes end before the last main field
    DamagedExtension, // the bytes after the main fields are no valid block
};

// Reads a document from `bytes`. The bytes after the main fields must be a block whose every
// tag, version, length and check sum holds; a generation later than the ones this program
// knows is skipped by its length. Fewer bytes after the main fields than a tag are a document
// that ends early. A flag reads as 1 for any byte but 0. When the bytes are no document,
// returns nothing and says why in `fault`.
std::optional<DocumentRecord> decodeDocumentRecord(QByteArrayView bytes,
                                                   DocumentFault* fault = nullptr);
