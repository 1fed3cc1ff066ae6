// The layouts the browsers have written since the real test files were
// made: Chrome's downloads with address chains and end times, cookies with
// encrypted values and renamed flag columns, Firefox's download
// annotations and cookie expiry in milliseconds; odd values in old ones;
// and the row filter over UTF-8 cells.
#include "BrowserTestSupport.h"
#include "browsers/BrowserCells.h"
#include "browsers/BrowserColumns.h"
#include "platform/CodePage.h"
#include "recall/RecallConditions.h"

namespace vc::testing {
namespace {

using BrowserLayouts = BrowserTest;

// Times used below, as SQLite's datetime() gives them:
// Chrome 13300000000000000 -> 2022-06-18 04:26:40, 13310000000000000 ->
// 2022-10-11 22:13:20; 1700000000 s since 1970 -> 2023-11-14 22:13:20,
// 1700000100000 ms -> 2023-11-14 22:15:00, 1800000000000 ms -> 2027-01-15
// 08:00:00.

TEST_F(BrowserLayouts, ChromeDownloadsWithAddressChainsAndEndTimes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("History"));
    makeDatabase(path, R"(
        CREATE TABLE downloads (id INTEGER PRIMARY KEY, guid VARCHAR NOT NULL,
          current_path LONGVARCHAR NOT NULL, target_path LONGVARCHAR NOT NULL,
          start_time INTEGER NOT NULL, received_bytes INTEGER NOT NULL,
          total_bytes INTEGER NOT NULL, state INTEGER NOT NULL, danger_type INTEGER NOT NULL,
          interrupt_reason INTEGER NOT NULL, hash BLOB NOT NULL, end_time INTEGER NOT NULL,
          opened INTEGER NOT NULL, last_access_time INTEGER NOT NULL,
          referrer VARCHAR NOT NULL, tab_url VARCHAR NOT NULL, mime_type VARCHAR(255) NOT NULL);
        CREATE TABLE downloads_url_chains (id INTEGER NOT NULL, chain_index INTEGER NOT NULL,
          url LONGVARCHAR NOT NULL, PRIMARY KEY (id, chain_index));
        INSERT INTO downloads VALUES (1, 'g1', 'C:\Users\joe\Downloads\setup.exe',
          'C:\Users\joe\Downloads\setup.exe', 13300000000000000, 100, 200, 3, 0, 40, x'',
          13310000000000000, 0, 0, '', '', 'application/octet-stream');
        INSERT INTO downloads VALUES (2, 'g2', 'C:\tmp\x.crdownload', '', 0, 0, 0, 0, 0, 0, x'',
          0, 0, 0, '', '', '');
        INSERT INTO downloads_url_chains VALUES (1, 1, 'https://cdn.example/setup.exe');
        INSERT INTO downloads_url_chains VALUES (1, 0, 'http://a.example/get');
    )");
    const CollectingSink sink =
        load(BrowserTable::Downloads, Browser::Edge, BrowserDatabaseKind::ChromeHistory, path);
    ASSERT_EQ(sink.rows.size(), 2);
    const QList<QByteArray> first = sink.rows[0].mid(0, kDownloadBrowser + 1);
    EXPECT_EQ(first,
              (QList<QByteArray>{"https://cdn.example/setup.exe",
                                 "C:\\Users\\joe\\Downloads\\setup.exe", "2022-06-18 04:26:40",
                                 "2022-10-11 22:13:20", "100", "200", "interrupted", "Edge"}));
    // Still coming in: no final name yet, no times, no address chain.
    const QList<QByteArray> second = sink.rows[1].mid(0, kDownloadBrowser);
    EXPECT_EQ(second,
              (QList<QByteArray>{"", "C:\\tmp\\x.crdownload", "", "", "0", "0", "in progress"}));
}

TEST_F(BrowserLayouts, ChromeCookiesEncryptedByWindowsShowOnlyTheirSize) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Cookies"));
    makeDatabase(path, R"(
        CREATE TABLE cookies (creation_utc INTEGER NOT NULL, host_key TEXT NOT NULL,
          top_frame_site_key TEXT NOT NULL, name TEXT NOT NULL, value TEXT NOT NULL,
          encrypted_value BLOB NOT NULL, path TEXT NOT NULL, expires_utc INTEGER NOT NULL,
          is_secure INTEGER NOT NULL, is_httponly INTEGER NOT NULL,
          last_access_utc INTEGER NOT NULL, has_expires INTEGER NOT NULL,
          is_persistent INTEGER NOT NULL, priority INTEGER NOT NULL, samesite INTEGER NOT NULL,
          source_scheme INTEGER NOT NULL, source_port INTEGER NOT NULL,
          last_update_utc INTEGER NOT NULL,
          UNIQUE (host_key, top_frame_site_key, name, path, source_scheme, source_port));
        INSERT INTO cookies VALUES (13300000000000000, '.bank.example', '', 'SID', '',
          x'763130' || zeroblob(28), '/', 13310000000000000, 1, 1, 13310000000000000, 1, 1, 1,
          0, 2, 443, 0);
        INSERT INTO cookies VALUES (13300000000000000, 'news.example', '', 'lang', 'de', x'',
          '/news', 0, 1, 0, 13300000000000000, 0, 0, 1, 0, 2, 443, 0);
        INSERT INTO cookies VALUES (13300000000000000, 'old.example', '', 'k', '', x'01020304',
          '/', 0, 0, 1, 0, 0, 0, 1, 0, 2, 443, 0);
    )");
    const CollectingSink sink =
        load(BrowserTable::Cookies, Browser::Chrome, BrowserDatabaseKind::ChromeCookies, path);
    ASSERT_EQ(sink.rows.size(), 3);
    EXPECT_EQ(sink.rows[0].mid(0, kCookieBrowser),
              (QList<QByteArray>{".bank.example", "SID", "(encrypted, 31 bytes)", "/",
                                 "2022-06-18 04:26:40", "2022-10-11 22:13:20",
                                 "2022-10-11 22:13:20", "secure, HTTP only"}));
    // A session cookie (no expiry) with a plain value.
    EXPECT_EQ(sink.rows[1].mid(0, kCookieBrowser),
              (QList<QByteArray>{"news.example", "lang", "de", "/news", "2022-06-18 04:26:40", "",
                                 "2022-06-18 04:26:40", "secure"}));
    // Encrypted by DPAPI alone (no "v10"): still only its size.
    EXPECT_EQ(sink.rows[2][kCookieValue], "(encrypted, 4 bytes)");
    EXPECT_EQ(sink.rows[2][kCookieFlags], "HTTP only");
}

