#pragma once

#include "language/TextIds.h"
#include "tables/TableModel.h"

#include <QString>

#include <memory>
#include <vector>

namespace vc {

// The five tables of the Windows tab. Their text cells are UTF-8 (every
// source stores UTF-16: hives, index files, Prefetch files, SQLite); their
// date cells are time cells.
enum class WindowsTable { Folders, Programs, Typed, Deleted, Timeline };

// Folders opened: one row per shell bag.
enum FolderColumn {
    kFolderPath,         // the whole path, built down the tree of items
    kFolderName,         // the last item's name
    kFolderMruPosition,  // place in its parent key's MRUListEx, 0 = most recent
    kFolderLastOpened,   // the parent key's last-written time, for position 0 only
    kFolderKeyWritten,   // the folder's own key's last-written time
    kFolderItemModified, // the item's own times
    kFolderItemCreated,
    kFolderItemAccessed,
    kFolderFileReference, // NTFS entry-sequence of the item
    kFolderHive,          // NTUSER.DAT or UsrClass.dat
    kFolderKey,           // the folder's key below the hive's root
    kFolderNote,
    kFolderColumnCount
};

// Programs run: UserAssist entries and Prefetch files.
enum ProgramColumn {
    kProgramName,
    kProgramSource, // "UserAssist {GUID}" or "Prefetch"
    kProgramRunCount,
    kProgramLastRun,
    kProgramFocusCount,
    kProgramFocusTime,
    kProgramPreviousRun1, // Prefetch of Windows 8 and later: seven more run times
    kProgramPreviousRun7 = kProgramPreviousRun1 + 6,
    kProgramHash,
    kProgramVolumes,
    kProgramFormatVersion,
    kProgramSourceFile, // the Prefetch file, or the hive
    kProgramNote,
    kProgramColumnCount
};

// Typed and searched: TypedURLs, TypedPaths, WordWheelQuery, RunMRU, and the
// shells' histories of a Linux home.
enum TypedColumn {
    kTypedText,
    kTypedSource,
    kTypedMruPosition,
    kTypedTime,
    kTypedTimeSource, // "TypedURLsTime" or "key last written"
    kTypedValueName,
    kTypedKey,
    kTypedHive,
    kTypedNote,
    kTypedSourceFile, // a shell's history file (this computer's homes)
    kTypedColumnCount
};

// Deleted files: the Recycle Bin's index entries, and the trash of a Linux
// computer (its .trashinfo files).
enum DeletedColumn {
    kDeletedPath, // the original path
    kDeletedName,
    kDeletedSize,
    kDeletedTime,
    kDeletedUser, // the user the SID names, else the SID
    kDeletedSid,
    kDeletedStillThere,   // whether the recycled file ($R..., Dc...) is there
    kDeletedRecycledFile, // its path on the volume
    kDeletedIndexFile,    // the $I file or INFO2 (with the record's number)
    kDeletedFormatVersion,
    kDeletedNote,
    kDeletedColumnCount
};

// Windows Timeline: one row per activity of ActivitiesCache.db.
enum TimelineColumn {
    kActivityApplication,
    kActivityDisplayText,
    kActivityDescription,
    kActivityContent,
    kActivityType,
    kActivityStart,
    kActivityEnd,
    kActivityModified,
    kActivityDuration,
    kActivityClipboard,
    kActivityPlatform, // the platform of AppId the application came from
    kActivityExpires,
    kActivityId,
    kActivitySourceFile,
    kActivityReadFrom,
    kActivityNote,
    kActivityColumnCount
};

// Columns of the five tables: caption, date column, width factor, and what
// each time means as an event of the timeline.
inline std::vector<TableColumn> folderColumns() {
    return {{TextFolder, false, 0.40},
            {TextName, false, 0.15},
            {TextMruPosition, false, 0.08},
            {TextLastOpened, true, 0.15, TextEventFolderOpened},
            {TextKeyWritten, true, 0.15, TextEventFolderEntryChanged},
            {TextItemModified, true, 0.15, TextEventFolderModified},
            {TextItemCreated, true, 0.15, TextEventFolderCreated},
            {TextItemAccessed, true, 0.15, TextEventFolderAccessed},
            {TextFileReference, false, 0.10},
            {TextHive, false, 0.10},
            {TextRegistryKey, false, 0.30},
            {TextNote, false, 0.20}};
}
inline std::vector<TableColumn> programColumns() {
    std::vector<TableColumn> columns{
        {TextProgram, false, 0.40},    {TextSource, false, 0.15},
        {TextRunCount, false, 0.07},   {TextLastRun, true, 0.15, TextEventProgramRun},
        {TextFocusCount, false, 0.07}, {TextFocusTime, false, 0.08}};
    const int previous[] = {TextPreviousRun1, TextPreviousRun2, TextPreviousRun3, TextPreviousRun4,
                            TextPreviousRun5, TextPreviousRun6, TextPreviousRun7};
    for (const int caption : previous)
        columns.push_back({caption, true, 0.15, TextEventProgramRun});
    columns.insert(columns.end(), {{TextPrefetchHash, false, 0.08},
                                   {TextVolumes, false, 0.25},
                                   {TextFormatVersion, false, 0.06},
                                   {TextSourceFile, false, 0.30},
                                   {TextNote, false, 0.20}});
    return columns;
}
inline std::vector<TableColumn> typedColumns() {
    return {{TextText, false, 0.40},        {TextSource, false, 0.12},
            {TextMruPosition, false, 0.08}, {TextRecordedTime, true, 0.15, TextEventEntryTyped},
            {TextTimeSource, false, 0.12},  {TextValueName, false, 0.08},
            {TextRegistryKey, false, 0.30}, {TextHive, false, 0.20},
            {TextNote, false, 0.20},        {TextSourceFile, false, 0.30}};
}
inline std::vector<TableColumn> deletedColumns() {
    return {{TextOriginalPath, false, 0.40}, {TextName, false, 0.15},
            {TextSize, false, 0.08},         {TextDeletionTime, true, 0.15, TextEventFileDeleted},
            {TextUser, false, 0.10},         {TextSidColumn, false, 0.20},
            {TextStillThere, false, 0.07},   {TextRecycledFile, false, 0.30},
            {TextIndexFile, false, 0.30},    {TextFormatVersion, false, 0.06},
            {TextNote, false, 0.20}};
}
inline std::vector<TableColumn> timelineColumns() {
    return {{TextApplication, false, 0.30},
            {TextDisplayText, false, 0.20},
            {TextDescription, false, 0.20},
            {TextContentAddress, false, 0.25},
            {TextActivityType, false, 0.08},
            {TextStartTime, true, 0.15, TextEventActivityStarted},
            {TextEndTime, true, 0.15, TextEventActivityEnded},
            {TextLastModified, true, 0.15, TextEventActivityModified},
            {TextActiveDuration, false, 0.08},
            {TextClipboardPayload, false, 0.08},
            {TextPlatform, false, 0.10},
            {TextExpirationTime, true, 0.15},
            {TextActivityId, false, 0.25},
            {TextSourceFile, false, 0.30},
            {TextReadFrom, false, 0.15},
            {TextNote, false, 0.20}};
}

// The columns of one of the tables.
std::vector<TableColumn> windowsTableColumns(WindowsTable table);
// The date column a row filter's date conditions test: the folder key's
// last-written time, the last run, the typed entry's time, the deletion
// time, the activity's start.
int windowsFilterDateColumn(WindowsTable table);
// The table's name in the window ("winF_ListView", "winP_ListView",
// "winT_ListView", "winD_ListView", "winL_ListView").
QString windowsTableName(WindowsTable table);
// A table of the program laid out for one of them; its text cells are UTF-8.
std::unique_ptr<TableModel> makeWindowsTable(WindowsTable table);

} // namespace vc
