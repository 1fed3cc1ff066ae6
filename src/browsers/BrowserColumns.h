#pragma once

#include "language/TextIds.h"
#include "tables/TableModel.h"

#include <memory>
#include <vector>

namespace vc {

// The three tables of the Chrome, Edge and Firefox tab.
enum class BrowserTable { History, Downloads, Cookies };

// Cell positions of the three tables. The last five cells of every row say
// where it came from: the browser, its profile folder, the database file,
// the files that were copied and read (the database and its write-ahead log
// or journal), and the browser's place (BrowserPlaces.h).
enum BrowserHistoryColumn {
    kHistoryUrl,
    kHistoryTitle,
    kHistoryVisitTime,
    kHistoryVisitCount,
    kHistoryTypedCount,
    kHistoryTransition,
    kHistoryBrowser,
    kHistoryColumnCount = kHistoryBrowser + 5
};
enum BrowserDownloadColumn {
    kDownloadUrl,
    kDownloadTargetPath,
    kDownloadStartTime,
    kDownloadEndTime,
    kDownloadReceivedBytes,
    kDownloadTotalBytes,
    kDownloadState,
    kDownloadBrowser,
    kDownloadColumnCount = kDownloadBrowser + 5
};
enum BrowserCookieColumn {
    kCookieHost,
    kCookieName,
    kCookieValue,
    kCookiePath,
    kCookieCreated,
    kCookieExpires,
    kCookieLastAccessed,
    kCookieFlags,
    kCookieBrowser,
    kCookieColumnCount = kCookieBrowser + 5
};

// Columns of the three tables: caption text, date column, width factor
// (the share of the table's width; a date needs about 0.14 of it). The
// shares add up to more than the width: the address, the title and the
// times get room to be read, and the provenance columns at the end are
// reached by scrolling sideways.
inline std::vector<TableColumn> browserHistoryColumns() {
    return {{TextUrlAddress, false, 0.32},
            {TextTitle, false, 0.22},
            {TextVisitTime, true, 0.15, TextEventPageVisited},
            {TextVisitCount, false, 0.07},
            {TextTypedCount, false, 0.07},
            {TextTransition, false, 0.10},
            {TextBrowser, false, 0.07},
            {TextBrowserProfile, false, 0.09},
            {TextSourceFile, false, 0.30},
            {TextReadFrom, false, 0.15},
            {TextBrowserPlace, false, 0.20}};
}
inline std::vector<TableColumn> browserDownloadColumns() {
    return {{TextUrlAddress, false, 0.30},
            {TextTargetPath, false, 0.25},
            {TextStartTime, true, 0.15, TextEventDownloadStarted},
            {TextEndTime, true, 0.15, TextEventDownloadEnded},
            {TextReceivedBytes, false, 0.08},
            {TextTotalBytes, false, 0.08},
            {TextState, false, 0.08},
            {TextBrowser, false, 0.07},
            {TextBrowserProfile, false, 0.09},
            {TextSourceFile, false, 0.30},
            {TextReadFrom, false, 0.15},
            {TextBrowserPlace, false, 0.20}};
}
inline std::vector<TableColumn> browserCookieColumns() {
    return {{TextSite, false, 0.18},
            {TextVariable, false, 0.12},
            {TextValue, false, 0.18},
            {TextCookiePath, false, 0.08},
            {TextCreationTime, true, 0.15, TextEventCookieCreated},
            {TextExpirationTime, true, 0.15, TextEventCookieExpires},
            {TextLastAccess, true, 0.15, TextEventCookieAccessed},
            {TextFlags, false, 0.09},
            {TextBrowser, false, 0.07},
            {TextBrowserProfile, false, 0.09},
            {TextSourceFile, false, 0.30},
            {TextReadFrom, false, 0.15},
            {TextBrowserPlace, false, 0.20}};
}

// Cell positions of the Cache table: one row per entry of a browser's disk
// cache. The last five cells say where it came from: the browser, its
// profile folder, the cache folder, the file that holds the body, and the
// entry's place in its cache, which finds the entry again from the row
// alone (browsers/cache/CacheEntryRead.h); then the browser's place.
enum WebCacheColumn {
    kWebCacheUrl,
    kWebCacheContentType,
    kWebCacheSize,
    kWebCacheCreated,
    kWebCacheLastUsed,
    kWebCacheServerModified,
    kWebCacheExpires,
    kWebCacheStatus,
    kWebCacheNote,
    kWebCacheBrowser,
    kWebCacheProfile,
    kWebCacheFolder,
    kWebCacheBodyFile,
    kWebCacheLocation,
    kWebCachePlace,
    kWebCacheColumnCount
};

// The columns of the Cache table; its four date columns hold time cells.
inline std::vector<TableColumn> webCacheColumns() {
    return {{TextUrlAddress, false, 0.32},
            {TextContentType, false, 0.10},
            {TextBodySize, false, 0.06},
            {TextCreationTime, true, 0.15, TextEventCacheStored},
            {TextLastUsed, true, 0.15, TextEventCacheUsed},
            {TextServerModified, true, 0.15, TextEventServerModified},
            {TextExpirationTime, true, 0.15, TextEventCacheExpires},
            {TextHttpStatus, false, 0.10},
            {TextNote, false, 0.15},
            {TextBrowser, false, 0.07},
            {TextBrowserProfile, false, 0.09},
            {TextCacheFolder, false, 0.30},
            {TextBodyFile, false, 0.30},
            {TextCacheEntry, false, 0.15},
            {TextBrowserPlace, false, 0.20}};
}
// The date column a row filter's date conditions test: the last use.
constexpr int kWebCacheAccessTimeColumn = kWebCacheLastUsed;
// The Cache table's name in the window ("webC_ListView").
QString webCacheTableName();
// A table of the program laid out as the Cache table; its text cells are UTF-8.
std::unique_ptr<TableModel> makeWebCacheTable();

// The columns of one of the tables.
std::vector<TableColumn> browserTableColumns(BrowserTable table);
// The date column a row filter's date conditions test: the visit time, the
// download's start, the cookie's last access.
int browserAccessTimeColumn(BrowserTable table);
// The table's name in the window ("webH_ListView", "webD_ListView",
// "webK_ListView"), which the headless tables share.
QString browserTableName(BrowserTable table);
// A table of the program laid out for one of them; its text cells are UTF-8.
std::unique_ptr<TableModel> makeBrowserTable(BrowserTable table);

} // namespace vc
