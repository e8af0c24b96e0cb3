#include "picture/png_chunks.h"

#include "picture/decoded_picture.h"

namespace {

constexpr QByteArrayView kSignature("\x89PNG\r\n\x1a\n", 8);
constexpr qint64 kLengthAndType = 8, kCrc = 4;

// Whether the decoder is given the chunk of this type. Every critical chunk is, known or not,
// so that the decoder refuses what it cannot read as before. Of the others, those that Qt
// reads into the image it makes and that have a small fixed size: transparency, which changes
// pixels, and the colour space, resolution and offset, which it hands on when the picture is
// written again. Text, profiles, suggested palettes, Exif and unknown chunks are left out.
bool passedOn(QByteArrayView type) {
    const bool critical = !(type[0] & 0x20);
    return critical || type == "tRNS" || type == "gAMA" || type == "cHRM" || type == "sRGB" ||
           type == "pHYs" || type == "oFFs";
}

} // namespace

PngWithoutExtras::PngWithoutExtras(QIODevice& source)
    : m_source(source), m_sourceSize(source.size()) {
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    restart();
    for (Run run = m_run;; run = runFrom(run.end)) {
        m_size += run.end - run.begin;
        if (run.end >= m_sourceSize)
            break;
    }
}

bool PngWithoutExtras::seek(qint64 pos) {
    if (!QIODevice::seek(pos))
        return false;
    if (pos < m_at)
        restart();
    skip(pos - m_at);
    return true;
}

qint64 PngWithoutExtras::readData(char* data, qint64 maxSize) {
    qint64 n = 0;
    while (n < maxSize && toBytesLeft()) {
        const qint64 count = qMin(maxSize - n, m_run.end - m_runAt);
        if (!readSource(m_runAt, data + n, count))
            return n > 0 ? n : -1;
        m_runAt += count, m_at += count, n += count;
    }
    return n;
}

PngWithoutExtras::Run PngWithoutExtras::runFrom(qint64 at) {
    using picture_decoding::be32;
    while (at < m_sourceSize) {
        uchar header[kLengthAndType];
        if (m_sourceSize - at < kLengthAndType + kCrc ||
            !readSource(at, reinterpret_cast<char*>(header), kLengthAndType))
            return {at, m_sourceSize};
        const qint64 length = be32(header);
        // The format allows no chunk of 2^31 bytes or more.
        if (length > 0x7fffffff || length > m_sourceSize - at - kLengthAndType - kCrc)
            return {at, m_sourceSize};
        const QByteArrayView type(reinterpret_cast<const char*>(header) + 4, 4);
        if (type == "IEND")
            return {at, m_sourceSize};
        const qint64 end = at + kLengthAndType + length + kCrc;
        if (passedOn(type))
            return {at, end};
        at = end;
    }
    return {at, at};
}

bool PngWithoutExtras::readSource(qint64 at, char* data, qint64 count) {
    if (m_source.pos() != at && !m_source.seek(at))
        return false;
    return m_source.read(data, count) == count;
}

void PngWithoutExtras::restart() {
    char signature[kSignature.size()];
    const bool png = readSource(0, signature, kSignature.size()) &&
                     QByteArrayView(signature, kSignature.size()) == kSignature;
    m_run = {0, png ? kSignature.size() : m_sourceSize};
    m_runAt = 0;
    m_at = 0;
}

bool PngWithoutExtras::toBytesLeft() {
    while (m_runAt == m_run.end) {
        if (m_run.end >= m_sourceSize)
            return false;
        m_run = runFrom(m_run.end);
        m_runAt = m_run.begin;
    }
    return true;
}

void PngWithoutExtras::skip(qint64 count) {
    while (count > 0 && toBytesLeft()) {
        const qint64 step = qMin(count, m_run.end - m_runAt);
        m_runAt += step, m_at += step, count -= step;
    }
}
