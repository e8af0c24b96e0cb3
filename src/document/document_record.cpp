#include "document/document_record.h"

#include <QtEndian>

#include <algorithm>

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

bool startsWithTag(Reader& reader) {
    if (reader.remaining() < qsizetype(sizeof kExtensionTag))
        return false;
    const char* tag = reader.take(sizeof kExtensionTag);
    return std::equal(tag, tag + sizeof kExtensionTag, kExtensionTag);
}

// Reads the block of `generation` and the later generations it holds, after its tag.
bool readGeneration(Reader& reader, int generation, std::vector<StoredValues>& generations) {
    const char* header = reader.take(2 + 4);
    if (!header)
        return false;
    const quint16 version = qFromLittleEndian<quint16>(header);
    const quint32 length = qFromLittleEndian<quint32>(header + 2);
    if (version < generation || length > quint64(reader.remaining()))
        return false;
    // Only the block's own bytes: a field may not reach into what follows it.
    Reader block(QByteArrayView(reader.take(length), length));
    StoredValues values;
    for (const SettingDescription& d : settingTable()) {
        if (!inGeneration(d, generation))
            continue;
        std::optional<StoredValue> value = block.read(storedInExtension(d));
        if (!value)
            return false;
        values[int(d.setting)] = std::move(*value);
    }
    generations.push_back(std::move(values));
    if (version == generation)
        return block.remaining() == 0;
    if (generation < kExtensionGenerations && startsWithTag(block))
        return readGeneration(block, generation + 1, generations);
    return true;
}

// The block of `generation` with the later generations of `record` inside it, tag and all.
QByteArray encodedGeneration(const DocumentRecord& record, int generation) {
    QByteArray fields;
    for (const SettingDescription& d : settingTable()) {
        if (inGeneration(d, generation))
            append(fields, record.extension[generation - 1][int(d.setting)], storedInExtension(d));
    }
    if (generation < int(record.extension.size()))
        fields.append(encodedGeneration(record, generation + 1));
    char header[2 + 4];
    qToLittleEndian(quint16(record.extension.size()), header);
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
    if (!record.extension.empty())
        bytes.append(encodedGeneration(record, 1));
    return bytes;
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
    if (!startsWithTag(reader))
        return record;
    if (!readGeneration(reader, 1, record.extension))
        return fail(DocumentFault::DamagedExtension);
    return record;
}
