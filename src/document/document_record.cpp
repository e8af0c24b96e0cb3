#include "document/document_record.h"

#include <QtEndian>

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

  private:
    const char* take(qsizetype count) {
        if (m_bytes.size() - m_position < count)
            return nullptr;
        const char* p = m_bytes.data() + m_position;
        m_position += count;
        return p;
    }

    QByteArrayView m_bytes;
    qsizetype m_position = 0;
};

} // namespace

QByteArray encodeDocumentRecord(const DocumentRecord& record) {
    QByteArray bytes;
    for (const SettingDescription& d : settingTable())
        append(bytes, record[d.setting], d.stored);
    return bytes;
}

std::optional<DocumentRecord> decodeDocumentRecord(QByteArrayView bytes) {
    DocumentRecord record;
    Reader reader(bytes);
    for (const SettingDescription& d : settingTable()) {
        std::optional<StoredValue> value = reader.read(d.stored);
        if (!value)
            return std::nullopt;
        record[d.setting] = std::move(*value);
    }
    return record;
}
