#include "document/document_record.h"

#include <QtEndian>

#include <cstring>

namespace {

// Writer and reader walk the one list of fields below, so their order cannot drift apart.
template <class Walker> void walkFields(Walker& w, auto& r) {
    w.flag(r.ruled);
    w.real(r.lineSpace);
    w.flag(r.withoutFirstLine);
    w.flag(r.withoutLastLine);
    w.real(r.caretSpace);
    w.integer(r.lineColour);
    w.real(r.lineWidth);
    w.real(r.leftBorder);
    w.flag(r.leftBorderLine);
    w.flag(r.noLeftBorderFill);
    w.real(r.rightBorder);
    w.flag(r.rightBorderLine);
    w.flag(r.noRightBorderFill);
    w.integer(r.edgeLineColour);
    w.real(r.edgeLineWidth);
    w.string(r.pictureName);
    w.byte(r.pictureCorner);
    w.real(r.posX);
    w.real(r.posY);
    w.real(r.pictureWidth);
    w.real(r.pictureHeight);
    w.flag(r.keepPictureAspect);
    w.real(r.borderTop);
    w.real(r.borderBottom);
    w.string(r.textureName);
    w.real(r.textureWidth);
    w.real(r.textureHeight);
    w.flag(r.keepTextureAspect);
    w.flag(r.grayScale);
    w.flag(r.lighten);
    w.byte(r.mergeMode);
    w.flag(r.strongLight);
    w.string(r.freeText);
    w.string(r.fontName);
    w.integer(r.fontColour);
    w.byte(r.fontCharset);
    w.integer(r.fontSize);
    w.byte(r.fontPitch);
}

class Writer {
  public:
    QByteArray bytes;

    void flag(bool on) { bytes.append(char(on ? 1 : 0)); }
    void byte(quint8 value) { bytes.append(char(value)); }
    void integer(qint32 value) {
        char buffer[4];
        qToLittleEndian(value, buffer);
        bytes.append(buffer, 4);
    }
    void real(double value) {
        char buffer[8];
        qToLittleEndian(value, buffer);
        bytes.append(buffer, 8);
    }
    void string(const QByteArray& text) {
        Q_ASSERT(text.size() <= 255);
        byte(quint8(text.size()));
        bytes.append(text);
    }
};

class Reader {
  public:
    explicit Reader(QByteArrayView bytes) : m_bytes(bytes) {}
    bool failed() const { return m_failed; }

    void flag(bool& on) {
        quint8 value = 0;
        byte(value);
        on = value != 0;
    }
    void byte(quint8& value) {
        if (const char* p = take(1))
            value = quint8(*p);
    }
    void integer(qint32& value) {
        if (const char* p = take(4))
            value = qFromLittleEndian<qint32>(p);
    }
    void real(double& value) {
        if (const char* p = take(8))
            value = qFromLittleEndian<double>(p);
    }
    void string(QByteArray& text) {
        quint8 length = 0;
        byte(length);
        if (const char* p = take(length))
            text = QByteArray(p, length);
    }

  private:
    const char* take(qsizetype count) {
        if (m_failed || m_bytes.size() - m_position < count) {
            m_failed = true;
            return nullptr;
        }
        const char* p = m_bytes.data() + m_position;
        m_position += count;
        return p;
    }

    QByteArrayView m_bytes;
    qsizetype m_position = 0;
    bool m_failed = false;
};

} // namespace

QByteArray encodeDocumentRecord(const DocumentRecord& record) {
    Writer writer;
    walkFields(writer, record);
    return writer.bytes;
}

std::optional<DocumentRecord> decodeDocumentRecord(QByteArrayView bytes) {
    DocumentRecord record;
    Reader reader(bytes);
    walkFields(reader, record);
    if (reader.failed())
        return std::nullopt;
    return record;
}
