#pragma once

#include <QByteArrayView>
#include <QtEndian>

namespace vc::cache_bytes {

// Numbers read from a piece of an evidence file. A field that does not lie
// wholly inside the bytes reads as 0, so that a short or cut file gives
// zeros, never a read beyond what was read.
inline bool fits(QByteArrayView bytes, qint64 offset, qint64 size) {
    return offset >= 0 && size >= 0 && offset <= bytes.size() && size <= bytes.size() - offset;
}
template <typename T> T little(QByteArrayView bytes, qint64 offset) {
    return fits(bytes, offset, sizeof(T)) ? qFromLittleEndian<T>(bytes.data() + offset) : T(0);
}
template <typename T> T big(QByteArrayView bytes, qint64 offset) {
    return fits(bytes, offset, sizeof(T)) ? qFromBigEndian<T>(bytes.data() + offset) : T(0);
}
inline quint32 le32(QByteArrayView b, qint64 at) {
    return little<quint32>(b, at);
}
inline qint32 les32(QByteArrayView b, qint64 at) {
    return little<qint32>(b, at);
}
inline quint64 le64(QByteArrayView b, qint64 at) {
    return little<quint64>(b, at);
}
inline qint64 les64(QByteArrayView b, qint64 at) {
    return little<qint64>(b, at);
}
inline quint32 be32(QByteArrayView b, qint64 at) {
    return big<quint32>(b, at);
}
// The bytes [offset, offset + size) cut to what there is.
inline QByteArrayView slice(QByteArrayView bytes, qint64 offset, qint64 size) {
    if (offset < 0 || offset >= bytes.size() || size <= 0)
        return {};
    return bytes.sliced(offset, qMin<qint64>(size, bytes.size() - offset));
}

} // namespace vc::cache_bytes
