// The real browser databases of tests/data, read row by row and compared
// with what the sqlite3 program reads from the same files
// (tests/data/expected, written by tests/tools/browser-expected.sh; the
// queries and the time conversion by SQLite's datetime() are in the script).
#include "BrowserTestSupport.h"
#include "browsers/BrowserColumns.h"

namespace vc::testing {
namespace {

using RealBrowserDatabases = BrowserTest;

// Chrome's transitions in this file, decoded by hand: the core type is the
// low byte, the high bits are qualifiers (0x10000000 chain start and
// 0x20000000 chain end are not shown).
QByteArray chromeTransitionByHand(qint64 raw) {
    static const QMap<qint64, QByteArray> known = {
        {805306368, "link"},                                   // 0x30000000
        {805306374, "top level (automatic)"},                  // 0x30000006
        {268435459, "subframe (automatic)"},                   // 0x10000003
        {2684354563, "subframe (automatic), server redirect"}, // 0xA0000003
        {268435457, "typed"},                                  // 0x10000001
        {2684354561, "typed, server redirect"},                // 0xA0000001
        {805306371, "subframe (automatic)"},                   // 0x30000003
        {1610612736, "link, client redirect"},                 // 0x60000000
        {805306373, "generated"},                              // 0x30000005
        {1610612743, "form submit, client redirect"},          // 0x60000007
        {822083584, "link, forward/back"},                     // 0x31000000
    };
    EXPECT_TRUE(known.contains(raw)) << raw;
    return known.value(raw);
}

QByteArray flagsByHand(const QByteArray& secure, const QByteArray& httpOnly) {
    QByteArrayList words;
    if (secure != "0")
        words << "secure";
    if (httpOnly != "0")
        words << "HTTP only";
    return words.join(", ");
}

TEST_F(RealBrowserDatabases, ChromeVisitsAreEveryVisitOfTheFile) {
    const QString path = testDataPath(QStringLiteral("chrome-History"));
    CollectingReporter reporter;
    const CollectingSink sink = load(BrowserTable::History, Browser::Chrome,
                                     BrowserDatabaseKind::ChromeHistory, path, &reporter);
    EXPECT_TRUE(reporter.errors.isEmpty()) << reporter.errors.join(' ').toStdString();
    const auto expected = expectedRows(QStringLiteral("chrome-History.visits.tsv"));
    ASSERT_EQ(expected.size(), 69);
    ASSERT_EQ(sink.rows.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const QList<QByteArray>& row = sink.rows[i];
        const QList<QByteArray>& want = expected[i];
        ASSERT_EQ(row.size(), kHistoryColumnCount);
        EXPECT_EQ(row[kHistoryUrl], want[0]) << "row " << i;
        EXPECT_EQ(row[kHistoryTitle], want[1]) << "row " << i;
        EXPECT_EQ(row[kHistoryVisitTime], want[2]) << "row " << i;
        EXPECT_EQ(row[kHistoryVisitCount], want[3]) << "row " << i;
        EXPECT_EQ(row[kHistoryTypedCount], want[4]) << "row " << i;
        EXPECT_EQ(row[kHistoryTransition], chromeTransitionByHand(want[5].toLongLong()))
            << "row " << i;
        EXPECT_EQ(row[kHistoryBrowser], "Chrome");
        EXPECT_EQ(row[kHistoryBrowser + 1], "Default");
        EXPECT_EQ(row[kHistoryBrowser + 2], QFile::encodeName(path));
        EXPECT_EQ(row[kHistoryBrowser + 3], "chrome-History");
    }
}

TEST_F(RealBrowserDatabases, ChromeDownloadsOfTheOldLayoutCountSecondsSince1970) {
    const CollectingSink sink =
        load(BrowserTable::Downloads, Browser::Chrome, BrowserDatabaseKind::ChromeHistory,
             testDataPath(QStringLiteral("chrome-History")));
    const auto expected = expectedRows(QStringLiteral("chrome-History.downloads.tsv"));
    ASSERT_EQ(expected.size(), 2);
    ASSERT_EQ(sink.rows.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const QList<QByteArray>& row = sink.rows[i];
        EXPECT_EQ(row[kDownloadUrl], expected[i][0]);
        EXPECT_EQ(row[kDownloadTargetPath], expected[i][1]);
        EXPECT_EQ(row[kDownloadStartTime], expected[i][2]);
        EXPECT_EQ(row[kDownloadEndTime], ""); // the old layout has no end time
        EXPECT_EQ(row[kDownloadReceivedBytes], expected[i][3]);
        EXPECT_EQ(row[kDownloadTotalBytes], expected[i][4]);
        ASSERT_EQ(expected[i][5], "1");
        EXPECT_EQ(row[kDownloadState], "complete");
    }
}

TEST_F(RealBrowserDatabases, ChromeAndFirefoxCookiesAreEveryCookieOfTheFile) {
    struct Case {
        Browser browser;
        BrowserDatabaseKind kind;
        const char* file;
        const char* expected;
        int count;
    };
    for (const Case& c : {Case{Browser::Chrome, BrowserDatabaseKind::ChromeCookies,
                               "chrome-cookies.db", "chrome-cookies.tsv", 560},
                          Case{Browser::Firefox, BrowserDatabaseKind::FirefoxCookies,
                               "firefox-10-cookies.sqlite", "firefox-10-cookies.tsv", 13}}) {
        SCOPED_TRACE(c.file);
        CollectingReporter reporter;
        const CollectingSink sink = load(BrowserTable::Cookies, c.browser, c.kind,
                                         testDataPath(QLatin1String(c.file)), &reporter);
        EXPECT_TRUE(reporter.errors.isEmpty()) << reporter.errors.join(' ').toStdString();
        const auto expected = expectedRows(QLatin1String(c.expected));
        ASSERT_EQ(expected.size(), c.count);
        ASSERT_EQ(sink.rows.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const QList<QByteArray>& row = sink.rows[i];
            const QList<QByteArray>& want = expected[i];
            ASSERT_EQ(row.size(), kCookieColumnCount);
            for (int column = kCookieHost; column <= kCookieLastAccessed; ++column)
                EXPECT_EQ(row[column], want[column]) << "row " << i << " column " << column;
            EXPECT_EQ(row[kCookieFlags], flagsByHand(want[7], want[8])) << "row " << i;
        }
    }
}

TEST_F(RealBrowserDatabases, FirefoxVisitAndOldDownloadsFile) {
    const CollectingSink visits =
        load(BrowserTable::History, Browser::Firefox, BrowserDatabaseKind::FirefoxPlaces,
             testDataPath(QStringLiteral("firefox-places.sqlite")));
    const auto expectedVisits = expectedRows(QStringLiteral("firefox-places.visits.tsv"));
    ASSERT_EQ(expectedVisits.size(), 1);
    ASSERT_EQ(visits.rows.size(), 1);
    for (int column = kHistoryUrl; column <= kHistoryTypedCount; ++column)
        EXPECT_EQ(visits.rows[0][column], expectedVisits[0][column]);
    ASSERT_EQ(expectedVisits[0][5], "2");
    EXPECT_EQ(visits.rows[0][kHistoryTransition], "typed");
    EXPECT_EQ(visits.rows[0][kHistoryBrowser], "Firefox");

    // This places.sqlite holds no download annotations.
    EXPECT_TRUE(load(BrowserTable::Downloads, Browser::Firefox, BrowserDatabaseKind::FirefoxPlaces,
                     testDataPath(QStringLiteral("firefox-places.sqlite")))
                    .rows.isEmpty());

    const CollectingSink downloads =
        load(BrowserTable::Downloads, Browser::Firefox, BrowserDatabaseKind::FirefoxDownloads,
             testDataPath(QStringLiteral("firefox-downloads.sqlite")));
    const auto expected = expectedRows(QStringLiteral("firefox-downloads.tsv"));
    ASSERT_EQ(expected.size(), 1);
    ASSERT_EQ(downloads.rows.size(), 1);
    for (int column = kDownloadUrl; column <= kDownloadTotalBytes; ++column)
        EXPECT_EQ(downloads.rows[0][column], expected[0][column]) << "column " << column;
    ASSERT_EQ(expected[0][6], "1");
    EXPECT_EQ(downloads.rows[0][kDownloadState], "complete");
}

} // namespace
} // namespace vc::testing
