#include "output/chunked_output.h"

#include <algorithm>

ChunkedOutput::ChunkedOutput(QIODevice& device)
    : m_device(device), m_chunk(std::make_unique_for_overwrite<char[]>(kChunkBytes)),
      m_capacity(kChunkBytes) {}

char* ChunkedOutput::room(qsizetype size) {
    if (m_held + size > m_capacity)
        flush();
    if (size > m_capacity) { // a row wider than a chunk goes out as a chunk of its own
        m_chunk = std::make_unique_for_overwrite<char[]>(size_t(size));
        m_capacity = size;
    }
    char* start = m_chunk.get() + m_held;
    m_held += size;
    return start;
}

void ChunkedOutput::write(const char* data, qsizetype size) {
    while (size > 0) {
        const qsizetype part = std::min(size, m_capacity - m_held);
        std::copy_n(data, part, m_chunk.get() + m_held);
        m_held += part;
        data += part;
        size -= part;
        if (m_held == m_capacity)
            flush();
    }
}

bool ChunkedOutput::flush() {
    // After a refusal nothing more is sent: the file is given up, and a later write that
    // happened to fit would only hide the first failure.
    if (!m_failed && m_held > 0 && m_device.write(m_chunk.get(), m_held) != m_held)
        m_failed = true;
    m_held = 0;
    return !m_failed;
}

Failure ChunkedOutput::failure() const {
    if (!m_failed)
        return Failure::none();
    return Failure::because(
        QStringLiteral("Could not write the picture: %1.").arg(m_device.errorString()));
}
