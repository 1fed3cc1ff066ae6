// The real caches of tests/data, read entry by entry and compared with what
// tests/tools/cache-expected.py reads from the same bytes by its own
// reading of the formats (tests/data/expected/chrome-cache.tsv,
// firefox-cache2.tsv): every field of every row, and every body that can be
// read, by its SHA-256 after decompression.
#include "CacheTestSupport.h"
#include "browsers/cache/BlockFileCache.h"
#include "browsers/cache/CacheBody.h"
#include "browsers/cache/CacheDetail.h"
#include "browsers/cache/CacheEntryRead.h"
#include "browsers/cache/FirefoxCache.h"
#include "language/InterfaceTexts.h"

namespace vc::testing {
namespace {

using RealCaches = CacheTest;

// Checks one row against a line of the expected file.
void expectRowAsRead(const QList<QByteArray>& row, const QList<QByteArray>& want,
                     const QString& folder, qsizetype i) {
    ASSERT_EQ(row.size(), kWebCacheColumnCount);
    ASSERT_EQ(want.size(), 12);
    EXPECT_EQ(row[kWebCacheLocation], want[0]) << "row " << i;
    EXPECT_EQ(row[kWebCacheUrl], want[1]) << "row " << i;
    EXPECT_EQ(timeText(row[kWebCacheCreated]), want[2]) << "row " << i;
    EXPECT_EQ(timeText(row[kWebCacheLastUsed]), want[3]) << "row " << i;
    EXPECT_EQ(timeText(row[kWebCacheServerModified]), want[4]) << "row " << i;
    EXPECT_EQ(timeText(row[kWebCacheExpires]), want[5]) << "row " << i;
    EXPECT_EQ(row[kWebCacheSize], want[6]) << "row " << i;
    EXPECT_EQ(row[kWebCacheBodyFile].isEmpty() ? QByteArray() : row[kWebCacheBodyFile],
              want[7].isEmpty() ? QByteArray() : pathBytes(folder + QLatin1Char('/') + want[7]))
        << "row " << i;
    EXPECT_EQ(row[kWebCacheStatus], want[8]) << "row " << i;
    EXPECT_EQ(row[kWebCacheContentType], want[9]) << "row " << i;
    EXPECT_EQ(row[kWebCacheFolder], pathBytes(folder));
}

TEST_F(RealCaches, ChromeBlockFileCacheGivesEveryEntryWithItsFieldsAndNotes) {
    const QString folder = testDataPath(QStringLiteral("chrome-cache"));
    ASSERT_TRUE(isBlockFileCache(localEvidenceFiles(), pathBytes(folder)));
    CollectingReporter reporter;
    const CollectingSink sink = rowsOf(folder, CacheFormat::BlockFile, &reporter);
    EXPECT_TRUE(reporter.errors.isEmpty()) << reporter.errors.join(' ').toStdString();
    EXPECT_TRUE(reporter.warnings.isEmpty()) << reporter.warnings.join(' ').toStdString();
    const auto expected = expectedRows(QStringLiteral("chrome-cache.tsv"));
    // The index's own count of entries.
    ASSERT_EQ(expected.size(), 217);
    ASSERT_EQ(sink.rows.size(), expected.size());
    int headersMissing = 0, bodiesMissing = 0;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const QList<QByteArray>& row = sink.rows[i];
        const QList<QByteArray>& want = expected[i];
        expectRowAsRead(row, want, folder, i);
        EXPECT_EQ(row[kWebCacheBrowser], "Chrome");
        EXPECT_EQ(row[kWebCacheProfile], "Default");
        // data_3 is missing: the entries whose headers or bodies lie there
        // say so, and only those have a note.
        QByteArrayList notes;
        for (const QByteArray& missing : want[10].split(',')) {
            if (missing.startsWith("headers:")) {
                notes << tx(TextHeadersInMissingFile)
                             .arg(QString::fromLatin1(missing.mid(8)))
                             .toUtf8();
                ++headersMissing;
            } else if (missing.startsWith("body:")) {
                notes
                    << tx(TextBodyInMissingFile).arg(QString::fromLatin1(missing.mid(5))).toUtf8();
                ++bodiesMissing;
            }
        }
        EXPECT_EQ(row[kWebCacheNote], notes.join("; ")) << "row " << i;
    }
    EXPECT_EQ(headersMissing, 164);
    EXPECT_EQ(bodiesMissing, 40);
}

TEST_F(RealCaches, ChromeBodiesAreTheStoredBytesDecompressed) {
    const QString folder = testDataPath(QStringLiteral("chrome-cache"));
    const CollectingSink sink = rowsOf(folder, CacheFormat::BlockFile);
    const auto expected = expectedRows(QStringLiteral("chrome-cache.tsv"));
    ASSERT_EQ(sink.rows.size(), expected.size());
    int read = 0, gzip = 0, pictures = 0;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const CachedBody body = readCachedBodyOfRow(localEvidenceFiles(), sink.rows[i]);
        const QByteArray& want = expected[i][11];
        if (want == "-" || expected[i][10].contains("body:")) {
            // No body, or one in the missing data_3: an error naming it.
            EXPECT_TRUE(body.bytes.isEmpty()) << "row " << i;
            if (expected[i][10].contains("body:")) {
                EXPECT_TRUE(body.error.contains(QStringLiteral("data_3"))) << "row " << i;
            }
            continue;
        }
        EXPECT_TRUE(body.error.isEmpty()) << "row " << i << " " << body.error.toStdString();
        EXPECT_EQ(sha256(body.bytes), want) << "row " << i;
        EXPECT_EQ(body.decoded, body.encoding == "gzip") << "row " << i;
        ++read;
        gzip += body.decoded;
        pictures += body.bytes.startsWith("GIF8") || body.bytes.startsWith("\x89PNG") ||
                    body.bytes.startsWith("\xFF\xD8\xFF") || body.bytes.mid(8, 4) == "WEBP";
    }
    EXPECT_EQ(read, 158);
    EXPECT_GT(gzip, 0);
    EXPECT_GT(pictures, 10);
}

