#pragma once

#include "browsers/cache/WebCacheEntry.h"

#include <QByteArray>
#include <QByteArrayView>

namespace vc {

// The fields every cache reader fills the same way.

// The address a Chrome cache key names. Newer keys carry the site that
// loaded the resource before it ("_dk_https://a.example https://a.example
// https://cdn.example/x.png"), sometimes behind numbered prefixes ("1/0/"):
// the address is the last word, without those prefixes. An address holds
// no space, so the last word is always the whole address.
QByteArray urlOfChromeKey(QByteArrayView key);
// The address a Firefox cache key names: the key is a list of tags
// separated by commas (a comma inside a tag doubled), and the tag that
// starts with ':' holds the address, up to the end of the key
// ("a,:https://example.com/", "O^privateBrowsingId=1,:http://..."). A key
// without that tag is its own address.
QByteArray urlOfFirefoxKey(QByteArrayView key);

// A browser's time as a time cell value; nullopt for 0 (no time stored).
std::optional<TimeValue> webKitTime(qint64 microsecondsSince1601);
std::optional<TimeValue> unixSecondsTime(qint64 seconds);

// Sets what the response headers say to the fields they feed: the server's
// last change (Last-Modified) and, unless the cache keeps its own, the
// expiry (Expires), both HTTP dates.
void takeHeaderTimes(WebCacheEntry& entry);

// A number as eight or 16 hexadecimal digits ("a0010038").
QByteArray hexDigits(quint64 value, int digits);

} // namespace vc
