// The fields every cache reader shares: HTTP dates, header lines, the
// addresses in the keys, Chrome's response pickle, and the decompression of
// bodies (zlib's and brotli's own encoders make the inputs).
#include "CacheTestSupport.h"
#include "browsers/cache/CacheBody.h"
#include "browsers/cache/CacheEntryFields.h"
#include "browsers/cache/ChromeResponseInfo.h"
#include "browsers/cache/HttpHeaders.h"

#include <brotli/encode.h>

namespace vc::testing {
namespace {

QByteArray brotli(const QByteArray& bytes) {
    size_t size = BrotliEncoderMaxCompressedSize(size_t(bytes.size()));
    QByteArray out(qsizetype(size), '\0');
    EXPECT_TRUE(BrotliEncoderCompress(BROTLI_DEFAULT_QUALITY, BROTLI_DEFAULT_WINDOW,
                                      BROTLI_DEFAULT_MODE, size_t(bytes.size()),
                                      reinterpret_cast<const uint8_t*>(bytes.data()), &size,
                                      reinterpret_cast<uint8_t*>(out.data())));
    out.resize(qsizetype(size));
    return out;
}

TEST(CacheFields, HttpDatesInTheirThreeFormsAndNothingElse) {
    // 784111777: Sun, 06 Nov 1994 08:49:37 GMT (RFC 9110's example).
    EXPECT_EQ(parseHttpDate("Sun, 06 Nov 1994 08:49:37 GMT"), 784111777);
    EXPECT_EQ(parseHttpDate("Sunday, 06-Nov-94 08:49:37 GMT"), 784111777);
    EXPECT_EQ(parseHttpDate("Sun Nov  6 08:49:37 1994"), 784111777);
    EXPECT_EQ(parseHttpDate("Tue, 29 Feb 2028 23:59:59 GMT"), 1835481599);
    EXPECT_EQ(parseHttpDate("Fri, 01-Jan-38 00:00:00 GMT"), 2145916800); // 2038: past 32 bits
    EXPECT_EQ(parseHttpDate("Thu, 01 Jan 1970 00:00:00 GMT"), 0);
    for (const char* bad :
         {"", "0", "-1", "now", "Sun, 31 Feb 2014 00:00:00 GMT", "Sun, 06 Nov 1994",
          "06 Nov 1994 25:00:00", "Sun, 06 Nov 1500 08:49:37", "99 99 99 99:99:99"})
        EXPECT_FALSE(parseHttpDate(bad)) << bad;
}

TEST(CacheFields, HeaderLinesStatusAndValues) {
    const QByteArray chrome = headerLinesFromZeroSeparated(
        QByteArrayView("HTTP/1.1 404 Not Found\0content-type:  text/html \0X: a:b\0\0", 56));
    EXPECT_EQ(chrome, "HTTP/1.1 404 Not Found\ncontent-type:  text/html\nX: a:b");
    EXPECT_EQ(httpStatusLine(chrome), "HTTP/1.1 404 Not Found");
    EXPECT_EQ(httpHeaderValue(chrome, "Content-Type"), "text/html");
    EXPECT_EQ(httpHeaderValue(chrome, "X"), "a:b");
    EXPECT_EQ(httpHeaderValue(chrome, "Content"), "");
    const QByteArray firefox =
        headerLinesFromCrLf("HTTP/2 200 \r\nDate: Mon, 01 Jan 2024 00:00:00 GMT\r\n\r\n");
    EXPECT_EQ(firefox, "HTTP/2 200\nDate: Mon, 01 Jan 2024 00:00:00 GMT");
    EXPECT_EQ(httpStatusLine("Content-Type: x"), "");

    WebCacheEntry entry;
    entry.headers = "HTTP/1.1 200 OK\nLast-Modified: Sun, 06 Nov 1994 08:49:37 GMT\nExpires: 0";
    takeHeaderTimes(entry);
    EXPECT_EQ(entry.serverModified, unixSecondsTime(784111777));
    EXPECT_FALSE(entry.expires);
}

TEST(CacheFields, AddressesInChromeAndFirefoxKeys) {
    EXPECT_EQ(urlOfChromeKey("https://a.example/x.png"), "https://a.example/x.png");
    EXPECT_EQ(urlOfChromeKey("1/0/_dk_https://a.example https://a.example https://b.example/y"),
              "https://b.example/y");
    EXPECT_EQ(urlOfChromeKey("_dk_s_https://a.example https://b.example/y?q=1"),
              "https://b.example/y?q=1");
    EXPECT_EQ(urlOfChromeKey("7/http://upload.example/form"), "http://upload.example/form");
    EXPECT_EQ(urlOfChromeKey("12345"), "12345");
    EXPECT_EQ(urlOfChromeKey(""), "");
    EXPECT_EQ(urlOfFirefoxKey(":https://a.example/"), "https://a.example/");
    EXPECT_EQ(urlOfFirefoxKey("a,:http://a.example/?x=1,2"), "http://a.example/?x=1,2");
    EXPECT_EQ(urlOfFirefoxKey("O^privateBrowsingId=1,p,:https://a.example/"), "https://a.example/");
    // A comma inside a tag is doubled; ",:" inside it starts no address.
    EXPECT_EQ(urlOfFirefoxKey("~x,,:y,:https://a.example/"), "https://a.example/");
    EXPECT_EQ(urlOfFirefoxKey("predictor-origin"), "predictor-origin");
}

TEST(CacheFields, ChromeResponsePickleAndItsDamage) {
    const QByteArray lines = "HTTP/1.1 200 OK\nContent-Type: image/gif";
    for (bool extra : {false, true}) {
        const ChromeResponseInfo info = parseChromeResponseInfo(
            responsePickle(lines, 13043349953381757, 13043349953424303, extra));
        EXPECT_TRUE(info.valid);
        EXPECT_EQ(info.version, 3);
        EXPECT_EQ(info.requestTime, 13043349953381757);
        EXPECT_EQ(info.responseTime, 13043349953424303);
        EXPECT_EQ(info.originalResponseTime, extra ? 13043349953424298 : 0);
        EXPECT_EQ(info.headers, lines);
    }
    const QByteArray pickle = responsePickle(lines, 1, 2);
    // Cut anywhere before the headers' end (the payload size, flags, two
    // times, the text's length and the text: the lines, two zero bytes), or
    // with sizes beyond the bytes: not valid, no read beyond.
    const qsizetype headersEnd = 4 + 4 + 8 + 8 + 4 + lines.size() + 2;
    auto cutAt = [&pickle](qsizetype cut) {
        QByteArray part = pickle.first(cut);
        if (cut >= 4)
            setLe32(part, 0, quint32(cut - 4));
        return part;
    };
    EXPECT_TRUE(parseChromeResponseInfo(cutAt(headersEnd)).valid);
    for (qsizetype cut = 0; cut < headersEnd; ++cut)
        EXPECT_FALSE(parseChromeResponseInfo(cutAt(cut)).valid) << cut;
    QByteArray hugeText = pickle;
    setLe32(hugeText, 4 + 20, 0xFFFFFFF0);
    EXPECT_FALSE(parseChromeResponseInfo(hugeText).valid);
    QByteArray hugePayload = pickle;
    setLe32(hugePayload, 0, 0x7FFFFFFF);
    EXPECT_FALSE(parseChromeResponseInfo(hugePayload).valid);
}

TEST(CacheFields, BodiesAreDecompressedWithinTheirBound) {
    QByteArray page;
    for (int i = 0; i < 5000; ++i)
        page += "line " + QByteArray::number(i) + " of a cached page\n";
    QByteArray out;
    EXPECT_EQ(decodeContent("gzip", deflated(page, 15 + 16), kMaxCachedBodyBytes, out),
              ContentDecoding::Done);
    EXPECT_EQ(out, page);
    EXPECT_EQ(decodeContent("x-gzip", deflated(page, 15 + 16), kMaxCachedBodyBytes, out),
              ContentDecoding::Done);
    EXPECT_EQ(out, page);
    // Two gzip members one after the other: one body.
    EXPECT_EQ(decodeContent("gzip", deflated("ab", 31) + deflated("cd", 31), 100, out),
              ContentDecoding::Done);
    EXPECT_EQ(out, "abcd");
    // "deflate" as servers send it: with zlib's wrapper, or raw.
    for (int window : {15, -15}) {
        EXPECT_EQ(decodeContent("Deflate", deflated(page, window), kMaxCachedBodyBytes, out),
                  ContentDecoding::Done);
        EXPECT_EQ(out, page);
    }
    EXPECT_EQ(decodeContent("br", brotli(page), kMaxCachedBodyBytes, out), ContentDecoding::Done);
    EXPECT_EQ(out, page);
    // Several codings, undone from the last; identity changes nothing.
    EXPECT_EQ(decodeContent("gzip, br", brotli(deflated(page, 31)), kMaxCachedBodyBytes, out),
              ContentDecoding::Done);
    EXPECT_EQ(out, page);
    EXPECT_EQ(decodeContent("identity", "abc", 10, out), ContentDecoding::Done);
    EXPECT_EQ(out, "abc");

    // The bound holds for what is made, not only for what is stored: a
    // bomb of zeros stops there.
    const QByteArray bomb = deflated(QByteArray(20 << 20, '\0'), 31);
    EXPECT_LT(bomb.size(), 100000);
    EXPECT_EQ(decodeContent("gzip", bomb, 1 << 20, out), ContentDecoding::TooLarge);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(decodeContent("br", brotli(QByteArray(20 << 20, '\0')), 1 << 20, out),
              ContentDecoding::TooLarge);
    // Cut or damaged streams, unknown codings.
    const QByteArray gz = deflated(page, 31);
    EXPECT_EQ(decodeContent("gzip", gz.first(gz.size() / 2), kMaxCachedBodyBytes, out),
              ContentDecoding::Damaged);
    EXPECT_EQ(decodeContent("gzip", "not gzip at all", kMaxCachedBodyBytes, out),
              ContentDecoding::Damaged);
    const QByteArray br = brotli(page);
    EXPECT_EQ(decodeContent("br", br.first(br.size() / 2), kMaxCachedBodyBytes, out),
              ContentDecoding::Damaged);
    EXPECT_EQ(decodeContent("zstd", "x", kMaxCachedBodyBytes, out), ContentDecoding::Unknown);
}

} // namespace
} // namespace vc::testing
