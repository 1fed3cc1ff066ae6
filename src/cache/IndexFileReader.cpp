#include "cache/IndexFileReader.h"

#include <algorithm>
#include <cstring>

namespace vc {

IndexFileReader::IndexFileReader(const QString& fileName, const EvidenceFiles& files)
    : m_files(files), m_path(EvidenceFiles::pathBytes(fileName)) {}

bool IndexFileReader::open() {
    close();
    // The page cache below is the only buffer. The walk leaves the file's
    // access time as it was.
    m_error.clear();
    m_reader = m_files.open(m_path, &m_error);
    if (!m_reader) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("cannot be opened");
        return false;
    }
    m_realSize = std::max<qint64>(0, m_reader->size());
    m_buffer = QByteArray(qsizetype(kPageSize) * kPageSlots, '\0');
    m_slotPage.fill(-1);
    m_bufferData = nullptr;
    m_bufferStart = -1;
    m_bufferLength = 0;
    m_textBytesRead = 0;
    return true;
}

void IndexFileReader::close() {
    m_reader.reset();
    m_realSize = 0;
    m_buffer.clear();
    m_bufferData = nullptr;
    m_bufferStart = -1;
    m_bufferLength = 0;
}

// Makes the page that holds offset the current one; false when offset lies
// outside the file.
bool IndexFileReader::fill(qint64 offset) {
    if (!m_reader || offset < 0 || offset >= m_realSize)
        return false;
    const qint64 page = offset / kPageSize;
    const int slot = page == 0 ? 0 : 1 + int((page - 1) % (kPageSlots - 1));
    unsigned char* data =
        reinterpret_cast<unsigned char*>(m_buffer.data()) + qsizetype(slot) * kPageSize;
    const qint64 start = page * kPageSize;
    const qint64 length = std::min<qint64>(kPageSize, m_realSize - start);
    if (m_slotPage[slot] != page) {
        // One positioned read per page: no seek before it, and the file's
        // own position is never used.
        qint64 got = 0;
        while (got < length) {
            const qint64 n =
                m_reader->readAt(start + got, reinterpret_cast<char*>(data) + got, length - got);
            if (n <= 0)
                break;
            got += n;
        }
        // A short read (a file that shrank under us) leaves zeros.
        if (got < length)
            std::memset(data + got, 0, size_t(length - got));
        m_slotPage[slot] = page;
    }
    m_bufferData = data;
    m_bufferStart = start;
    m_bufferLength = length;
    return true;
}

unsigned char IndexFileReader::byteAtSlow(qint64 offset) {
    if (!fill(offset))
        return 0;
    return m_bufferData[offset - m_bufferStart];
}

void IndexFileReader::readSlow(qint64 offset, int count, unsigned char* out) {
    // The first page keeps its slot: every record reads its folder name
    // there, and that read leaves the record's own page the current one.
    if (count >= 0 && offset >= 0 && m_slotPage[0] == 0 &&
        offset + count <= std::min<qint64>(kPageSize, m_realSize)) {
        std::memcpy(out, m_buffer.constData() + offset, size_t(count));
        return;
    }
    int done = 0;
    while (done < count) {
        const qint64 at = offset + done;
        if (!fill(at)) {
            out[done++] = 0;
            continue;
        }
        const qint64 inPage = at - m_bufferStart;
        const int n = int(std::min<qint64>(count - done, m_bufferLength - inPage));
        std::memcpy(out + done, m_bufferData + inPage, size_t(n));
        done += n;
    }
}

QByteArray IndexFileReader::textAt(qint64 start, qint64 end, qsizetype maxLength) {
    // Room for what can be taken at most: never more than the file holds.
    const qint64 reach = std::min(end, m_realSize) - start;
    QByteArray text(qsizetype(std::clamp<qint64>(reach, 0, std::max<qsizetype>(0, maxLength))),
                    Qt::Uninitialized);
    text.truncate(textInto(start, end, maxLength, text.data()));
    return text;
}

// The bytes are copied page by page: out needs room only for what is taken,
// at most the smallest of maxLength, end - start and what the file holds.
qsizetype IndexFileReader::textInto(qint64 start, qint64 end, qsizetype maxLength, char* out) {
    if (start < 0 || maxLength <= 0)
        return 0;
    end = std::min({end, start + qint64(maxLength), m_realSize});
    qint64 at = start;
    while (at < end && fill(at)) {
        const qint64 inPage = at - m_bufferStart;
        const qint64 n = std::min(end, m_bufferStart + m_bufferLength) - at;
        const unsigned char* from = m_bufferData + inPage;
        const void* zero = std::memchr(from, 0, size_t(n));
        const qint64 taken = zero ? static_cast<const unsigned char*>(zero) - from : n;
        std::memcpy(out + (at - start), from, size_t(taken));
        at += taken;
        if (zero)
            break;
    }
    m_textBytesRead += at - start + 1;
    return qsizetype(at - start);
}

} // namespace vc
