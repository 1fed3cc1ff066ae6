#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <algorithm>
#include <cstring>
#include <memory>

namespace vc {

// A growing buffer of bytes whose appends cost a copy and no more (the
// exports append a few dozen pieces per event; QByteArray's append goes
// through its general insert). Emptied, it keeps its room; grown, its new
// room is not filled first.
class ByteBuffer {
public:
    void append(const char* s, qsizetype n) {
        if (n <= 0)
            return;
        ensure(n);
        std::memcpy(m_bytes.get() + m_size, s, size_t(n));
        m_size += n;
    }
    void append(const char* s) { append(s, qsizetype(std::strlen(s))); }
    void append(QByteArrayView v) { append(v.data(), v.size()); }
    void append(const QByteArray& v) { append(v.constData(), v.size()); }
    void append(const ByteBuffer& v) { append(v.constData(), v.size()); }
    void append(char c) {
        ensure(1);
        m_bytes[size_t(m_size++)] = c;
    }
    // Room for n more bytes at end(); commit(k) takes k of them.
    char* end(qsizetype n) {
        ensure(n);
        return m_bytes.get() + m_size;
    }
    void commit(qsizetype n) { m_size += n; }

    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    const char* constData() const { return m_bytes.get(); }
    char* data() { return m_bytes.get(); }
    void truncate(qsizetype n) { m_size = std::min(m_size, std::max<qsizetype>(0, n)); }
    void clear() { m_size = 0; }
    void reserve(qsizetype n) {
        if (n > m_capacity)
            grow(n - m_size);
    }
    operator QByteArrayView() const { return QByteArrayView(m_bytes.get(), m_size); }

private:
    void ensure(qsizetype n) {
        if (m_capacity - m_size < n)
            grow(n);
    }
    void grow(qsizetype n) {
        const qsizetype capacity = std::max(m_size + n, std::max<qsizetype>(256, m_capacity * 2));
        auto bytes = std::make_unique_for_overwrite<char[]>(size_t(capacity));
        if (m_size > 0)
            std::memcpy(bytes.get(), m_bytes.get(), size_t(m_size));
        m_bytes = std::move(bytes);
        m_capacity = capacity;
    }

    std::unique_ptr<char[]> m_bytes;
    qsizetype m_size = 0;
    qsizetype m_capacity = 0;
};

} // namespace vc
