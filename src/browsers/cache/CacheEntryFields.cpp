#include "browsers/cache/CacheEntryFields.h"

#include "browsers/cache/HttpHeaders.h"

namespace vc {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

QByteArray urlOfChromeKey(QByteArrayView key) {
    QByteArrayView url = key;
    const qsizetype space = key.lastIndexOf(' ');
    if (space >= 0)
        url = key.sliced(space + 1);
    // "1/0/_dk_..." or "7/https://..." (an upload's number): numbered
    // prefixes, each digits and a slash.
    for (;;) {
        qsizetype digits = 0;
        while (digits < url.size() && isDigit(url[digits]))
            ++digits;
        if (digits == 0 || digits >= url.size() || url[digits] != '/')
            break;
        url = url.sliced(digits + 1);
    }
    if (url.startsWith("_dk_"))
        url = url.sliced(4);
    return url.toByteArray();
}

QByteArray urlOfFirefoxKey(QByteArrayView key) {
    qsizetype at = 0;
    while (at < key.size()) {
        if (key[at] == ':')
            return key.sliced(at + 1).toByteArray();
        // To the comma that ends this tag; two commas are one inside it.
        qsizetype i = at;
        for (; i < key.size(); ++i) {
            if (key[i] != ',')
                continue;
            if (i + 1 < key.size() && key[i + 1] == ',') {
                ++i;
                continue;
            }
            break;
        }
        at = i + 1;
    }
    return key.toByteArray();
}

std::optional<TimeValue> webKitTime(qint64 microsecondsSince1601) {
    if (microsecondsSince1601 == 0)
        return std::nullopt;
    return TimeValue{TimeKind::WebKitMicroseconds, TimeRule::Open, microsecondsSince1601};
}

std::optional<TimeValue> unixSecondsTime(qint64 seconds) {
    if (seconds == 0)
        return std::nullopt;
    return TimeValue{TimeKind::UnixSeconds, TimeRule::Open, seconds};
}

void takeHeaderTimes(WebCacheEntry& entry) {
    if (entry.headers.isEmpty())
        return;
    if (const auto modified = parseHttpDate(httpHeaderValue(entry.headers, "Last-Modified")))
        entry.serverModified = unixSecondsTime(*modified);
    if (!entry.expires)
        if (const auto expires = parseHttpDate(httpHeaderValue(entry.headers, "Expires")))
            entry.expires = unixSecondsTime(*expires);
}

QByteArray hexDigits(quint64 value, int digits) {
    return QByteArray::number(value, 16).rightJustified(digits, '0');
}

} // namespace vc
