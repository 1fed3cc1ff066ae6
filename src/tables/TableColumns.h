#pragma once

#include "language/TextIds.h"
#include "tables/TableModel.h"

#include <vector>

namespace vc {

// Columns of the six tables: caption text, date column, width factor.
inline std::vector<TableColumn> activityColumns() {
    return {{TextUrlAddress, false, 0.25},
            {TextModificationTime, true, 0.17, TextEventCachedModified},
            {TextAccessTime, true, 0.17, TextEventCachedAccessed},
            {TextFileName, false, 0.15},
            {TextFileExt, false, 0.05},
            {TextType, false, 0.05},
            {TextDirectory, false, 0.10},
            {TextHttpHeader, false, 0.0}};
}
inline std::vector<TableColumn> cookieColumns() {
    return {{TextSite, false, 0.30},
            {TextVariable, false, 0.10},
            {TextCreationTime, true, 0.20, TextEventCookieCreated},
            {TextExpirationTime, true, 0.20, TextEventCookieExpires},
            {TextFileName, false, 0.05},
            {TextValue, false, 0.05},
            {TextFlags, false, 0.0}};
}
inline std::vector<TableColumn> historyColumns() {
    return {{TextUrlAddress, false, 0.40},
            {TextModificationTime, true, 0.20, TextEventHistoryModified},
            {TextAccessTime, true, 0.20, TextEventPageVisited},
            {TextType, false, 0.10},
            {TextCachedFile, false, 0.0}};
}
// The Links table's last column, the address a favorite stores, follows
// the four it has always had.
inline std::vector<TableColumn> linksColumns() {
    return {{TextName, false, 0.30},
            {TextCreationTime, true, 0.15, TextEventFavoriteCreated},
            {TextLastAccess, true, 0.15, TextEventFavoriteAccessed},
            {TextUrlAddress, false, 0.20},
            {TextStoredAddress, false, 0.0}};
}
// The recent documents: the five columns the table has always had, then
// what the newer sources add (row-line fields 6 to 25, see
// documents/RecentRow.h); wider than the view, so every column has its share.
inline std::vector<TableColumn> recentColumns() {
    return {{TextName, false, 0.30},
            {TextFileExt, false, 0.10},
            {TextCreationTime, true, 0.20, TextEventShortcutCreated},
            {TextLastAccess, true, 0.20, TextEventShortcutAccessed},
            {TextLinkAddress, false, 0.40},
            {TextSource, false, 0.30},
            {TextMruPosition, false, 0.14},
            {TextRecordedTime, true, 0.25, TextEventMruRecorded},
            {TextAccessCount, false, 0.14},
            {TextTargetPath, false, 0.45},
            {TextTargetCreated, true, 0.25, TextEventTargetCreated},
            {TextTargetModified, true, 0.25, TextEventTargetModified},
            {TextTargetAccessed, true, 0.25, TextEventTargetAccessed},
            {TextTargetSize, false, 0.13},
            {TextVolumeLabel, false, 0.15},
            {TextVolumeSerial, false, 0.16},
            {TextMachineId, false, 0.18},
            {TextWorkingFolder, false, 0.35},
            {TextNote, false, 0.30},
            {TextArguments, false, 0.30},
            {TextDescription, false, 0.30},
            {TextJumpListCategory, false, 0.20},
            {TextAddedTime, true, 0.25, TextEventRecentAdded},
            {TextVisitedTime, true, 0.25, TextEventFileVisited},
            {TextApplications, false, 0.30}};
}
inline std::vector<TableColumn> tempColumns() {
    return {{TextName, false, 0.30},
            {TextFileExt, false, 0.10},
            {TextCreationTime, true, 0.20, TextEventTempCreated},
            {TextLastAccess, true, 0.20, TextEventTempAccessed},
            {TextFilePath, false, 0.0}};
}

} // namespace vc
