#pragma once

#include <QtGlobal>

#include <algorithm>
#include <vector>

// Decodes a GIF frame's LZW data, held in sub-blocks of at most 255 bytes each, into rows of
// palette indices handed over one at a time.
class GifLzwRows {
  public:
    // How the data ended: after the rows asked for, at the end code or the last sub-block
    // before them, at the file's end, or at a code that cannot come where it does.
    enum class Ending { Complete, EndCode, FileEnded, BadCode };

    // `data` starts at the first sub-block's length byte and runs to the file's end;
    // `minCodeBits` is 1 to 12.
    GifLzwRows(const uchar* data, const uchar* end, int minCodeBits, int rowWidth);

    // Decodes until `rows` rows are whole or the data stops, calling `row(index, pixels)` for
    // each whole row; what the last row holds when the data stops is left in `partialRow()`.
    template <typename RowSink> Ending decode(int rows, RowSink&& row);

    // The pixels of the row the data stopped in: `partialPixels()` of them.
    const uchar* partialRow() const { return m_row.data(); }
    int partialPixels() const { return m_held; }

  private:
    static constexpr int kMaxCodes = 4096;

    void reset();
    // Tops up the bits held from the sub-blocks; false when a whole code is not there.
    bool refill();
    // The next code: the string of `previous` and one more index.
    void define(int previous, uchar last) {
        m_prefix[size_t(m_next)] = quint16(previous);
        m_length[size_t(m_next)] = quint16(m_length[size_t(previous)] + 1);
        m_first[size_t(m_next)] = m_first[size_t(previous)];
        m_last[size_t(m_next)] = last;
        ++m_next;
    }
    // Writes the string of `code` after the held pixels, last index first.
    void put(int code) {
        const int length = m_length[size_t(code)];
        uchar* out = m_row.data() + m_held + length;
        for (int i = 0; i < length; ++i) {
            *--out = m_last[size_t(code)];
            code = m_prefix[size_t(code)];
        }
        m_held += length;
    }

    const uchar* m_data;
    const uchar* m_end;
    int m_blockLeft = 0;
    bool m_lastBlock = false; // the sub-block of length 0 that closes the data was read
    quint64 m_bits = 0;
    int m_bitCount = 0;

    const int m_minCodeBits;
    const int m_clear;
    int m_codeBits = 0;
    int m_next = 0;
    // Each code's string is its prefix's string and one more index.
    std::vector<quint16> m_prefix;
    std::vector<quint16> m_length;
    std::vector<uchar> m_last;
    std::vector<uchar> m_first;

    const int m_width;
    std::vector<uchar> m_row; // a row and room for the longest string beyond it
    int m_held = 0;
};

template <typename RowSink> GifLzwRows::Ending GifLzwRows::decode(int rows, RowSink&& row) {
    const int end = m_clear + 1;
    int done = 0;
    int previous = -1;
    reset();
    while (done < rows) {
        if (m_bitCount < m_codeBits && !refill())
            return m_lastBlock ? Ending::EndCode : Ending::FileEnded;
        const int code = int(m_bits & ((1u << m_codeBits) - 1));
        m_bits >>= m_codeBits;
        m_bitCount -= m_codeBits;
        if (code == m_clear) {
            reset();
            previous = -1;
            continue;
        }
        if (code == end)
            return Ending::EndCode;
        if (previous < 0) {
            if (code > m_clear)
                return Ending::BadCode;
            m_row[size_t(m_held++)] = uchar(code);
        } else if (code < m_next) {
            if (m_next < kMaxCodes)
                define(previous, m_first[size_t(code)]);
            put(code);
        } else if (code == m_next && m_next < kMaxCodes) {
            // The code being defined: the previous string and its own first index.
            define(previous, m_first[size_t(previous)]);
            put(code);
        } else {
            return Ending::BadCode;
        }
        if (m_next == 1 << m_codeBits && m_codeBits < 12)
            ++m_codeBits;
        previous = code;
        const uchar* at = m_row.data();
        while (m_held >= m_width && done < rows) {
            row(done++, at);
            at += m_width;
            m_held -= m_width;
        }
        if (at != m_row.data())
            std::copy(at, at + m_held, m_row.data());
    }
    return Ending::Complete;
}