TEST_F(BrowserLayouts, FirefoxDownloadsFromAnnotationsAndCookieExpiryInMilliseconds) {
    QTemporaryDir dir;
    const QString places = dir.filePath(QStringLiteral("places.sqlite"));
    sqlite3* db = openAsBrowser(places, QStringLiteral("firefox-places.sqlite"));
    ASSERT_NE(db, nullptr);
    execSql(db, R"(
        INSERT INTO moz_anno_attributes (id, name) VALUES (20, 'downloads/destinationFileURI'),
          (21, 'downloads/metaData');
        INSERT INTO moz_annos (place_id, anno_attribute_id, content, dateAdded) VALUES
          (92, 20, 'file:///C:/Users/joe/Downloads/caf%C3%A9%20menu.pdf', 1700000000123456),
          (92, 21, '{"state":1,"endTime":1700000100000,"fileSize":4096}', 1700000100000000),
          (1, 20, 'file://server/share/x.zip', 1700000000000000),
          (92, 2, 'a bookmark description, no download', 1700000000000000);
    )");
    sqlite3_close(db);
    const CollectingSink downloads =
        load(BrowserTable::Downloads, Browser::Firefox, BrowserDatabaseKind::FirefoxPlaces, places);
    ASSERT_EQ(downloads.rows.size(), 2);
    EXPECT_EQ(downloads.rows[0].mid(0, kDownloadBrowser),
              (QList<QByteArray>{
                  "http://news.google.com/", "C:\\Users\\joe\\Downloads\\caf\xC3\xA9 menu.pdf",
                  "2023-11-14 22:13:20", "2023-11-14 22:15:00", "4096", "4096", "complete"}));
    // Without metadata only the start is known.
    EXPECT_EQ(downloads.rows[1][kDownloadTargetPath], "\\\\server\\share\\x.zip");
    EXPECT_EQ(downloads.rows[1][kDownloadStartTime], "2023-11-14 22:13:20");
    EXPECT_EQ(downloads.rows[1][kDownloadState], "");

    const QString cookies = dir.filePath(QStringLiteral("cookies.sqlite"));
    makeDatabase(cookies, R"(
        CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, originAttributes TEXT NOT NULL
          DEFAULT '', name TEXT, value TEXT, host TEXT, path TEXT, expiry INTEGER,
          lastAccessed INTEGER, creationTime INTEGER, isSecure INTEGER, isHttpOnly INTEGER);
        INSERT INTO moz_cookies VALUES (1, '', 'a', 'b', 'ms.example', '/', 1800000000000,
          1700000000000000, 1700000000000000, 0, 0);
        INSERT INTO moz_cookies VALUES (2, '', 'c', 'd', 's.example', '/', 1700000000,
          1700000000000000, 1700000000000000, 0, 0);
    )");
    const CollectingSink jar =
        load(BrowserTable::Cookies, Browser::Firefox, BrowserDatabaseKind::FirefoxCookies, cookies);
    ASSERT_EQ(jar.rows.size(), 2);
    EXPECT_EQ(jar.rows[0][kCookieExpires], "2027-01-15 08:00:00");
    EXPECT_EQ(jar.rows[1][kCookieExpires], "2023-11-14 22:13:20");
}

