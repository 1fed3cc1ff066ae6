#pragma once

#include "evidence/EvidenceFiles.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstring>
#include <memory>

namespace vc {

// Read-only access to a cache index file by offset. Reads go through a small
// cache of whole pages, so the many small reads of a walk (4 bytes here, 8
// there, strings byte by byte) cost no system call each, and memory stays the
// size of the cache however large the file is. The first page (header and
// sub-folder names) keeps a slot of its own, because every record looks up
// its folder name there. Bytes beyond the real end of the file, or at a
// negative offset, read as zero. The file is read through the evidence's
// files (this machine's folders unless given) by positioned reads, so a
// file inside a disk image is read in place, never copied whole.
class IndexFileReader {
public:
    static constexpr int kPageSize = 16384;
    static constexpr int kPageSlots = 64;

    explicit IndexFileReader(const QString& fileName,
                             const EvidenceFiles& files = localEvidenceFiles());

    // Opens read-only; false when the file cannot be opened.
    bool open();
    bool isOpen() const { return m_reader != nullptr; }
    void close();
    QString errorString() const { return m_error; }

    // Real length of the file in bytes.
    qint64 realSize() const { return m_realSize; }

    // Copies count bytes at offset into out (zeros where the file has none).
    // Inline for the common case, a read inside the page read last, so that
    // the fixed-size reads of a walk copy without a call.
    void ReadAt(qint64 offset, int count, unsigned char* out) {
        const quint64 inCurrent = quint64(offset - m_bufferStart);
        if (count >= 0 && inCurrent < quint64(m_bufferLength) &&
            inCurrent + quint64(count) <= quint64(m_bufferLength)) {
            std::memcpy(out, m_bufferData + inCurrent, size_t(count));
            return;
        }
        readSlow(offset, count, out);
    }
    // One byte; 0 beyond the file.
    unsigned char byteAt(qint64 offset) {
        const quint64 d = quint64(offset - m_bufferStart);
        if (d < quint64(m_bufferLength))
            return m_bufferData[d];
        return byteAtSlow(offset);
    }

    // The bytes from start up to the first zero byte, ending before end and
    // after at most maxLength bytes; a byte beyond the file counts as zero.
    QByteArray textAt(qint64 start, qint64 end, qsizetype maxLength);
    // The same text written at out, which has room for the smallest of
    // maxLength, end - start and the bytes from start to the end of the file;
    // returns its length.
    qsizetype textInto(qint64 start, qint64 end, qsizetype maxLength, char* out);
    // Bytes examined by textAt since the file was opened.
    qint64 textBytesRead() const { return m_textBytesRead; }

private:
    bool fill(qint64 offset);
    unsigned char byteAtSlow(qint64 offset);
    void readSlow(qint64 offset, int count, unsigned char* out);

    const EvidenceFiles& m_files;
    QByteArray m_path;
    std::unique_ptr<EvidenceReader> m_reader; // nullptr when closed
    QString m_error;
    qint64 m_realSize = 0;
    // kPageSlots pages; slot 0 always holds page 0.
    QByteArray m_buffer;
    std::array<qint64, kPageSlots> m_slotPage{};
    // The page used last: the fast path of byteAt.
    const unsigned char* m_bufferData = nullptr;
    qint64 m_bufferStart = -1;
    qint64 m_bufferLength = 0;
    qint64 m_textBytesRead = 0;
};

} // namespace vc
