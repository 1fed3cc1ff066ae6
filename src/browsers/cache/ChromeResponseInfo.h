#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace vc {

// What Chrome keeps of a response in the first stream of a cache entry (its
// "HttpResponseInfo", a pickle): the times of the request and the response,
// and the status line and headers. Both cache formats hold it.
struct ChromeResponseInfo {
    bool valid = false; // the pickle could be read up to the headers
    int version = 0;    // the low byte of the flags
    quint32 flags = 0;
    bool truncated = false; // the browser stopped before the body was whole
    // Microseconds since 1601 UTC (0: not stored).
    qint64 requestTime = 0;
    qint64 responseTime = 0;
    qint64 originalResponseTime = 0;
    QByteArray headers; // as headerLinesFromZeroSeparated gives them
};

// Reads the pickle: a 32-bit payload size, then the payload (flags, extra
// flags when bit 31 says so, request and response times, the original
// response time when the extra flags' bit 2 says so, the headers as a
// length-prefixed text). Every size is checked against the bytes; a pickle
// that breaks off gives valid false with what was read before.
ChromeResponseInfo parseChromeResponseInfo(QByteArrayView pickle);

} // namespace vc
