#include "output/media_box_stream.h"

#include <algorithm>

namespace {

// Writes of this size keep the system calls few without holding much.
constexpr qsizetype kSendBytes = 256 * 1024;

} // namespace

MediaBoxStream::MediaBoxStream(QIODevice& target, QByteArray written, QByteArray exact)
    : m_target(target), m_written(std::move(written)), m_exact(std::move(exact)) {
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 MediaBoxStream::writeData(const char* data, qint64 size) {
    m_held.append(data, size);
    cutBoxes();
    if (m_held.size() >= kSendBytes)
        send(m_searchFrom);
    return size;
}

void MediaBoxStream::cutBoxes() {
    if (m_written.isEmpty()) {
        m_searchFrom = m_held.size();
        return;
    }
    for (qsizetype at = m_held.indexOf(m_written, m_searchFrom); at >= 0;
         at = m_held.indexOf(m_written, m_searchFrom)) {
        m_held.replace(at, m_written.size(), m_exact);
        m_searchFrom = at + m_exact.size();
        ++m_boxesCut;
    }
    // The last bytes may be the start of a box that the next write completes.
    m_searchFrom = std::max(m_searchFrom, m_held.size() - (m_written.size() - 1));
}

void MediaBoxStream::send(qsizetype byteCount) {
    if (byteCount <= 0)
        return;
    if (!m_failed && m_target.write(m_held.constData(), byteCount) != byteCount)
        m_failed = true;
    m_held.remove(0, byteCount);
    m_searchFrom = std::max<qsizetype>(0, m_searchFrom - byteCount);
}

void MediaBoxStream::finish() {
    send(m_held.size());
}
