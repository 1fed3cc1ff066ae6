#pragma once

#include "browsers/BrowserTexts.h"
#include "tables/TableModel.h"

#include <vector>

namespace vc {

// Cell positions of the three tables. The last four cells of every row say
// where it came from: the browser, its profile folder, the database file and
// the files that were copied and read (the database and its write-ahead log
// or journal).
enum BrowserHistoryColumn {
    kHistoryUrl,
    kHistoryTitle,
    kHistoryVisitTime,
    kHistoryVisitCount,
    kHistoryTypedCount,
    kHistoryTransition,
    kHistoryBrowser,
    kHistoryColumnCount = kHistoryBrowser + 4
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
    kDownloadColumnCount = kDownloadBrowser + 4
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
    kCookieColumnCount = kCookieBrowser + 4
};

// Captions shared with the Internet Explorer tables.
enum : int {
    kTextUrlAddress = 77,
    kTextSite = 85,
    kTextVariable = 86,
    kTextCreationTime = 87,
    kTextExpirationTime = 88,
    kTextValue = 89,
    kTextFlags = 90,
    kTextLastAccess = 93,
};

// Columns of the three tables: caption text, date column, width factor.
inline std::vector<TableColumn> browserHistoryColumns() {
    return {{kTextUrlAddress, false, 0.30}, {kTextTitle, false, 0.15},
            {kTextVisitTime, true, 0.12},   {kTextVisitCount, false, 0.05},
            {kTextTypedCount, false, 0.05}, {kTextTransition, false, 0.07},
            {kTextBrowser, false, 0.05},    {kTextBrowserProfile, false, 0.06},
            {kTextSourceFile, false, 0.10}, {kTextReadFrom, false, 0.0}};
}
inline std::vector<TableColumn> browserDownloadColumns() {
    return {{kTextUrlAddress, false, 0.25},     {kTextTargetPath, false, 0.20},
            {kTextStartTime, true, 0.10},       {kTextEndTime, true, 0.10},
            {kTextReceivedBytes, false, 0.05},  {kTextTotalBytes, false, 0.05},
            {kTextState, false, 0.05},          {kTextBrowser, false, 0.05},
            {kTextBrowserProfile, false, 0.05}, {kTextSourceFile, false, 0.08},
            {kTextReadFrom, false, 0.0}};
}
inline std::vector<TableColumn> browserCookieColumns() {
    return {{kTextSite, false, 0.15},        {kTextVariable, false, 0.10},
            {kTextValue, false, 0.15},       {kTextCookiePath, false, 0.05},
            {kTextCreationTime, true, 0.10}, {kTextExpirationTime, true, 0.10},
            {kTextLastAccess, true, 0.10},   {kTextFlags, false, 0.05},
            {kTextBrowser, false, 0.05},     {kTextBrowserProfile, false, 0.05},
            {kTextSourceFile, false, 0.07},  {kTextReadFrom, false, 0.0}};
}

} // namespace vc
