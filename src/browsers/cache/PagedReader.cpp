#include "browsers/cache/PagedReader.h"

#include <cstring>

namespace vc {

PagedReader::PagedReader(std::unique_ptr<EvidenceReader> file) : m_file(std::move(file)) {}

const PagedReader::Page* PagedReader::page(qint64 start) {
    Page* oldest = &m_pages[0];
    for (Page& p : m_pages) {
        if (p.start == start) {
            p.used = ++m_clock;
            return &p;
        }
        if (p.used < oldest->used)
            oldest = &p;
    }
    oldest->bytes.resize(qsizetype(kPageSize));
    // Up to the size the file had when it was opened: no call to learn
    // that the end is reached.
    const qint64 want = qBound<qint64>(0, m_file->size() - start, kPageSize);
    qint64 have = 0;
    while (have < want) {
        const qint64 n = m_file->readAt(start + have, oldest->bytes.data() + have, want - have);
        if (n < 0) {
            oldest->start = -1;
            oldest->used = 0;
            return nullptr;
        }
        if (n == 0)
            break;
        have += n;
    }
    oldest->bytes.truncate(qsizetype(have));
    oldest->start = start;
    oldest->used = ++m_clock;
    return oldest;
}

qint64 PagedReader::readAt(qint64 offset, char* out, qint64 count) {
    if (offset < 0 || count < 0)
        return -1;
    qint64 done = 0;
    while (done < count) {
        const qint64 at = offset + done;
        const qint64 start = at - at % kPageSize;
        const Page* p = page(start);
        if (!p)
            return done > 0 ? done : -1;
        const qint64 inPage = at - start;
        if (inPage >= p->bytes.size())
            break; // the file's end
        const qint64 n = qMin(count - done, qint64(p->bytes.size()) - inPage);
        std::memcpy(out + done, p->bytes.constData() + inPage, size_t(n));
        done += n;
    }
    return done;
}

} // namespace vc
