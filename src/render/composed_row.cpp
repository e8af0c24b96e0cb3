#include "render/composed_row.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

ComposedRow::ComposedRow(quint32* target, int width, const std::vector<RowSource>& sources,
                         quint32* aside, quint8* marks)
    : m_target(target), m_width(width), m_sources(sources), m_aside(aside), m_marks(marks) {
    const int toBoundary = int((16 - (reinterpret_cast<quintptr>(target) & 15)) & 15) / 4;
    m_head = std::min(toBoundary, width);
    m_groups = (width - m_head) / 4;
    copyFromSources(0, m_head);
    copyFromSources(m_head + 4 * m_groups, width);
    // A group that two sources share cannot be copied from either alone.
    for (size_t i = 0; i + 1 < sources.size(); ++i) {
        const int change = sources[i].end;
        if ((change - m_head) % 4 != 0)
            takeAside(change, change + 1);
    }
}

void ComposedRow::copyFromSources(int first, int end) {
    // The sources lie in order: the first one that ends after `first` is found by halving.
    auto source = std::upper_bound(m_sources.begin(), m_sources.end(), first,
                                   [](int x, const RowSource& s) { return x < s.end; });
    for (; source != m_sources.end() && source->start < end; ++source) {
        const int from = std::max(first, source->start);
        const int to = std::min(end, source->end);
        std::copy_n(source->pixels + (from - source->start), to - from, m_aside + from);
    }
}

void ComposedRow::takeAside(int first, int end) {
    if (first < m_head)
        first = m_head;
    const int groupsEnd = m_head + 4 * m_groups;
    if (end > groupsEnd)
        end = groupsEnd;
    if (first >= end)
        return;
    // The groups not yet aside, in runs that are copied at once.
    const int last = (end - 1 - m_head) / 4;
    for (int k = (first - m_head) / 4; k <= last;) {
        if (m_marks[k] != 0) {
            ++k;
            continue;
        }
        const int runFirst = k;
        while (k <= last && m_marks[k] == 0)
            m_marks[k++] = 1;
        copyFromSources(m_head + 4 * runFirst, m_head + 4 * k);
    }
}

namespace {

// Groups of four pixels from `from` to `to`, which lies on a 16-byte boundary.
template <bool streaming> void storeGroups(const quint32* from, quint32* to, int groups) {
#if defined(__SSE2__)
    for (int k = 0; k < groups; ++k, from += 4, to += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        if constexpr (streaming)
            _mm_stream_si128(reinterpret_cast<__m128i*>(to), v);
        else
            _mm_store_si128(reinterpret_cast<__m128i*>(to), v);
    }
#else
    std::copy_n(from, 4 * groups, to);
#endif
}

} // namespace

void ComposedRow::write(bool streaming) {
    const auto store = streaming ? storeGroups<true> : storeGroups<false>;
    std::copy_n(m_aside, m_head, m_target);
    auto source = m_sources.begin();
    for (int k = 0; k < m_groups;) {
        const auto* mark =
            static_cast<const quint8*>(std::memchr(m_marks + k, 1, size_t(m_groups - k)));
        const int marked = mark ? int(mark - m_marks) : m_groups;
        // Up to there straight from the sources. A source that ends among these groups ends
        // between two of them, or the group across its end would be aside.
        for (int x = m_head + 4 * k, end = m_head + 4 * marked; x < end;) {
            while (source->end <= x)
                ++source;
            const int to = std::min(end, source->end);
            store(source->pixels + (x - source->start), m_target + x, (to - x) / 4);
            x = to;
        }
        for (k = marked; k < m_groups && m_marks[k] != 0; ++k)
            m_marks[k] = 0;
        const int x = m_head + 4 * marked;
        store(m_aside + x, m_target + x, k - marked);
    }
    const int tail = m_head + 4 * m_groups;
    std::copy_n(m_aside + tail, m_width - tail, m_target + tail);
}
