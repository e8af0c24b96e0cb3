#include "document/document_record.h"

#include <QtEndian>

#include <algorithm>

#include <zlib.h>

namespace {

void append(QByteArray& bytes, const StoredValue& value, Stored stored) {
    switch (stored) {
    case Stored::Flag:
        bytes.append(char(std::get<qint64>(value) != 0 ? 1 : 0));
        break;
    case Stored::Byte:
        bytes.append(char(quint8(std::get<qint64>(value))));
        break;
    case Stored::Int32: {
        char buffer[4];
        qToLittleEndian(qint32(std::get<qint64>(value)), buffer);
        bytes.append(buffer, 4);
        break;
    }
    case Stored::Double: {
        char buffer[8];
        qToLittleEndian(std::get<double>(value), buffer);
        bytes.append(buffer, 8);
        break;
    }
    case Stored::String: {
        const QByteArray& text = std::get<QByteArray>(value);
        Q_ASSERT(text.size() <= 255);
        bytes.append(char(quint8(text.size())));
        bytes.append(text);
        break;
    }
    }
}

class Reader {
  public:
    explicit Reader(QByteArrayView bytes) : m_bytes(bytes) {}

    std::optional<StoredValue> read(Stored stored) {
        switch (stored) {
        case Stored::Flag:
        case Stored::Byte: {
            const char* p = take(1);
            if (!p)
                return std::nullopt;
            const quint8 byte = quint8(*p);
            return qint64(stored == Stored::Flag ? byte != 0 : byte);
        }
        case Stored::Int32: {
            const char* p = take(4);
            return p ? std::optional<StoredValue>(qint64(qFromLittleEndian<qint32>(p)))
                     : std::nullopt;
        }
        case Stored::Double: {
            const char* p = take(8);
            return p ? std::optional<StoredValue>(qFromLittleEndian<double>(p)) : std::nullopt;
        }
        case Stored::String: {
            const char* length = take(1);
            if (!length)
                return std::nullopt;
            const char* p = take(quint8(*length));
            return p ? std::optional<StoredValue>(QByteArray(p, quint8(*length))) : std::nullopt;
        }
        }
        return std::nullopt;
    }

    qsizetype remaining() const { return m_bytes.size() - m_position; }

    const char* take(qsizetype count) {
        if (m_bytes.size() - m_position < count)
            return nullptr;
        const char* p = m_bytes.data() + m_position;
        m_position += count;
        return p;
    }

  private:
    QByteArrayView m_bytes;
    qsizetype m_position = 0;
};

// The extension block keeps a choice as the number of its button.
Stored storedInExtension(const SettingDescription& d) {
    return d.kind == SettingKind::Choice ? Stored::Byte : d.stored;
}

// The number a block keeps in four bytes, little-endian.
quint32 number32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}

// The check sum of the blocks' first `size` bytes.
quint32 checksum(QByteArrayView blocks, qsizetype size) {
    return quint32(crc32(0, reinterpret_cast<const Bytef*>(blocks.data()), uInt(size)));
}

// Reads the blocks after the main fields, each after the one before it. Every block runs to
// the end of the bytes, so a length is right only when it is exactly what is left.
class BlockReader {
  public:
    explicit BlockReader(QByteArrayView blocks) : m_blocks(blocks), m_reader(blocks) {}

    // Reads the block of `generation` and the later ones it holds; `version` is the one the
    // blocks around it have, 0 for the outermost.
    bool read(int generation, int version, std::vector<StoredValues>& generations) {
        const char* tag = m_reader.take(sizeof kExtensionTag);
        const char* header = m_reader.take(2 + 4);
        if (!tag || !std::equal(tag, tag + sizeof kExtensionTag, kExtensionTag) || !header)
            return false;
        const int ownVersion = qFromLittleEndian<quint16>(header);
        if (ownVersion < generation || (version != 0 && ownVersion != version) ||
            number32(header + 2) != quint64(m_reader.remaining()))
            return false;
        // A later program's generation is its own business.
        if (generation > kChecksumGeneration)
            return true;
        if (generation == kChecksumGeneration) {
            const qsizetype at = m_blocks.size() - m_reader.remaining();
            const char* sum = m_reader.take(kChecksumSize);
            if (!sum || number32(sum) != checksum(m_blocks, at))
                return false;
        } else {
            StoredValues values;
            for (const SettingDescription& d : settingTable()) {
                if (!inGeneration(d, generation))
                    continue;
                std::optional<StoredValue> value = m_reader.read(storedInExtension(d));
                if (!value)
                    return false;
                values[int(d.setting)] = std::move(*value);
            }
            generations.push_back(std::move(values));
        }
        if (ownVersion == generation)
            return m_reader.remaining() == 0;
        return read(generation + 1, ownVersion, generations);
    }

  private:
    QByteArrayView m_blocks;
    Reader m_reader;
};

// The block of `generation` with the later generations up to `version` inside it, tag and
// all; the check sum's place is left empty.
QByteArray encodedGeneration(const DocumentRecord& record, int generation, int version) {
    QByteArray fields;
    if (generation == kChecksumGeneration)
        fields = QByteArray(kChecksumSize, '\0');
    for (const SettingDescription& d : settingTable()) {
        if (generation < kChecksumGeneration && inGeneration(d, generation))
            append(fields, record.extension[generation - 1][int(d.setting)], storedInExtension(d));
    }
    if (generation < version)
        fields.append(encodedGeneration(record, generation + 1, version));
    char header[2 + 4];
    qToLittleEndian(quint16(version), header);
    qToLittleEndian(quint32(fields.size()), header + 2);
    QByteArray bytes(kExtensionTag, sizeof kExtensionTag);
    bytes.append(header, sizeof header);
    return bytes + fields;
}

} // namespace

QByteArray encodeDocumentRecord(const DocumentRecord& record) {
    QByteArray bytes;
    for (const SettingDescription& d : settingTable()) {
        if (inMainFields(d))
            append(bytes, record[d.setting], d.stored);
    }
    const int generations = int(record.extension.size());
    if (generations == 0)
        return bytes;
    if (generations < kExtensionGenerations)
        return bytes + encodedGeneration(record, 1, generations);
    // The check sum is the block's last field.
    QByteArray blocks = encodedGeneration(record, 1, kChecksumGeneration);
    qToLittleEndian(checksum(blocks, blocks.size() - kChecksumSize),
                    blocks.data() + blocks.size() - kChecksumSize);
    return bytes + blocks;
}

std::optional<DocumentRecord> decodeDocumentRecord(QByteArrayView bytes, DocumentFault* fault) {
    const auto fail = [fault](DocumentFault why) {
        if (fault)
            *fault = why;
        return std::nullopt;
    };
    DocumentRecord record;
    Reader reader(bytes);
    for (const SettingDescription& d : settingTable()) {
        if (!inMainFields(d))
            continue;
        std::optional<StoredValue> value = reader.read(d.stored);
        if (!value)
            return fail(DocumentFault::EndsEarly);
        record[d.setting] = std::move(*value);
    }
    // Fewer bytes than a tag are a document cut inside the tag: taken for one from before the
    // block, it would open as another design.
    if (reader.remaining() > 0 && reader.remaining() < qsizetype(sizeof kExtensionTag))
        return fail(DocumentFault::EndsEarly);
    if (reader.remaining() == 0)
        return record;
    BlockReader blocks(bytes.last(reader.remaining()));
    if (!blocks.read(1, 0, record.extension))
        return fail(DocumentFault::DamagedExtension);
    return record;
}
