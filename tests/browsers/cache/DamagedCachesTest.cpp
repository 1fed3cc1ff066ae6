// Copies of the real caches with files gone, cut or changed: each gives the
// rows that can be read, notes where an entry is damaged, and reports where
// the cache as a whole is; none loops, crashes or reads beyond a file.
#include "CacheTestSupport.h"
#include "browsers/cache/CacheBody.h"
#include "browsers/cache/CacheEntryRead.h"
#include "browsers/cache/FirefoxCache.h"
#include "language/InterfaceTexts.h"

namespace vc::testing {
namespace {

using DamagedCaches = CacheTest;

// The offset of an entry's block in data_1.
qsizetype entryOffset(quint32 address) {
    return 8192 + qsizetype(address & 0xFFFF) * 256;
}

class DamagedBlockFiles : public CacheTest {
protected:
    void SetUp() override {
        CacheTest::SetUp();
        m_folder = dir(QStringLiteral("Cache"));
        copyTestFolder(QStringLiteral("chrome-cache"), m_folder);
    }
    QString file(const char* name) const {
        return m_folder + QLatin1Char('/') + QLatin1String(name);
    }
    // Changes a file of the copy.
    void edit(const char* name, const std::function<void(QByteArray&)>& change) {
        QByteArray bytes = fileBytes(file(name));
        change(bytes);
        writeFile(file(name), bytes);
    }
    CollectingSink rows(CollectingReporter* reporter = nullptr) {
        return rowsOf(m_folder, CacheFormat::BlockFile, reporter);
    }
    QList<QByteArray> rowAt(const CollectingSink& sink, const QByteArray& location) {
        for (const QList<QByteArray>& row : sink.rows)
            if (row[kWebCacheLocation] == location)
                return row;
        ADD_FAILURE() << location.toStdString();
        return QList<QByteArray>(kWebCacheColumnCount);
    }
    QString m_folder;
};

TEST_F(DamagedBlockFiles, MissingFilesLeaveRowsWithWhatCouldBeRead) {
    // Without data_0 the last uses are gone, nothing else.
    QFile::remove(file("data_0"));
    CollectingReporter reporter;
    CollectingSink sink = rows(&reporter);
    ASSERT_EQ(sink.rows.size(), 217);
    EXPECT_TRUE(reporter.warnings.isEmpty());
    const QList<QByteArray> script = rowAt(sink, "blockfile:a00101af");
    EXPECT_EQ(script[kWebCacheLastUsed], "");
    EXPECT_EQ(timeText(script[kWebCacheCreated]), "2014-04-30 16:45:53");
    EXPECT_EQ(script[kWebCacheStatus], "HTTP/1.1 200 OK");
    EXPECT_EQ(script[kWebCacheNote], "");

    // Without data_1 no entry can be read: a row for each place the index
    // names, which says so.
    QFile::remove(file("data_1"));
    sink = rows(&reporter);
    ASSERT_EQ(sink.rows.size(), 217);
    for (const QList<QByteArray>& row : sink.rows) {
        EXPECT_EQ(row[kWebCacheNote], tx(TextEntryUnreadable).toUtf8() + ": data_1");
        EXPECT_EQ(row[kWebCacheUrl], "");
        EXPECT_TRUE(row[kWebCacheLocation].startsWith("blockfile:a"));
    }

    // An external body gone: its row names the file, and the body is not read.
    copyTestFolder(QStringLiteral("chrome-cache"), m_folder);
    QFile::remove(file("f_000010"));
    sink = rows();
    const QList<QByteArray> picture = rowAt(sink, "blockfile:a0010038");
    EXPECT_EQ(picture[kWebCacheNote],
              (tx(TextHeadersInMissingFile).arg(QStringLiteral("data_3")) + QStringLiteral("; ") +
               tx(TextBodyInMissingFile).arg(QStringLiteral("f_000010")))
                  .toUtf8());
    EXPECT_EQ(picture[kWebCacheSize], "25960");
    EXPECT_EQ(picture[kWebCacheBodyFile], pathBytes(file("f_000010")));
    const CachedBody body = readCachedBodyOfRow(localEvidenceFiles(), picture);
    EXPECT_TRUE(body.bytes.isEmpty());
    EXPECT_TRUE(body.error.startsWith(tx(TextCacheBodyUnreadable) + QStringLiteral(":\n") +
                                      file("f_000010")));
}

TEST_F(DamagedBlockFiles, AnIndexThatIsNoneOrCutIsReported) {
    edit("index", [](QByteArray& b) { b[0] = 'X'; });
    CollectingReporter reporter;
    EXPECT_TRUE(rows(&reporter).rows.isEmpty());
    ASSERT_EQ(reporter.errors.size(), 1);
    EXPECT_EQ(reporter.errors[0], tx(TextCacheUnreadable) + QStringLiteral(":\n") + m_folder +
                                      QLatin1Char('\n') + tx(TextNotCacheIndexFile));

    edit("index", [](QByteArray& b) {
        b[0] = '\xC3';
        setLe32(b, 4, 0x30000);
    });
    reporter = CollectingReporter();
    EXPECT_TRUE(rows(&reporter).rows.isEmpty());
    ASSERT_EQ(reporter.errors.size(), 1);
    EXPECT_TRUE(
        reporter.errors[0].endsWith(tx(TextUnknownCacheVersion).arg(QStringLiteral("3.0"))));

    // Cut inside the table: the buckets before the cut, and a warning.
    edit("index", [](QByteArray& b) {
        setLe32(b, 4, 0x20001);
        b.truncate(368 + 20000 * 4);
    });
    reporter = CollectingReporter();
    const CollectingSink sink = rows(&reporter);
    EXPECT_TRUE(reporter.errors.isEmpty());
    ASSERT_EQ(reporter.warnings.size(), 1);
    EXPECT_TRUE(reporter.warnings[0].startsWith(tx(TextCachePartlyRead)));
    EXPECT_TRUE(
        reporter.warnings[0].contains(tx(TextIndexFileShorter).arg(368 + 80000).arg(262512)));
    // The real table's first 20000 buckets hold 70 entries.
    const QByteArray table =
        fileBytes(testDataPath(QStringLiteral("chrome-cache/index"))).mid(368, 80000);
    int used = 0;
    for (int i = 0; i < 20000; ++i)
        used += qFromLittleEndian<quint32>(table.data() + 4 * i) != 0;
    EXPECT_EQ(sink.rows.size(), used);
    EXPECT_EQ(used, 70);
}

TEST_F(DamagedBlockFiles, ChainsThatLoopOrPointNowhereEnd) {
    // The first entry's chain points back at itself, the second's at the
    // first: each entry still gives one row.
    edit("data_1", [](QByteArray& b) {
        setLe32(b, entryOffset(0xa0010038) + 4, 0xa0010038);
        setLe32(b, entryOffset(0xa001005e) + 4, 0xa0010038);
    });
    // Two buckets that point at no entry: a ranking block, and a block of
    // a file that does not exist (a row with a note: it could be one).
    edit("index", [](QByteArray& b) {
        for (qsizetype i = 368; i < b.size(); i += 4) {
            if (qFromLittleEndian<quint32>(b.data() + i) == 0) {
                setLe32(b, i, 0x90000001);
                setLe32(b, i + 4, 0xa0630000);
                break;
            }
        }
    });
    CollectingReporter reporter;
    const CollectingSink sink = rows(&reporter);
    EXPECT_EQ(sink.rows.size(), 218);
    QSet<QByteArray> locations;
    for (const QList<QByteArray>& row : sink.rows)
        locations.insert(row[kWebCacheLocation]);
    EXPECT_EQ(locations.size(), 218);
    EXPECT_EQ(rowAt(sink, "blockfile:a0630000")[kWebCacheNote],
              tx(TextEntryUnreadable).toUtf8() + ": data_99");
    ASSERT_EQ(reporter.warnings.size(), 1);
    EXPECT_TRUE(reporter.warnings[0].endsWith(tx(TextCacheIndexDamaged).arg(1)));
}

TEST_F(DamagedBlockFiles, HostileSizesAndAddressesGiveNotesNotReads) {
    edit("data_1", [](QByteArray& b) {
        const qsizetype script = entryOffset(0xa00101af);
        setLe32(b, script + 32, 0x7FFFFFFF); // key length beyond the block
        setLe32(b, script + 44, 0x7FFFFFFF); // body size beyond its blocks
        const qsizetype page = entryOffset(0xa001015f);
        setLe32(b, page + 32, 0xFFFFFFF0); // a negative key length
        setLe32(b, page + 40, 2u << 20);   // response information of 2 MiB
        const qsizetype logo = entryOffset(0xa0010104);
        setLe32(b, logo + 56, 0xac010165); // reserved bits set
        setLe32(b, logo + 60, 0xd0010000); // file type 5
        const qsizetype other = entryOffset(0xa0010090);
        setLe32(b, other + 36, 0xb102fff0); // the long key's blocks beyond data_2
    });
    CollectingReporter reporter;
    const CollectingSink sink = rows(&reporter);
    ASSERT_EQ(sink.rows.size(), 217);
    const QList<QByteArray> script = rowAt(sink, "blockfile:a00101af");
    EXPECT_EQ(script[kWebCacheNote],
              (tx(TextKeyCut) + QStringLiteral("; ") + tx(TextBodyPlaceDamaged)).toUtf8());
    EXPECT_TRUE(script[kWebCacheUrl].startsWith("http://www.blogblog.com/"));
    EXPECT_EQ(script[kWebCacheSize], "2147483647");
    EXPECT_TRUE(readCachedBodyOfRow(localEvidenceFiles(), script).bytes.isEmpty());
    const QList<QByteArray> page = rowAt(sink, "blockfile:a001015f");
    EXPECT_EQ(page[kWebCacheNote],
              (tx(TextKeyCut) + QStringLiteral("; ") + tx(TextHeadersUnreadable) +
               QStringLiteral("; ") + tx(TextBodyInMissingFile).arg(QStringLiteral("data_3")))
                  .toUtf8());
    EXPECT_EQ(page[kWebCacheUrl], "");
    const QList<QByteArray> logo = rowAt(sink, "blockfile:a0010104");
    EXPECT_EQ(
        logo[kWebCacheNote],
        (tx(TextHeadersUnreadable) + QStringLiteral("; ") + tx(TextBodyPlaceDamaged)).toUtf8());
    EXPECT_EQ(rowAt(sink, "blockfile:a0010090")[kWebCacheNote],
              (tx(TextKeyCut) + QStringLiteral("; ") +
               tx(TextHeadersInMissingFile).arg(QStringLiteral("data_3")))
                  .toUtf8());

    // A block file whose header is not one: every place in it is damaged.
    edit("data_2", [](QByteArray& b) { b[0] = 0; });
    const CollectingSink broken = rows();
    // (the spinner's body lies in data_2, its headers in the missing data_3)
    EXPECT_EQ(rowAt(broken, "blockfile:a00101cd")[kWebCacheNote],
              (tx(TextHeadersInMissingFile).arg(QStringLiteral("data_3")) + QStringLiteral("; ") +
               tx(TextBodyPlaceDamaged))
                  .toUtf8());
    // A data_1 cut in its middle: the entries beyond it cannot be read.
    edit("data_1", [](QByteArray& b) { b.truncate(8192 + 256 * 100); });
    const CollectingSink cut = rows();
    int unreadable = 0;
    for (const QList<QByteArray>& row : cut.rows)
        unreadable += row[kWebCacheNote] == tx(TextEntryUnreadable).toUtf8();
    EXPECT_GT(unreadable, 50);
}

TEST_F(DamagedCaches, FirefoxEntriesThatBreakOffAndTheIndexOfGoneEntries) {
    const QString cache2 = dir(QStringLiteral("cache2"));
    const QString entries = cache2 + QStringLiteral("/entries");
    copyTestFolder(QStringLiteral("firefox-cache2"), entries);
    const QByteArray github =
        fileBytes(entries + QStringLiteral("/0FC75AE83A9F7CAEFD982F3A793D9CDE5166ECD2"));
    // Hostile variants of the GitHub entry, each in a file of its own.
    QByteArray hugeKey = github;
    // The key size: after the 80-byte body, the hash (4), one chunk hash
    // (2), and six header fields.
    qToBigEndian<quint32>(0x7FFFFFFF, hugeKey.data() + 80 + 4 + 2 + 24);
    QByteArray version0 = github;
    qToBigEndian<quint32>(0, version0.data() + 80 + 4 + 2);
    QByteArray noEnd = github.first(github.size() - 4 - 40);
    putBe32(noEnd, 80);
    writeFile(entries + QStringLiteral("/AA00000000000000000000000000000000000001"), hugeKey);
    writeFile(entries + QStringLiteral("/AA00000000000000000000000000000000000002"), version0);
    writeFile(entries + QStringLiteral("/AA00000000000000000000000000000000000003"), noEnd);
    writeFile(entries + QStringLiteral("/AA00000000000000000000000000000000000004"), "abc");
    // An entry with compiled script after its body, one in "doomed", and an
    // index that lists a gone entry and a present one.
    writeFile(entries + QStringLiteral("/BB00000000000000000000000000000000000001"),
              firefoxEntryFile(
                  "var a = 1;//BYTECODE", "a,:https://site.example/a.js",
                  {{"alt-data", "1;10,javascript/moz-script"},
                   {"response-head", "HTTP/1.1 200 OK\r\nContent-Type: text/javascript\r\n"}},
                  1700000000, 1690000000, 1710000000));
    writeFile(
        cache2 + QStringLiteral("/doomed/1234"),
        firefoxEntryFile("x", ":https://gone.example/", {}, 1700000000, 1700000000, 0xFFFFFFFFu));
    writeFile(cache2 + QStringLiteral("/index"),
              firefoxIndexFile(13, {{"CC00000000000000000000000000000000000001", 1705000000, 3},
                                    {"0FC75AE83A9F7CAEFD982F3A793D9CDE5166ECD2", 1, 1}}));
    CollectingReporter reporter;
    const CollectingSink sink =
        rowsOf(cache2, CacheFormat::Firefox, &reporter, nullptr, Browser::Firefox);
    EXPECT_TRUE(reporter.warnings.isEmpty()) << reporter.warnings.join(' ').toStdString();
    ASSERT_EQ(sink.rows.size(), 10);
    const QByteArray notEntry = tx(TextNotCacheEntry).toUtf8();
    // Sorted by name: 0E..., 0F..., AA...1 to 4, BB..., C9..., then doomed,
    // then the index's gone entry.
    EXPECT_EQ(sink.rows[2][kWebCacheNote], notEntry);
    EXPECT_EQ(sink.rows[3][kWebCacheNote], notEntry);
    EXPECT_EQ(sink.rows[5][kWebCacheNote], notEntry);
    // Elements that break off: the key and times stay, the headers are gone.
    EXPECT_EQ(sink.rows[4][kWebCacheUrl], "https://github.com/log2timeline/plaso/issues/counts");
    EXPECT_EQ(sink.rows[4][kWebCacheNote], "");
    const QList<QByteArray>& script = sink.rows[6];
    EXPECT_EQ(script[kWebCacheUrl], "https://site.example/a.js");
    EXPECT_EQ(script[kWebCacheSize], "10");
    EXPECT_EQ(script[kWebCacheNote], tx(TextAltData).arg(10).toUtf8());
    EXPECT_EQ(timeText(script[kWebCacheExpires]), "2024-03-09 16:00:00");
    EXPECT_EQ(timeText(script[kWebCacheCreated]), "2023-07-22 04:26:40");
    EXPECT_EQ(readCachedBodyOfRow(localEvidenceFiles(), script).bytes, "var a = 1;");
    EXPECT_EQ(sink.rows[7][kWebCacheNote], notEntry);
    const QList<QByteArray>& doomed = sink.rows[8];
    EXPECT_EQ(doomed[kWebCacheLocation], "cache2:doomed/1234");
    EXPECT_EQ(doomed[kWebCacheNote], tx(TextCacheEntryDoomed).toUtf8());
    EXPECT_EQ(doomed[kWebCacheExpires], "");
    EXPECT_EQ(readCachedBodyOfRow(localEvidenceFiles(), doomed).bytes, "x");
    const QList<QByteArray>& gone = sink.rows[9];
    EXPECT_EQ(gone[kWebCacheLocation], "cache2:CC00000000000000000000000000000000000001");
    EXPECT_EQ(gone[kWebCacheNote], tx(TextEntryFileMissing).toUtf8());
    EXPECT_EQ(timeText(gone[kWebCacheLastUsed]), "2024-01-11 19:06:40");
    QString error;
    EXPECT_TRUE(
        readCacheEntry(localEvidenceFiles(), pathBytes(cache2), gone[kWebCacheLocation], &error));
    // Only names of files in the cache's own folders are read again.
    for (const char* location :
         {"cache2:../index", "cache2:doomed/../../x", "cache2:", "cache2:.."})
        EXPECT_FALSE(readCacheEntry(localEvidenceFiles(), pathBytes(cache2), location, &error))
            << location;

    // An index of version 10, and one of a size that is no whole records.
    writeFile(cache2 + QStringLiteral("/index"),
              firefoxIndexFile(10, {{"CC00000000000000000000000000000000000001", 0, 0}}));
    QString problem;
    EXPECT_EQ(readFirefoxIndex(localEvidenceFiles(), pathBytes(cache2), &problem).size(), 1);
    EXPECT_TRUE(problem.isEmpty());
    QByteArray odd = firefoxIndexFile(13, {{"CC00000000000000000000000000000000000001", 0, 0}});
    odd.chop(1);
    writeFile(cache2 + QStringLiteral("/index"), odd);
    EXPECT_TRUE(readFirefoxIndex(localEvidenceFiles(), pathBytes(cache2), &problem).isEmpty());
    EXPECT_TRUE(problem.endsWith(tx(TextUnknownCacheVersion).arg(13)));
}

} // namespace
} // namespace vc::testing