TEST_F(RealCaches, ChromeEntryReadAgainGivesTheDetailPane) {
    const QByteArray folder = pathBytes(testDataPath(QStringLiteral("chrome-cache")));
    QString error;
    // An entry whose headers lie in data_1 (1 block of 256) and whose body,
    // gzip-compressed, lies in data_1 too.
    const std::optional<WebCacheEntry> entry =
        readCacheEntry(localEvidenceFiles(), folder, "blockfile:a00101af", &error);
    ASSERT_TRUE(entry) << error.toStdString();
    EXPECT_EQ(entry->url, "http://www.blogblog.com/dynamicviews/76f25a6f2e06af76/js/thirdparty/"
                          "jquery-mousewheel.js");
    const QString pane = webCacheDetailText(*entry);
    EXPECT_TRUE(pane.startsWith(QString::fromUtf8(entry->url) + QLatin1Char('\n')));
    EXPECT_TRUE(pane.contains(QStringLiteral("\n\n") + tx(TextResponseHeaders) +
                              QStringLiteral(":\nHTTP/1.1 200 OK\nVary: Accept-Encoding\n"
                                             "Content-Encoding: gzip\n")))
        << pane.toStdString();
    EXPECT_TRUE(pane.contains(QStringLiteral("Alternate-Protocol: 80:quic\n")));
    // The pickle's two times: 13043349953381757 and 13043349953424303 µs.
    EXPECT_TRUE(pane.contains(tx(TextRequestTime) + QStringLiteral(": 2014-04-30 16:45:53\n")));
    EXPECT_TRUE(pane.contains(tx(TextResponseTime) + QStringLiteral(": 2014-04-30 16:45:53\n")));
    const CachedBody body = readCachedBody(localEvidenceFiles(), *entry);
    EXPECT_TRUE(body.decoded);
    EXPECT_EQ(body.bytes.size(), 1409); // as Python's zlib makes it

    // The one entry with its key outside itself (1339 bytes in data_2).
    const std::optional<WebCacheEntry> longKey =
        readCacheEntry(localEvidenceFiles(), folder, "blockfile:a0010090", &error);
    ASSERT_TRUE(longKey);
    EXPECT_EQ(longKey->key.size(), 1339);
    EXPECT_TRUE(longKey->url.startsWith("https://www.google.ch/"));

    // What is no entry is said so, also for the detail pane of a row.
    EXPECT_FALSE(readCacheEntry(localEvidenceFiles(), folder, "blockfile:b1020014", &error));
    EXPECT_FALSE(readCacheEntry(localEvidenceFiles(), folder, "blockfile:zz", &error));
    EXPECT_FALSE(readCacheEntry(localEvidenceFiles(), folder, "nothing:a00101af", &error));
    QList<QByteArray> row(kWebCacheColumnCount);
    row[kWebCacheUrl] = "https://example.com/";
    row[kWebCacheFolder] = folder;
    row[kWebCacheLocation] = "blockfile:00000000";
    EXPECT_EQ(webCacheDetailTextOfRow(localEvidenceFiles(), row),
              QStringLiteral("https://example.com/\n") + tx(TextNote) + QStringLiteral(": ") +
                  tx(TextEntryUnreadable) + QLatin1Char('\n'));
}