TEST_F(BrowserLayouts, VisitsWithOddValuesAndMissingColumnsKeepTheirPlace) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("History"));
    // No transition column; a visit whose address row is gone; times of 0,
    // before 1970 and past the year 3000; text with tabs and line breaks.
    makeDatabase(path, R"(
        CREATE TABLE urls (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,
          visit_count INTEGER, typed_count INTEGER, last_visit_time INTEGER);
        CREATE TABLE visits (id INTEGER PRIMARY KEY, url INTEGER NOT NULL,
          visit_time INTEGER NOT NULL);
        INSERT INTO urls VALUES (1, 'http://a.example/', 'Tab' || char(9) || 'and' || char(10)
          || 'break', 2, NULL, 0);
        INSERT INTO visits VALUES (1, 1, 0), (2, 999, 13300000000000000),
          (3, 1, 100000000000000), (4, 1, 99999999999999999);
    )");
    CollectingReporter reporter;
    const CollectingSink sink = load(BrowserTable::History, Browser::Chrome,
                                     BrowserDatabaseKind::ChromeHistory, path, &reporter);
    EXPECT_TRUE(reporter.errors.isEmpty());
    ASSERT_EQ(sink.rows.size(), 4);
    EXPECT_EQ(sink.rows[0].mid(0, kHistoryBrowser),
              (QList<QByteArray>{"http://a.example/", "Tab and break", "", "2", "", ""}));
    EXPECT_EQ(sink.rows[1].mid(0, kHistoryBrowser),
              (QList<QByteArray>{"", "", "2022-06-18 04:26:40", "", "", ""}));
    EXPECT_EQ(sink.rows[2][kHistoryVisitTime], kUnconvertedTimeText); // before 1970
    // Dates after the year 3000 are shown (cookies commonly expire in 9999).
    EXPECT_EQ(sink.rows[3][kHistoryVisitTime], "4769-11-16 09:46:39");

    const BrowserCellTexts texts;
    EXPECT_EQ(texts.chromeTransition(0x1F), "31");
    EXPECT_EQ(texts.firefoxVisitType(42), "42");
    EXPECT_EQ(texts.chromeDownloadState(4, true), "interrupted");
    EXPECT_EQ(texts.chromeDownloadState(4, false), "4");
    EXPECT_EQ(texts.firefoxDownloadState(-1), "not started");
    EXPECT_EQ(texts.firefoxDownloadState(8), "blocked (virus)");
    EXPECT_EQ(windowsPathOfFileUri("FILE:///D:/a%25b"), "D:\\a%b");
    EXPECT_EQ(windowsPathOfFileUri("C:\\plain\\path"), "C:\\plain\\path");
}

TEST_F(BrowserLayouts, RowFilterMatchesUtf8CellsInEveryCodePage) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("History"));
    makeDatabase(path, R"(
        CREATE TABLE urls (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR);
        CREATE TABLE visits (id INTEGER PRIMARY KEY, url INTEGER NOT NULL,
          visit_time INTEGER NOT NULL);
        INSERT INTO urls VALUES (1, 'http://a.example/', 'Caf' || char(233)),
          (2, 'http://b.example/', 'Cafe');
        INSERT INTO visits VALUES (1, 1, 13300000000000000), (2, 2, 13310000000000000),
          (3, 1, 13310000000000000);
    )");
    const QString page = sourceCodePage();
    for (const char* codePage : {"windows-1252", "utf-8"}) {
        SCOPED_TRACE(codePage);
        ASSERT_TRUE(setSourceCodePage(QLatin1String(codePage)));
        RecallChoice choice = defaultRecallChoice();
        choice.phrase = QStringLiteral("Caf\u00E9");
        RecallConditionSet set;
        BuildRecallConditions(choice, set);
        CollectingSink sink = load(BrowserTable::History, Browser::Chrome,
                                   BrowserDatabaseKind::ChromeHistory, path, nullptr, &set);
        ASSERT_EQ(sink.rows.size(), 2);
        EXPECT_EQ(sink.rows[0][kHistoryTitle], "Caf\xC3\xA9");

        // The date conditions test the visit time.
        choice.date1Set = true;
        choice.date1 = QDate(2022, 10, 11);
        BuildRecallConditions(choice, set);
        sink = load(BrowserTable::History, Browser::Chrome, BrowserDatabaseKind::ChromeHistory,
                    path, nullptr, &set);
        ASSERT_EQ(sink.rows.size(), 1);
        EXPECT_EQ(sink.rows[0][kHistoryVisitTime], "2022-10-11 22:13:20");
    }
    setSourceCodePage(page);
}

} // namespace
} // namespace vc::testing
