// Chrome's simple cache, written by the tests from the format's description
// (docs/formats/chrome-simple-cache.md, CacheTestSupport.h), read back field
// by field; then damaged copies of it.
#include "browsers/cache/SimpleCache.h"
#include "CacheTestSupport.h"
#include "browsers/cache/CacheBody.h"
#include "browsers/cache/CacheDetail.h"
#include "language/InterfaceTexts.h"

namespace vc::testing {
namespace {

using SimpleCache = CacheTest;

// 2024-03-01 12:00:00 UTC as microseconds since 1601, and a day.
constexpr qint64 kMarch2024 = (1709294400LL + 11644473600LL) * 1000000LL;
constexpr qint64 kDay = 86400LL * 1000000LL;

// A folder with three entries: a picture (key with the sites that loaded
// it, SHA-256 of the key stored), a compressed page, and a video in sparse
// ranges; and the index with the first two's last use.
struct MadeCache {
    QString folder;
    QByteArray picture = QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(3000, 'p');
    QByteArray page = QByteArray("<html>") + QByteArray(5000, 'h') + "</html>";
};
MadeCache makeCache(const QString& folder) {
    MadeCache made;
    made.folder = folder;
    writeFile(folder + QStringLiteral("/index"),
              QByteArray::fromHex("6f79207265746e65") + QByteArray::fromHex("07000000"));
    writeFile(folder + QStringLiteral("/0000000000000a01_0"),
              simpleEntryFile({"1/0/_dk_https://site.example https://site.example "
                               "https://img.example/a.png",
                               made.picture,
                               "HTTP/1.1 200 OK\nContent-Type: image/png\nLast-Modified: Sun, 06 "
                               "Nov 1994 08:49:37 GMT\nExpires: Thu, 01 Dec 2044 16:00:00 GMT",
                               kMarch2024 - 1000, kMarch2024, true}));
    writeFile(folder + QStringLiteral("/0000000000000b02_0"),
              simpleEntryFile({"https://site.example/", deflated(made.page, 31),
                               "HTTP/1.1 200 OK\nContent-Type: text/html\nContent-Encoding: gzip",
                               kMarch2024 + kDay - 7, kMarch2024 + kDay, false}));
    writeFile(folder + QStringLiteral("/0000000000000c03_0"),
              simpleEntryFile({"https://video.example/v.mp4", QByteArray(),
                               "HTTP/1.1 206 Partial Content\nContent-Type: video/mp4",
                               kMarch2024 + 2 * kDay, kMarch2024 + 2 * kDay, false}));
    writeFile(folder + QStringLiteral("/0000000000000c03_s"),
              simpleSparseFile("https://video.example/v.mp4",
                               {{4096, QByteArray(100, 'b')}, {0, QByteArray(1000, 'a')}}));
    // A stream-2 file and a stray file: not entries.
    writeFile(folder + QStringLiteral("/0000000000000a01_1"), QByteArray(40, 'x'));
    writeFile(folder + QStringLiteral("/notes.txt"), "not a cache file");
    writeFile(folder + QStringLiteral("/index-dir/the-real-index"),
              simpleIndexFile(9, {{0x0a01, kMarch2024 + 10 * kDay},
                                  {0x0b02, kMarch2024 + 11 * kDay},
                                  {0xffff, kMarch2024}}));
    return made;
}

TEST_F(SimpleCache, EntriesGiveKeyTimesHeadersAndBody) {
    const MadeCache made = makeCache(dir(QStringLiteral("Cache_Data")));
    ASSERT_TRUE(isSimpleCache(localEvidenceFiles(), pathBytes(made.folder)));
    CollectingReporter reporter;
    const CollectingSink sink = rowsOf(made.folder, CacheFormat::Simple, &reporter);
    EXPECT_TRUE(reporter.errors.isEmpty());
    EXPECT_TRUE(reporter.warnings.isEmpty()) << reporter.warnings.join(' ').toStdString();
    ASSERT_EQ(sink.rows.size(), 3);

    const QList<QByteArray>& picture = sink.rows[0];
    EXPECT_EQ(picture[kWebCacheUrl], "https://img.example/a.png");
    EXPECT_EQ(picture[kWebCacheContentType], "image/png");
    EXPECT_EQ(picture[kWebCacheSize], QByteArray::number(made.picture.size()));
    EXPECT_EQ(timeText(picture[kWebCacheCreated]), "2024-03-01 12:00:00");
    EXPECT_EQ(timeText(picture[kWebCacheLastUsed]), "2024-03-11 12:00:00");
    EXPECT_EQ(timeText(picture[kWebCacheServerModified]), "1994-11-06 08:49:37");
    EXPECT_EQ(timeText(picture[kWebCacheExpires]), "2044-12-01 16:00:00");
    EXPECT_EQ(picture[kWebCacheStatus], "HTTP/1.1 200 OK");
    EXPECT_EQ(picture[kWebCacheNote], "");
    EXPECT_EQ(picture[kWebCacheBodyFile],
              pathBytes(made.folder + QStringLiteral("/0000000000000a01_0")));
    EXPECT_EQ(picture[kWebCacheLocation], "simple:0000000000000a01");
    const CachedBody pictureBody = readCachedBodyOfRow(localEvidenceFiles(), picture);
    EXPECT_EQ(pictureBody.bytes, made.picture);
    EXPECT_FALSE(pictureBody.decoded);
    const QString pane = webCacheDetailTextOfRow(localEvidenceFiles(), picture);
    EXPECT_TRUE(pane.contains(tx(TextCacheKey) + QStringLiteral(": 1/0/_dk_https://site.example")));
    // 1 ms before: the second before, as every time drops its fraction.
    EXPECT_TRUE(pane.contains(tx(TextRequestTime) + QStringLiteral(": 2024-03-01 11:59:59\n")));
    EXPECT_TRUE(pane.endsWith(QStringLiteral(":\nHTTP/1.1 200 OK\nContent-Type: image/png\n"
                                             "Last-Modified: Sun, 06 Nov 1994 08:49:37 GMT\n"
                                             "Expires: Thu, 01 Dec 2044 16:00:00 GMT\n")))
        << pane.toStdString();

    const QList<QByteArray>& page = sink.rows[1];
    EXPECT_EQ(page[kWebCacheUrl], "https://site.example/");
    EXPECT_EQ(timeText(page[kWebCacheLastUsed]), "2024-03-12 12:00:00");
    const CachedBody pageBody = readCachedBodyOfRow(localEvidenceFiles(), page);
    EXPECT_TRUE(pageBody.decoded);
    EXPECT_EQ(pageBody.encoding, "gzip");
    EXPECT_EQ(pageBody.bytes, made.page);

    // The sparse ranges, in their places, the gap between them zeros; the
    // index does not list this entry, so its last use stays empty.
    const QList<QByteArray>& video = sink.rows[2];
    EXPECT_EQ(video[kWebCacheStatus], "HTTP/1.1 206 Partial Content");
    EXPECT_EQ(video[kWebCacheSize], "4196");
    EXPECT_EQ(video[kWebCacheLastUsed], "");
    EXPECT_EQ(video[kWebCacheNote], tx(TextSparseBody).arg(2).toUtf8());
    EXPECT_EQ(video[kWebCacheBodyFile],
              pathBytes(made.folder + QStringLiteral("/0000000000000c03_s")));
    const CachedBody videoBody = readCachedBodyOfRow(localEvidenceFiles(), video);
    EXPECT_EQ(videoBody.bytes,
              QByteArray(1000, 'a') + QByteArray(3096, '\0') + QByteArray(100, 'b'));
}

// The files tests/tools/make-cache-seeds.py wrote (the fuzz target's seeds),
// read as the script's description of them says.
TEST_F(SimpleCache, TheMadeCacheOfTheTestDataReadsAsItsScriptSays) {
    const QString folder = testDataPath(QStringLiteral("simple-cache"));
    const CollectingSink sink = rowsOf(folder, CacheFormat::Simple);
    ASSERT_EQ(sink.rows.size(), 3);
    EXPECT_EQ(sink.rows[0][kWebCacheUrl], "https://img.example/dot.png");
    EXPECT_EQ(timeText(sink.rows[0][kWebCacheCreated]), "2024-03-01 12:00:00");
    EXPECT_EQ(timeText(sink.rows[0][kWebCacheLastUsed]), "2024-03-01 12:00:10");
    EXPECT_EQ(timeText(sink.rows[0][kWebCacheServerModified]), "1994-11-06 08:49:37");
    EXPECT_TRUE(
        readCachedBodyOfRow(localEvidenceFiles(), sink.rows[0]).bytes.startsWith("\x89PNG"));
    EXPECT_EQ(sink.rows[1][kWebCacheUrl], "https://site.example/app.js");
    EXPECT_EQ(timeText(sink.rows[1][kWebCacheLastUsed]), "2024-03-01 12:00:20");
    EXPECT_EQ(timeText(sink.rows[1][kWebCacheExpires]), "2044-12-01 16:00:00");
    const CachedBody script = readCachedBodyOfRow(localEvidenceFiles(), sink.rows[1]);
    EXPECT_TRUE(script.decoded);
    EXPECT_EQ(script.bytes.size(), 2000);
    EXPECT_TRUE(script.bytes.startsWith("var line0 = 0;\nvar line1 = 1;\n"));
    EXPECT_EQ(sink.rows[2][kWebCacheSize], "300");
    const QByteArray video = readCachedBodyOfRow(localEvidenceFiles(), sink.rows[2]).bytes;
    ASSERT_EQ(video.size(), 300);
    EXPECT_EQ(video.mid(100, 100), QByteArray(100, '\0'));
    EXPECT_EQ(video[0], 'a');
    EXPECT_EQ(video[299], char('a' + 299 % 26));
}

TEST_F(SimpleCache, IndexOfEachVersionGivesTheLastUse) {
    const QString folder = dir(QStringLiteral("c"));
    makeCache(folder);
    for (quint32 version : {6u, 7u, 8u, 9u}) {
        writeFile(folder + QStringLiteral("/index-dir/the-real-index"),
                  simpleIndexFile(version, {{0x0b02, kMarch2024 + 3 * kDay}}));
        QString problem;
        const QHash<quint64, qint64> used =
            readSimpleIndex(localEvidenceFiles(), pathBytes(folder), &problem);
        EXPECT_TRUE(problem.isEmpty()) << version;
        EXPECT_EQ(used.value(0x0b02), kMarch2024 + 3 * kDay) << version;
        EXPECT_EQ(used.size(), 1);
    }
    // A count beyond what the file holds, a wrong signature: no times, and
    // a warning naming the index; the entries are still read.
    QByteArray index = simpleIndexFile(9, {{0x0b02, kMarch2024}});
    setLe32(index, 20, 5000000);
    writeFile(folder + QStringLiteral("/index-dir/the-real-index"), index);
    CollectingReporter reporter;
    CollectingSink sink = rowsOf(folder, CacheFormat::Simple, &reporter);
    EXPECT_EQ(sink.rows.size(), 3);
    EXPECT_EQ(sink.rows[1][kWebCacheLastUsed], "");
    ASSERT_EQ(reporter.warnings.size(), 1);
    EXPECT_TRUE(reporter.warnings[0].startsWith(tx(TextCachePartlyRead) + QStringLiteral(":\n") +
                                                folder + QLatin1Char('\n')));
    EXPECT_TRUE(reporter.warnings[0].contains(QStringLiteral("the-real-index")));
    writeFile(folder + QStringLiteral("/index-dir/the-real-index"), QByteArray(64, 'z'));
    reporter = CollectingReporter();
    sink = rowsOf(folder, CacheFormat::Simple, &reporter);
    EXPECT_EQ(sink.rows.size(), 3);
    EXPECT_EQ(reporter.warnings.size(), 1);
}

// Found by the fuzz targets: an address or a header holding control
// characters gave a detail pane whose lines were not the row's.
TEST_F(SimpleCache, ControlCharactersAreSpacesInTheRowAndThePane) {
    const QString folder = dir(QStringLiteral("c"));
    writeFile(
        folder + QStringLiteral("/00000000000000aa_0"),
        simpleEntryFile({"https://a.example/x\x01y\nz\rw\tv", "body",
                         "HTTP/1.1 200 OK\x0b\nX-Odd: a\tb\x1f", kMarch2024, kMarch2024, false}));
    const CollectingSink sink = rowsOf(folder, CacheFormat::Simple);
    ASSERT_EQ(sink.rows.size(), 1);
    EXPECT_EQ(sink.rows[0][kWebCacheUrl], "https://a.example/x y z w v");
    EXPECT_EQ(sink.rows[0][kWebCacheStatus], "HTTP/1.1 200 OK");
    EXPECT_EQ(webCacheDetailTextOfRow(localEvidenceFiles(), sink.rows[0]),
              QStringLiteral("https://a.example/x y z w v\n") + tx(TextRequestTime) +
                  QStringLiteral(": 2024-03-01 12:00:00\n\n") + tx(TextResponseHeaders) +
                  QStringLiteral(":\nHTTP/1.1 200 OK\nX-Odd: a b\n"));
}

TEST_F(SimpleCache, DamagedEntryFilesGiveRowsWithNotes) {
    const QString folder = dir(QStringLiteral("d"));
    const MadeCache made = makeCache(folder);
    const QString picture = folder + QStringLiteral("/0000000000000a01_0");
    const QByteArray whole = fileBytes(picture);

    struct Damage {
        const char* what;
        QByteArray bytes;
        int note;
        bool hasUrl;
    };
    QByteArray badEnd = whole;
    badEnd[badEnd.size() - 24] ^= 0x55; // the last end record's signature
    QByteArray hugeStream0 = whole;
    setLe32(hugeStream0, hugeStream0.size() - 8, 0x7FFFFFF0); // stream 0's size
    QByteArray hugeKey = whole;
    setLe32(hugeKey, 12, 0xFFFFFFF0);
    QByteArray badFirstEnd = whole;
    // Stream 0 of 0 bytes: the first end record would be where stream 0's
    // bytes are.
    setLe32(badFirstEnd, badFirstEnd.size() - 8, 0);
    const Damage damages[] = {
        {"cut after its key", whole.first(24 + qFromLittleEndian<quint32>(whole.data() + 12) + 10),
         TextHeadersUnreadable, true},
        {"end record broken", badEnd, TextHeadersUnreadable, true},
        {"stream 0 larger than the file", hugeStream0, TextHeadersUnreadable, true},
        {"key longer than the file", hugeKey, TextNotCacheEntry, false},
        {"first end record misplaced", badFirstEnd, TextHeadersUnreadable, true},
        {"not an entry file", QByteArray(200, 'q'), TextNotCacheEntry, false},
        {"empty", QByteArray(), TextNotCacheEntry, false},
    };
    for (const Damage& damage : damages) {
        writeFile(picture, damage.bytes);
        const CollectingSink sink = rowsOf(folder, CacheFormat::Simple);
        ASSERT_EQ(sink.rows.size(), 3) << damage.what;
        const QList<QByteArray>& row = sink.rows[0];
        EXPECT_EQ(row[kWebCacheNote], tx(damage.note).toUtf8()) << damage.what;
        EXPECT_EQ(row[kWebCacheUrl].isEmpty(), !damage.hasUrl) << damage.what;
        EXPECT_EQ(row[kWebCacheLocation], "simple:0000000000000a01");
        // No body is read from a damaged entry, and nothing breaks.
        const CachedBody body = readCachedBodyOfRow(localEvidenceFiles(), row);
        EXPECT_TRUE(body.bytes.isEmpty()) << damage.what;
        EXPECT_EQ(sink.rows[1][kWebCacheNote], "") << damage.what;
    }

    // Sparse ranges that break off keep the ranges before, with a note.
    writeFile(picture, whole);
    QByteArray sparse =
        simpleSparseFile("k", {{0, QByteArray(10, 'a')}, {10, QByteArray(10, 'b')}});
    sparse.chop(5);
    writeFile(folder + QStringLiteral("/0000000000000c03_s"), sparse);
    CollectingSink sink = rowsOf(folder, CacheFormat::Simple);
    ASSERT_EQ(sink.rows.size(), 3);
    EXPECT_EQ(
        sink.rows[2][kWebCacheNote],
        (tx(TextBodyPlaceDamaged) + QStringLiteral("; ") + tx(TextSparseBody).arg(1)).toUtf8());
    EXPECT_EQ(readCachedBodyOfRow(localEvidenceFiles(), sink.rows[2]).bytes, QByteArray(10, 'a'));
}

} // namespace
} // namespace vc::testing