TEST_F(RealCaches, FirefoxEntriesGiveTheirFieldsAndTheNonEntryANote) {
    // The three files in a cache2 folder of their own, as Firefox lays it out.
    const QString cache2 = dir(QStringLiteral("cache2"));
    copyTestFolder(QStringLiteral("firefox-cache2"), cache2 + QStringLiteral("/entries"));
    const QString entries = cache2 + QStringLiteral("/entries");
    CollectingReporter reporter;
    const CollectingSink sink =
        rowsOf(cache2, CacheFormat::Firefox, &reporter, nullptr, Browser::Firefox);
    EXPECT_TRUE(reporter.errors.isEmpty());
    EXPECT_TRUE(reporter.warnings.isEmpty());
    const auto expected = expectedRows(QStringLiteral("firefox-cache2.tsv"));
    ASSERT_EQ(expected.size(), 3);
    ASSERT_EQ(sink.rows.size(), 3);
    for (qsizetype i = 0; i < 3; ++i) {
        const QList<QByteArray>& row = sink.rows[i];
        EXPECT_EQ(row[kWebCacheLocation], expected[i][0]);
        EXPECT_EQ(row[kWebCacheUrl], expected[i][1]);
        EXPECT_EQ(timeText(row[kWebCacheCreated]), expected[i][2]);
        EXPECT_EQ(timeText(row[kWebCacheLastUsed]), expected[i][3]);
        EXPECT_EQ(timeText(row[kWebCacheExpires]), expected[i][5]);
        EXPECT_EQ(row[kWebCacheSize], expected[i][6]);
        EXPECT_EQ(row[kWebCacheStatus], expected[i][8]);
        EXPECT_EQ(row[kWebCacheContentType], expected[i][9]);
        EXPECT_EQ(row[kWebCacheBrowser], "Firefox");
        EXPECT_EQ(row[kWebCacheNote],
                  expected[i][10] == "entry" ? tx(TextNotCacheEntry).toUtf8() : QByteArray());
    }
    // The predictor's entry: key and times as its bytes hold them
    // (0x610f0c62 last fetched, 0x610f0c64 last modified).
    EXPECT_EQ(timeText(sink.rows[0][kWebCacheLastUsed]), "2021-08-07 22:42:42");
    EXPECT_EQ(sink.rows[0][kWebCacheBodyFile],
              pathBytes(entries + QStringLiteral("/0EDDF8C091E2FED62E44BEDDDC1723F5BF38FE4F")));

    // The GitHub response: 80 bytes of gzip, which give the JSON of 105
    // bytes its trailer names.
    const CachedBody body = readCachedBodyOfRow(localEvidenceFiles(), sink.rows[1]);
    EXPECT_TRUE(body.error.isEmpty()) << body.error.toStdString();
    EXPECT_TRUE(body.decoded);
    EXPECT_EQ(body.bytes.size(), 105);
    EXPECT_TRUE(body.bytes.startsWith("{\"issues_count\""));
    EXPECT_EQ(sha256(body.bytes), expected[1][11]);
    const QString pane = webCacheDetailTextOfRow(localEvidenceFiles(), sink.rows[1]);
    EXPECT_TRUE(pane.contains(tx(TextFetchCount) + QStringLiteral(": 1\n")));
    EXPECT_TRUE(pane.contains(QStringLiteral(":\nHTTP/1.1 200 OK\nServer: GitHub.com\n"
                                             "Date: Sat, 02 May 2015 15:44:38 GMT\n")))
        << pane.toStdString();
    EXPECT_TRUE(
        pane.contains(tx(TextCacheKey) +
                      QStringLiteral(": :https://github.com/log2timeline/plaso/issues/counts")));
}

TEST_F(RealCaches, ReadingLeavesEveryFileAsItWas) {
    const QString profile = dir(QStringLiteral("profile"));
    const QString chrome =
        profile + QStringLiteral("/AppData/Local/Google/Chrome/User Data/Default/Cache");
    copyTestFolder(QStringLiteral("chrome-cache"), chrome);
    copyTestFolder(QStringLiteral("firefox-cache2"),
                   profile + QStringLiteral("/AppData/Local/Mozilla/Firefox/Profiles/a.default/"
                                            "cache2/entries"));
    // Times in the past, so that a read that moved them would show.
    for (const QString& name : QDir(chrome).entryList(QDir::Files)) {
        QFile file(chrome + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime::fromSecsSinceEpoch(1000000000), QFileDevice::FileAccessTime);
    }
    const auto before = snapshot(profile);
    CollectingSink sink;
    const BrowserCacheLoadResult result =
        loadBrowserCaches(localEvidenceFiles(), pathBytes(profile), LoadContext(), sink);
    EXPECT_EQ(result.rows, 220);
    for (const QList<QByteArray>& row : sink.rows) {
        readCachedBodyOfRow(localEvidenceFiles(), row);
        webCacheDetailTextOfRow(localEvidenceFiles(), row);
    }
    EXPECT_EQ(snapshot(profile), before);
}

} // namespace
} // namespace vc::testing
