#include "output/vector_pdf_stream.h"

#include "output/pdf_colour_operators.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// The writer ends a dictionary, a stream and an object each in these words.
constexpr QByteArrayView kStreamStart = ">>\nstream\n";
constexpr QByteArrayView kStreamEnd = "endstream\nendobj\n";
constexpr QByteArrayView kObjectEnd = "endobj\n";

// The number of the object that `key` refers to in `dictionary`; -1 if it refers to none.
int reference(const QByteArray& dictionary, const QString& key) {
    const QRegularExpression pattern(key + QStringLiteral(R"(\s+\[?\s*(\d+)\s+0\s+R)"));
    const QRegularExpressionMatch match = pattern.match(QLatin1String(dictionary));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

bool has(const QByteArray& dictionary, const char* pattern) {
    return QRegularExpression(QLatin1String(pattern)).match(QLatin1String(dictionary)).hasMatch();
}

} // namespace

VectorPdfStream::VectorPdfStream(QIODevice& target) : m_target(target) {
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 VectorPdfStream::writeData(const char* data, qint64 size) {
    m_held.append(data, size);
    passWhole();
    return size;
}

void VectorPdfStream::finish() {
    passWhole();
    send(m_held);
    m_held.clear();
}

void VectorPdfStream::send(const QByteArray& bytes) {
    if (!m_failed && m_target.write(bytes) != bytes.size())
        m_failed = true;
    m_sent += bytes.size();
}

void VectorPdfStream::passWhole() {
    static const QRegularExpression objectStart(QStringLiteral(R"(^(\d+) \d+ obj$)"));
    for (;;) {
        const qsizetype lineEnd = m_held.indexOf('\n');
        if (lineEnd < 0)
            return;
        const QLatin1String line(m_held.constData(), lineEnd);
        if (line == QLatin1String("xref")) {
            if (!m_held.contains("%%EOF"))
                return;
            send(index());
            m_held.remove(0, m_held.indexOf("%%EOF"));
            continue;
        }
        if (const QRegularExpressionMatch start = objectStart.match(line); start.hasMatch()) {
            const qsizetype length = objectLength();
            if (length == 0)
                return;
            const int number = start.captured(1).toInt();
            if (number >= int(m_offsets.size()))
                m_offsets.resize(size_t(number) + 1, -1);
            m_offsets[size_t(number)] = m_sent;
            send(finishedObject(number, m_held.left(length)));
            m_held.remove(0, length);
            continue;
        }
        send(m_held.left(lineEnd + 1));
        m_held.remove(0, lineEnd + 1);
    }
}

// An object with a stream is told by its dictionary's end, which comes before any of its data:
// the data may hold any bytes, also those that end an object. The data of a large picture
// comes in many writes, and is searched only once for its end.
qsizetype VectorPdfStream::objectLength() {
    if (m_dataStart == 0) {
        const qsizetype objectEnd = m_held.indexOf(kObjectEnd);
        const qsizetype streamStart = m_held.indexOf(kStreamStart);
        if (streamStart < 0 || (objectEnd >= 0 && objectEnd < streamStart))
            return objectEnd < 0 ? 0 : objectEnd + kObjectEnd.size();
        m_dataStart = m_searchFrom = streamStart + kStreamStart.size();
    }
    const qsizetype end = m_held.indexOf(kStreamEnd, m_searchFrom);
    if (end < 0) {
        m_searchFrom = std::max(m_dataStart, m_held.size() - kStreamEnd.size() + 1);
        return 0;
    }
    m_dataStart = 0;
    return end + kStreamEnd.size();
}

QByteArray VectorPdfStream::finishedObject(int number, QByteArray object) {
    const qsizetype streamStart = object.indexOf(kStreamStart);
    const QByteArray dictionary = streamStart < 0 ? object : object.left(streamStart);
    if (has(dictionary, R"(/Type\s*/Page\s)")) {
        if (const int contents = reference(dictionary, QStringLiteral("/Contents")); contents >= 0)
            m_contents.insert(contents);
        return object;
    }
    if (m_contents.contains(number) && streamStart >= 0)
        return finishedContents(object);
    if (const auto length = m_lengths.constFind(number); length != m_lengths.cend())
        return object.left(object.indexOf('\n') + 1) + QByteArray::number(*length) + "\nendobj\n";
    if (has(dictionary, R"(/Type\s*/FontDescriptor\s)")) {
        static const QRegularExpression tagged(QStringLiteral(R"(/FontName\s*/([A-Z]{6}\+\S+))"));
        if (const auto name = tagged.match(QLatin1String(dictionary)); name.hasMatch())
            m_fontNames.insert(number, name.captured(1).toLatin1());
        return object;
    }
    if (has(dictionary, R"(/Type\s*/Font\s)"))
        return finishedFont(number, object);
    return object;
}

// The writer compresses its pages' drawing, and gives its length in an object that follows.
QByteArray VectorPdfStream::finishedContents(const QByteArray& object) {
    const qsizetype dataStart = object.indexOf(kStreamStart) + kStreamStart.size();
    qsizetype dataEnd = object.size() - kStreamEnd.size();
    if (object[dataEnd - 1] == '\n')
        --dataEnd;
    QByteArray dictionary = object.left(dataStart);
    const bool compressed = dictionary.contains("/Filter /FlateDecode");
    if (dictionary.contains("/DecodeParms") || (!compressed && dictionary.contains("/Filter")))
        return object;
    const int lengthObject = reference(dictionary, QStringLiteral("/Length"));
    if (lengthObject < 0 || m_lengths.contains(lengthObject) ||
        (size_t(lengthObject) < m_offsets.size() && m_offsets[size_t(lengthObject)] >= 0))
        return object;
    QByteArray data = object.mid(dataStart, dataEnd - dataStart);
    if (compressed) {
        // The inflater takes the length it is to expect first; it grows beyond a short guess.
        const quint32 guess = quint32(data.size()) * 4;
        const char expected[4] = {char(guess >> 24), char(guess >> 16), char(guess >> 8),
                                  char(guess)};
        data = qUncompress(QByteArray(expected, 4) + data);
        if (data.isEmpty())
            return object;
    }
    const std::optional<QByteArray> finished = withGreysAsGrey(data);
    if (!finished)
        return object;
    data = compressed ? qCompress(*finished).mid(4) : *finished;
    m_lengths.insert(lengthObject, data.size());
    return dictionary + data + '\n' + kStreamEnd.toByteArray();
}

// The writer names a subset by its tag in the descriptor only; the font and the font that
// holds it are named so too. The descriptor comes before either.
QByteArray VectorPdfStream::finishedFont(int number, const QByteArray& object) {
    static const QRegularExpression baseFont(QStringLiteral(R"(/BaseFont\s*/([^\s/\[\]<>()]+))"));
    const QRegularExpressionMatch base = baseFont.match(QLatin1String(object));
    if (!base.hasMatch())
        return object;
    int named = reference(object, QStringLiteral("/FontDescriptor"));
    if (named < 0)
        named = reference(object, QStringLiteral("/DescendantFonts"));
    const QByteArray tagged = m_fontNames.value(named);
    const QByteArray name = base.captured(1).toLatin1();
    if (tagged.isEmpty() || !tagged.endsWith('+' + name))
        return object;
    m_fontNames.insert(number, tagged);
    QByteArray finished = object;
    finished.replace(base.capturedStart(1), base.capturedLength(1), tagged);
    return finished;
}

// Every object keeps its number; only the offsets are new, and the trailer is kept.
QByteArray VectorPdfStream::index() const {
    static const QRegularExpression header(QStringLiteral(R"(^xref\n0 (\d+)\n)"));
    const QRegularExpressionMatch count = header.match(QLatin1String(m_held));
    const qsizetype trailer = m_held.indexOf("trailer");
    const qsizetype startOfIndex = m_held.indexOf("startxref");
    if (!count.hasMatch() || trailer < 0 || startOfIndex < trailer)
        return m_held.left(m_held.indexOf("%%EOF"));
    const int objects = count.captured(1).toInt();
    QByteArray index = "xref\n0 " + QByteArray::number(objects) + "\n0000000000 65535 f \n";
    for (int number = 1; number < objects; ++number) {
        const qint64 offset =
            size_t(number) < m_offsets.size() ? m_offsets[size_t(number)] : qint64(-1);
        index += offset < 0 ? QByteArray("0000000000 65535 f \n")
                            : QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    }
    return index + m_held.mid(trailer, startOfIndex - trailer) + "startxref\n" +
           QByteArray::number(m_sent) + '\n';
}
