#include "cache/RecordText.h"

#include <algorithm>
#include <cstring>

namespace vc {

char* RecordText::room(qsizetype n) {
    if (m_capacity - m_used < n) {
        // Doubled, so a walk grows the array a few times and then never.
        const qsizetype capacity = std::max(2 * m_capacity, m_used + n);
        std::unique_ptr<char[]> bytes(new char[size_t(capacity)]);
        if (m_used > 0)
            std::memcpy(bytes.get(), m_bytes.get(), size_t(m_used));
        m_bytes = std::move(bytes);
        m_capacity = capacity;
    }
    return m_bytes.get() + m_used;
}

void RecordText::set(int f, const char* data, qsizetype n) {
    char* to = room(n);
    if (n > 0)
        std::memcpy(to, data, size_t(n));
    commit(f, n);
}

void RecordText::copy(int to, int from) {
    const qsizetype n = m_length[from];
    char* into = room(n);
    // The source is read after the room is made: making it may move the array.
    if (n > 0)
        std::memcpy(into, m_bytes.get() + m_start[from], size_t(n));
    commit(to, n);
}

} // namespace vc
