#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace vc {

// Read-only access to a cache index file by offset. Reads go through a
// buffer of whole pages, so the many small reads of a walk (4 bytes here, 8
// there, strings byte by byte) cost no system call each, and memory stays the
// size of the buffer however large the file is. Bytes beyond the real end of
// the file, or at a negative offset, read as zero.
class IndexFileReader {
public:
    explicit IndexFileReader(const QString& fileName);

    // Opens read-only; false when the file cannot be opened.
    bool open();
    bool isOpen() const { return m_file.isOpen(); }
    void close();
    QString errorString() const { return m_file.errorString(); }

    // Real length of the file in bytes.
    qint64 realSize() const { return m_realSize; }

    // Copies count bytes at offset into out (zeros where the file has none).
    void ReadAt(qint64 offset, int count, unsigned char* out);
    // One byte; 0 beyond the file.
    unsigned char byteAt(qint64 offset);

private:
    bool fill(qint64 offset);

    QFile m_file;
    qint64 m_realSize = 0;
    QByteArray m_buffer;
    qint64 m_bufferStart = -1;
    qint64 m_bufferLength = 0;
};

} // namespace vc
