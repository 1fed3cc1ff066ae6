#include "browsers/cache/ChromeResponseInfo.h"

#include "browsers/cache/CacheBytes.h"
#include "browsers/cache/HttpHeaders.h"

namespace vc {

namespace {

using namespace cache_bytes;

constexpr quint32 kVersionMask = 0xFF;
constexpr quint32 kTruncated = 1u << 12;
constexpr quint32 kHasExtraFlags = 1u << 31;
constexpr quint32 kExtraHasOriginalResponseTime = 1u << 2;

// Reads the fields of a pickle's payload in turn; each field starts on a
// multiple of four bytes.
class PickleFields {
public:
    explicit PickleFields(QByteArrayView payload) : m_payload(payload) {}
    bool u32(quint32& value) {
        if (!fits(m_payload, m_at, 4))
            return false;
        value = le32(m_payload, m_at);
        m_at += 4;
        return true;
    }
    bool i64(qint64& value) {
        if (!fits(m_payload, m_at, 8))
            return false;
        value = les64(m_payload, m_at);
        m_at += 8;
        return true;
    }
    bool text(QByteArrayView& value) {
        quint32 length = 0;
        if (!u32(length) || !fits(m_payload, m_at, length))
            return false;
        value = m_payload.sliced(m_at, length);
        m_at += (qint64(length) + 3) & ~qint64(3);
        return true;
    }

private:
    QByteArrayView m_payload;
    qint64 m_at = 0;
};

} // namespace

ChromeResponseInfo parseChromeResponseInfo(QByteArrayView pickle) {
    ChromeResponseInfo info;
    const quint32 payloadSize = le32(pickle, 0);
    if (!fits(pickle, 4, payloadSize))
        return info;
    PickleFields fields(pickle.sliced(4, payloadSize));
    quint32 extra = 0;
    if (!fields.u32(info.flags))
        return info;
    if ((info.flags & kHasExtraFlags) && !fields.u32(extra))
        return info;
    info.version = int(info.flags & kVersionMask);
    info.truncated = info.flags & kTruncated;
    if (!fields.i64(info.requestTime) || !fields.i64(info.responseTime))
        return info;
    if ((extra & kExtraHasOriginalResponseTime) && !fields.i64(info.originalResponseTime))
        return info;
    QByteArrayView raw;
    if (!fields.text(raw))
        return info;
    info.headers = headerLinesFromZeroSeparated(raw);
    info.valid = true;
    return info;
}

} // namespace vc
