#pragma once

#include <QByteArrayView>

#include <memory>

namespace vc {

// The texts of one record's seven fields, laid end to end in one array that
// keeps its room from record to record. The decoders write each field once,
// straight from the file's pages and the time formatter, instead of going
// through a growing array per field; the fields are read back as views,
// valid until the next record is begun.
class RecordText {
public:
    static constexpr int kFields = 7;

    // Empties every field for the next record.
    void clear() {
        m_used = 0;
        for (int f = 0; f < kFields; ++f)
            m_length[f] = 0;
    }

    // Room for up to n bytes of field f at the end of the array; the field
    // is what commit then says was written there.
    char* room(qsizetype n);
    void commit(int f, qsizetype written) {
        m_start[f] = m_used;
        m_length[f] = written;
        m_used += written;
    }

    // Field f as a copy of the bytes given (which must not lie in this array).
    void set(int f, const char* data, qsizetype n);
    // Field to as a copy of field from.
    void copy(int to, int from);
    // Cuts field f to its first n bytes.
    void truncate(int f, qsizetype n) {
        if (n < m_length[f])
            m_length[f] = n;
    }

    char* data(int f) { return m_bytes.get() + m_start[f]; }
    qsizetype size(int f) const { return m_length[f]; }
    QByteArrayView view(int f) const {
        return QByteArrayView(m_bytes.get() + m_start[f], m_length[f]);
    }

private:
    std::unique_ptr<char[]> m_bytes;
    qsizetype m_capacity = 0;
    qsizetype m_used = 0;
    qsizetype m_start[kFields] = {};
    qsizetype m_length[kFields] = {};
};

} // namespace vc
