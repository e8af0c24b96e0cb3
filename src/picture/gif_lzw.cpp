#include "picture/gif_lzw.h"

GifLzwRows::GifLzwRows(const uchar* data, const uchar* end, int minCodeBits, int rowWidth)
    : m_data(data), m_end(end), m_minCodeBits(minCodeBits), m_clear(1 << minCodeBits),
      m_prefix(kMaxCodes), m_length(kMaxCodes, 1), m_last(kMaxCodes), m_first(kMaxCodes),
      m_width(rowWidth), m_row(size_t(rowWidth) + kMaxCodes) {
    // A code below the clear code stands for itself; with a code size of 12 there are more
    // such codes than indices, and each keeps its lowest 8 bits.
    for (int code = 0; code < qMin(m_clear, kMaxCodes); ++code)
        m_last[size_t(code)] = m_first[size_t(code)] = uchar(code);
}

void GifLzwRows::reset() {
    m_codeBits = m_minCodeBits + 1;
    m_next = m_clear + 2;
}

bool GifLzwRows::refill() {
    while (m_bitCount <= 56 && !m_lastBlock) {
        if (m_blockLeft == 0) {
            if (m_data == m_end)
                break;
            m_blockLeft = *m_data++;
            m_lastBlock = m_blockLeft == 0;
            continue;
        }
        if (m_data == m_end)
            break;
        m_bits |= quint64(*m_data++) << m_bitCount;
        m_bitCount += 8;
        --m_blockLeft;
    }
    return m_bitCount >= m_codeBits;
}
