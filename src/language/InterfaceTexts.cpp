#include "language/InterfaceTexts.h"

#include <QStringList>

namespace vc {

namespace {

// The built-in English texts, in number order (UTF-8 source).
const char* const kEnglishTexts[kBaseTextCount] = {
    "Vellacord",                                                              // 0
    "Internet Explorer",                                                      // 1
    "Activity",                                                               // 2
    "Parameters",                                                             // 3
    "Full history",                                                           // 4
    "History",                                                                // 5
    "Cookie",                                                                 // 6
    "Links",                                                                  // 7
    "Documents",                                                              // 8
    "Links to recent documents and folders",                                  // 9
    "Not erased temporary files",                                             // 10
    "File",                                                                   // 11
    "My Computer",                                                            // 12
    "Search",                                                                 // 13
    "Internet Explorer",                                                      // 14
    "Documents",                                                              // 15
    "Export",                                                                 // 16
    "Help",                                                                   // 17
    "Help yourself (localization)",                                           // 18
    "Exit",                                                                   // 19
    "Easy work is over",                                                      // 20
    "IE Activity",                                                            // 21
    "IE Cookie",                                                              // 22
    "IE History",                                                             // 23
    "IE Favorites",                                                           // 24
    "Current Table to XML file",                                              // 25
    "Export Current Table to .XML file",                                      // 26
    "Current Table to TXT file with Tab Delimited Values",                    // 27
    "Export Current Table to .TXT file with Tab Delimited Values",            // 28
    "Find",                                                                   // 29
    "Find in Current Table",                                                  // 30
    "Go to Line Number",                                                      // 31
    "Go to Line Number in Current Table",                                     // 32
    "Search Again",                                                           // 33
    "Vellacord",                                                              // 34
    "Gather every trace this computer keeps, in one run",                     // 35
    "Recall with Conditions",                                                 // 36
    "Gather the chosen traces that meet your conditions",                     // 37
    "Open with",                                                              // 38
    "Open Folder",                                                            // 39
    "Copy to",                                                                // 40
    "Move to",                                                                // 41
    "Properties",                                                             // 42
    "Recent Documents",                                                       // 43
    "Recent Opened Documents",                                                // 44
    "Temporary Files",                                                        // 45
    "Not Erased Temporary Files",                                             // 46
    "Manual",                                                                 // 47
    "Help",                                                                   // 48
    "Create a Desktop Icon",                                                  // 49
    "Create a Quick Launch Icon",                                             // 50
    "About",                                                                  // 51
    "Available Locales",                                                      // 52
    "Cancel",                                                                 // 53
    "Find Text",                                                              // 54
    "Find",                                                                   // 55
    "Text to Find",                                                           // 56
    "Columns for Search",                                                     // 57
    "Forward",                                                                // 58
    "Backward",                                                               // 59
    "From Cursor",                                                            // 60
    "Entire Scope",                                                           // 61
    "Options",                                                                // 62
    "Case Sensitive",                                                         // 63
    "OK",                                                                     // 64
    "Go to Line Number",                                                      // 65
    "Entire New Line Number",                                                 // 66
    "Recall with Conditions",                                                 // 67
    "Clear",                                                                  // 68
    "Sections",                                                               // 69
    "Conditions",                                                             // 70
    "The Date of the Last Access",                                            // 71
    "Some Field of the Table",                                                // 72
    "Clear Calendar",                                                         // 73
    "files",                                                                  // 74
    "Records",                                                                // 75
    "Error! The index.dat file cannot be opened!",                            // 76
    "URL Address",                                                            // 77
    "Modification Time",                                                      // 78
    "Access Time",                                                            // 79
    "File Name",                                                              // 80
    "File Ext",                                                               // 81
    "Type",                                                                   // 82
    "Directory",                                                              // 83
    "HTTP Header",                                                            // 84
    "Site",                                                                   // 85
    "Variable",                                                               // 86
    "Creation Time",                                                          // 87
    "Expiration Time",                                                        // 88
    "Value",                                                                  // 89
    "Flags",                                                                  // 90
    "Cached File",                                                            // 91
    "Name",                                                                   // 92
    "Last Access",                                                            // 93
    "Link Address",                                                           // 94
    "File Path",                                                              // 95
    "Wait",                                                                   // 96
    "File Erased",                                                            // 97
    "Non graphic file",                                                       // 98
    "Click Me",                                                               // 99
    "Picture",                                                                // 100
    "Error! The cookie file cannot be opened!",                               // 101
    "Cookie Files",                                                           // 102
    "Cookie File",                                                            // 103
    "Any files",                                                              // 104
    "The operating system denied access to the specified file",               // 105
    "A sharing violation occurred",                                           // 106
    "The specified file was not found",                                       // 107
    "The specified path was not found",                                       // 108
    "Link",                                                                   // 109
    "Files",                                                                  // 110
    "No free space for file",                                                 // 111
    "File with same name",                                                    // 112
    "already exists",                                                         // 113
    "Do you want to replace it?",                                             // 114
    "File not copied",                                                        // 115
    "File not deleted",                                                       // 116
    "Error",                                                                  // 117
    "Unable to create a desktop icon",                                        // 118
    "Operation complete",                                                     // 119
    "Unable to create a Quick Launch icon",                                   // 120
    "Language",                                                               // 121
    "Locale language",                                                        // 122
    "Save to",                                                                // 123
    "File Already Exists. Overwrite?",                                        // 124
    "Error When Deleting File",                                               // 125
    "Search string not found",                                                // 126
    "File index.dat not found. Please, search it manually",                   // 127
    "Search Options",                                                         // 128
    "Within Range",                                                           // 129
    "Outside Range",                                                          // 130
    "AND",                                                                    // 131
    "OR",                                                                     // 132
    "Contains",                                                               // 133
    "Not Contains",                                                           // 134
    "Best Fit",                                                               // 135
    "Actual Size",                                                            // 136
    "Zoom In",                                                                // 137
    "Zoom Out",                                                               // 138
    "Rotate Left",                                                            // 139
    "Rotate Right",                                                           // 140
    "Zoom",                                                                   // 141
    "To localize the program (or use different language)",                    // 142
    "Find the file with \".lang\" extension inside program’s start folder",   // 143
    "Translate it to desired language",                                       // 144
    "Save it under the name XXX.lang",                                        // 145
    "Find the XXX for your language within first column of the table.",       // 146
    "New item will appear in main program’s menu (on the \"Language\" menu)", // 147
    "Please, do a favour and send your file to",                              // 148
    "Error when Opening Work File",                                           // 149
};

// Texts added since, in the blocks and the order of TextIds.h: the numbers
// follow each other from kBaseTextCount (checked below when compiling).
struct LaterText {
    int id;
    const char* text;
};
constexpr LaterText kLaterTexts[] = {
    // The window as a user meets it.
    {TextExportNotWritten, "The export file cannot be written"},
    {TextMoveOutOfProfile, "Moving takes the file out of the examined profile"},
    {TextMoveAnyway, "Move it anyway?"},
    {TextStoredAddress, "Stored Address"},
    {TextFoldersGuessed, "folders guessed: the registry hive cannot be read"},
    // Recent documents of later Windows versions.
    {TextSource, "Source"},
    {TextMruPosition, "MRU Position"},
    {TextRecordedTime, "Recorded Time"},
    {TextAccessCount, "Access Count"},
    {TextTargetPath, "Target Path"},
    {TextTargetCreated, "Target Created"},
    {TextTargetModified, "Target Modified"},
    {TextTargetAccessed, "Target Accessed"},
    {TextTargetSize, "Target Size"},
    {TextVolumeLabel, "Volume Label"},
    {TextVolumeSerial, "Volume Serial"},
    {TextMachineId, "Machine ID"},
    {TextWorkingFolder, "Working Folder"},
    {TextNote, "Note"},
    {TextRecentFolder, "Recent folder"},
    {TextNotInMruOrder, "not in the MRU order"},
    {TextPinned, "pinned"},
    {TextReadInPart, "read only in part"},
    {TextNoShortcut, "no shortcut could be read"},
    {TextRecentSourcesDamaged,
     "These could not be read whole; what they held up to the damage is listed"},
    // Other browsers.
    {TextBrowsersTab, "Chrome, Edge, Firefox"},
    {TextDownloadsTab, "Downloads"},
    {TextCookiesTab, "Cookies"},
    {TextBrowserHistory, "Browser History"},
    {TextBrowserDownloads, "Browser Downloads"},
    {TextBrowserCookies, "Browser Cookies"},
    {TextTitle, "Title"},
    {TextVisitTime, "Visit Time"},
    {TextVisitCount, "Visit Count"},
    {TextTypedCount, "Typed Count"},
    {TextTransition, "Transition"},
    {TextBrowser, "Browser"},
    {TextBrowserProfile, "Browser Profile"},
    {TextSourceFile, "Source File"},
    {TextReadFrom, "Read From (Private Copy)"},
    {TextStartTime, "Start Time"},
    {TextEndTime, "End Time"},
    {TextReceivedBytes, "Received Bytes"},
    {TextTotalBytes, "Total Bytes"},
    {TextState, "State"},
    {TextCookiePath, "Path"},
    {TextTransitionLink, "link"},
    {TextTransitionTyped, "typed"},
    {TextTransitionBookmark, "bookmark"},
    {TextTransitionAutoSubframe, "subframe (automatic)"},
    {TextTransitionManualSubframe, "subframe (manual)"},
    {TextTransitionGenerated, "generated"},
    {TextTransitionAutoToplevel, "top level (automatic)"},
    {TextTransitionFormSubmit, "form submit"},
    {TextTransitionReload, "reload"},
    {TextTransitionKeyword, "keyword"},
    {TextTransitionKeywordGenerated, "keyword (generated)"},
    {TextTransitionEmbed, "embed"},
    {TextTransitionPermanentRedirect, "redirect (permanent)"},
    {TextTransitionTemporaryRedirect, "redirect (temporary)"},
    {TextTransitionDownload, "download"},
    {TextTransitionFramedLink, "framed link"},
    {TextTransitionForwardBack, "forward/back"},
    {TextTransitionAddressBar, "from address bar"},
    {TextTransitionHomePage, "home page"},
    {TextTransitionClientRedirect, "client redirect"},
    {TextTransitionServerRedirect, "server redirect"},
    {TextDownloadNotStarted, "not started"},
    {TextDownloadInProgress, "in progress"},
    {TextDownloadComplete, "complete"},
    {TextDownloadFailed, "failed"},
    {TextDownloadCancelled, "cancelled"},
    {TextDownloadPaused, "paused"},
    {TextDownloadQueued, "queued"},
    {TextDownloadBlocked, "blocked"},
    {TextDownloadScanning, "scanning"},
    {TextDownloadVirus, "blocked (virus)"},
    {TextDownloadInterrupted, "interrupted"},
    {TextCookieSecure, "secure"},
    {TextCookieHttpOnly, "HTTP only"},
    {TextCookieEncrypted, "(encrypted, %1 bytes)"},
    {TextDatabaseUnreadable, "Error! The browser database cannot be read"},
    {TextDatabasePartlyRead, "The browser database could be read only in part"},
    {TextDatabaseWithoutTable, "The browser database does not hold the expected table"},
    // Hostile input.
    {TextNotCacheIndexFile, "not a cache index file"},
    {TextIndexFileShorter, "the file is shorter than its header says: %1 of %2 bytes"},
    {TextStatedSizeTooLarge, "the header states %1 bytes; the file has %2"},
    {TextWarning, "Warning"},
    // Help and languages.
    {TextOpenProfile, "Open Windows Profile"},
    {TextOpenProfileHint, "Open a Windows user profile folder"},
    {TextOpen, "Open"},
    {TextToolsTab, "Tools"},
    {TextDirection, "Direction"},
    {TextOrigin, "Origin"},
    {TextFolderInsideProfile,
     "The folder lies inside the Windows profile or volume being examined"},
    {TextFolderMissing, "The folder does not exist"},
    {TextCannotWriteFile, "The file cannot be written"},
    // Time zone and export encoding.
    {TextExportInCodePage, "TXT files, code page %1"},
    {TextExportInUtf8, "TXT files, UTF-8"},
    {TextTimesInUtc, "Times in UTC"},
    {TextTimesUtc, "Times: UTC"},
    {TextTimesLocal, "Times: local time (%1)"},
    {TextViewMenu, "View"},
    // Copying rows and fitting columns.
    {TextCopyRows, "Copy"},
    {TextFitColumns, "Fit Columns to Window"},
    // Machines and their users.
    {TextUser, "User"},
    {TextUsersCount, "%1 users"},
    {TextOpenVolume, "Open Windows Volume"},
    {TextOpenVolumeHint, "Open the root folder of a Windows volume and read every user on it"},
    {TextNoUsersOnVolume,
     "No user profile (a folder holding NTUSER.DAT) was found on the volume; looked in"},
    {TextTimesMachine, "Times: the examined machine's time zone, %1"},
    {TextTimesZone, "Times: %1"},
    {TextTimesInLocal, "Times in Local Time of This Computer"},
    {TextTimesInMachine, "Times in the Examined Machine's Time Zone"},
    {TextMachineZoneUnknown, "local time of the examined machine, zone unknown"},
    {TextComputer, "Computer"},
    {TextTimeZone, "Time zone"},
    {TextSid, "Security identifier (SID)"},
    // Readers of later Windows versions and damaged files.
    {TextArguments, "Arguments"},
    {TextDescription, "Description"},
    {TextJumpListCategory, "Category"},
    {TextTasksCategory, "Tasks"},
    {TextNoAddressStored, "no address stored"},
    {TextDatabaseDamaged, "The browser database is damaged"},
    {TextDatabaseOverFreeSpace, "%1 bytes, more than the %2 bytes free in the work folder %3"},
    {TextDatabaseOverBound, "%1 bytes, more than the %2 bytes a browser database is copied up to"},
    // Windows' own traces: the tab and its tables.
    {TextWindowsTab, "Windows"},
    {TextFoldersOpened, "Folders opened"},
    {TextProgramsRun, "Programs run"},
    {TextTypedAndSearched, "Typed and searched"},
    {TextDeletedFiles, "Deleted files"},
    {TextWindowsTimeline, "Windows Timeline"},
    {TextFolder, "Folder"},
    {TextLastOpened, "Last Opened"},
    {TextKeyWritten, "Key Written"},
    {TextItemModified, "Item Modified"},
    {TextItemCreated, "Item Created"},
    {TextItemAccessed, "Item Accessed"},
    {TextFileReference, "File Reference"},
    {TextHive, "Hive"},
    {TextRegistryKey, "Registry Key"},
    {TextProgram, "Program"},
    {TextRunCount, "Run Count"},
    {TextLastRun, "Last Run"},
    {TextPreviousRun1, "Previous Run 1"},
    {TextPreviousRun2, "Previous Run 2"},
    {TextPreviousRun3, "Previous Run 3"},
    {TextPreviousRun4, "Previous Run 4"},
    {TextPreviousRun5, "Previous Run 5"},
    {TextPreviousRun6, "Previous Run 6"},
    {TextPreviousRun7, "Previous Run 7"},
    {TextFocusCount, "Focus Count"},
    {TextFocusTime, "Focus Time"},
    {TextPrefetchHash, "Prefetch Hash"},
    {TextVolumes, "Volumes"},
    {TextFormatVersion, "Format Version"},
    {TextText, "Text"},
    {TextTimeSource, "Time Source"},
    {TextValueName, "Value Name"},
    {TextOriginalPath, "Original Path"},
    {TextSize, "Size"},
    {TextDeletionTime, "Deletion Time"},
    {TextSidColumn, "SID"},
    {TextStillThere, "Still There"},
    {TextRecycledFile, "Recycled File"},
    {TextIndexFile, "Index File"},
    {TextApplication, "Application"},
    {TextDisplayText, "Display Text"},
    {TextContentAddress, "Content Address"},
    {TextActivityType, "Activity Type"},
    {TextLastModified, "Last Modified"},
    {TextActiveDuration, "Active Duration"},
    {TextClipboardPayload, "Clipboard Payload"},
    {TextPlatform, "Platform"},
    {TextActivityId, "Activity ID"},
    // What the times of these tables mean as events.
    {TextEventFolderOpened, "Folder opened"},
    {TextEventFolderEntryChanged, "Folder entry changed"},
    {TextEventFolderModified, "Folder modified (shell item)"},
    {TextEventFolderCreated, "Folder created (shell item)"},
    {TextEventFolderAccessed, "Folder accessed (shell item)"},
    {TextEventProgramRun, "Program run"},
    {TextEventEntryTyped, "Entry typed"},
    {TextEventFileDeleted, "File deleted"},
    {TextEventActivityStarted, "Activity started"},
    {TextEventActivityEnded, "Activity ended"},
    {TextEventActivityModified, "Activity modified"},
    // Cells and notes of these tables.
    {TextYes, "yes"},
    {TextNo, "no"},
    {TextActivityOpen, "open"},
    {TextActivityInFocus, "in focus"},
    {TextActivityNotification, "notification"},
    {TextActivityBackup, "device backup"},
    {TextActivityClipboard, "clipboard"},
    {TextActivityCopyPaste, "copy and paste"},
    {TextActivitySystem, "system"},
    {TextKeyLastWritten, "key last written"},
    {TextKeyTimeNewestOnly, "The key's last-written time belongs to the newest entry only"},
    {TextCountFromFive, "stored as %1 (Windows counted from 5)"},
    {TextNameStoredAs, "name stored as %1"},
    {TextValueNotRead, "a value of %1 bytes, not read"},
    {TextPrefetchVersionUnread, "format version %1, not read by libscca: only the header is known"},
    {TextPrefetchCompressedUnread, "compressed, not read by libscca: only the name is known"},
    {TextPrefetchDamaged, "libscca cannot read it (%1): only the name is known"},
    {TextRemovedFromIndex, "removed from the index (restored or emptied)"},
    {TextIndexCutShort, "the index entry is cut short"},
    {TextBytesCount, "%1 bytes"},
    {TextLoadedFiles, "Loaded Files"},
    {TextPrefetchFileUnreadable, "The Prefetch file cannot be read"},
    {TextRecycleIndexUnreadable, "The Recycle Bin index file cannot be read"},
    {TextActivityDatabaseUnreadable, "The activity database cannot be read"},
    {TextActivityDatabasePartlyRead, "The activity database could be read only in part"},
    {TextFolderUnlisted, "The folder cannot be listed"},
    // Browser caches.
    {TextCacheTab, "Cache"},
    {TextBrowserCache, "Browser Cache"},
    {TextContentType, "Content Type"},
    {TextBodySize, "Size"},
    {TextLastUsed, "Last Used"},
    {TextServerModified, "Last Modified (Server)"},
    {TextHttpStatus, "HTTP Status"},
    {TextCacheFolder, "Cache Folder"},
    {TextBodyFile, "Body File"},
    {TextCacheEntry, "Cache Entry"},
    // What the times of a cache entry mean as events.
    {TextEventCacheStored, "Stored in the browser cache"},
    {TextEventCacheUsed, "Cache entry used"},
    {TextEventServerModified, "Modified on the server"},
    {TextEventCacheExpires, "Cache entry expires"},
    // Notes of a cache entry.
    {TextHeadersInMissingFile, "the response headers lie in %1, which is missing"},
    {TextBodyInMissingFile, "the body lies in %1, which is missing"},
    {TextKeyInMissingFile, "the address lies in %1, which is missing"},
    {TextHeadersUnreadable, "the response headers cannot be read"},
    {TextBodyPlaceDamaged, "the body's place in the cache is damaged"},
    {TextEntryUnreadable, "the entry cannot be read"},
    {TextKeyCut, "the address is cut short"},
    {TextNotCacheEntry, "not a cache entry"},
    {TextEntryFileMissing, "listed in the cache's index; the entry file is missing"},
    {TextCacheEntryDoomed, "marked for deletion"},
    {TextCacheEntryEvicted, "evicted"},
    {TextSparseBody, "the body is stored in %1 pieces"},
    {TextAltData, "followed by %1 bytes of the browser's own data"},
    // Reports about a cache folder or a body.
    {TextCacheUnreadable, "Error! The browser cache cannot be read"},
    {TextCachePartlyRead, "The browser cache could be read only in part"},
    {TextUnknownCacheVersion, "unknown format version %1"},
    {TextCacheIndexDamaged, "%1 places in the index point to no entry"},
    {TextCacheBodyUnreadable, "The cached body cannot be read"},
    {TextCacheBodyNotDecoded, "The cached body cannot be decompressed"},
    {TextCacheBodyTooLarge, "The cached body is larger than %1 bytes"},
    // The detail pane of a cache entry.
    {TextResponseHeaders, "Response headers"},
    {TextCacheKey, "Cache key"},
    {TextRequestTime, "Request time"},
    {TextResponseTime, "Response time"},
    {TextEntryChanged, "Entry last changed"},
    {TextFetchCount, "Fetch count"},
    // The file actions' questions and failures.
    {TextOpenEvidenceAddress, "Open this address from the evidence in your web browser?"},
    {TextNoFileManager, "No file manager could show the folder"},
    {TextOpenFolderYourself, "Open the folder yourself, or install a file manager."},
    {TextNoProgramForFile, "No program is set to open this file"},
    {TextChooseProgram, "Choose a program for it in the next window."},
    {TextManualNoProgram, "No program to show PDF files was found. The manual lies at"},
    {TextManualMissing, "The manual was not found; it belongs at"},
    {TextFileCopiedTo, "Copied %1 to %2"},
    {TextFileMovedTo, "Moved %1 to %2"},
    {TextFilter, "Filter:"},
    {TextFilterHint, "Rows that hold this text in a shown column; Escape empties it"},
    {TextShownOfAll, "%1 of %2"},
    {TextShowEveryColumn, "Show every column in its order"},
    // Disk images
    {TextNoShadowCopies, "the volume has no shadow copies; only the live volume is read"},
    {TextSnapshot, "Snapshot"},
    {TextSnapshotAdded, "Shadow copy %1 (%2): %3 rows added"},
    {TextOpenDiskImage, "Open Disk Image"},
    {TextDiskImageFilter,
     "Disk images (*.dd *.raw *.img *.001 *.E01 *.vmdk *.vhd *.vhdx *.qcow2);;All (*)"},
    {TextChooseWindowsVolume, "The image holds several Windows volumes. Which one is to be read?"},
    {TextReadShadowCopies, "Read the volume's shadow copies too?"},
    {TextImageNeverChanged,
     "Inside a disk image, which is never changed: Move to... is not offered."},
    // Disk images (continued)
    {TextOpenDiskImageHint,
     "Open a disk image (raw, E01, VMDK, VHD, VHDX, QCOW2) and read its Windows users"},
    // What the times of the first tables mean as events.
    {TextEventCachedModified, "Cached file last modified"},
    {TextEventCachedAccessed, "Cached file last accessed"},
    {TextEventHistoryModified, "History entry modified"},
    {TextEventPageVisited, "Page visited"},
    {TextEventCookieCreated, "Cookie created"},
    {TextEventCookieExpires, "Cookie expires"},
    {TextEventCookieAccessed, "Cookie last accessed"},
    {TextEventFavoriteCreated, "Favorite created"},
    {TextEventFavoriteAccessed, "Favorite last accessed"},
    {TextEventShortcutCreated, "Shortcut created"},
    {TextEventShortcutAccessed, "Shortcut last accessed"},
    {TextEventMruRecorded, "Entry recorded in the MRU list"},
    {TextEventTargetCreated, "Target created"},
    {TextEventTargetModified, "Target modified"},
    {TextEventTargetAccessed, "Target last accessed"},
    {TextEventTempCreated, "Temporary file created"},
    {TextEventTempAccessed, "Temporary file last accessed"},
    {TextEventDownloadStarted, "Download started"},
    {TextEventDownloadEnded, "Download ended"},
    // The timeline of every source's times.
    {TextTimelineTab, "Timeline"},
    {TextTime, "Time"},
    {TextEvent, "Event"},
    {TextAddressOrPath, "Address or Path"},
    {TextEvents, "Events"},
    {TextEventsPerHour, "Events per hour"},
    {TextEventsPerDay, "Events per day"},
    {TextEventsPerMonth, "Events per month"},
    {TextEventsPerYear, "Events per year"},
    {TextExpiryInHistogram, "Expiry times in the histogram"},
    {TextHistogramHint, "Drag across the histogram to narrow the table; a click shows every event"},
    {TextSpanShown, "From %1 to %2"},
    {TextExportTimeline, "Timeline for Timesketch or plaso"},
    {TextExportTimelineHint,
     "Writes the timeline as Timesketch JSONL or CSV, or as plaso's l2tcsv, in UTC"},
    {TextEventsWritten, "%1 events written"},
    {TextEventsLeftOut,
     "%1 events left out: outside the years 1700 to 9999, or of an unknown zone"},
    {TextEventRowHint, "Enter or a double click shows the event's row in its own tab"},
    // Disk images: deleted entries
    {TextDeletedEntry, "Deleted entry: its content may since have been overwritten"},
    // This computer: the Linux machine the program runs on, its homes' traces.
    {TextThisComputer, "This computer"},
    {TextThisComputerHint, "Read the traces this Linux computer keeps of its users"},
    {TextNoHomeReadable, "No home folder of this computer can be read"},
    {TextBrowserPlace, "Browser's place"},
    {TextAddedTime, "Added"},
    {TextVisitedTime, "Visited"},
    {TextApplications, "Applications"},
    {TextEventRecentAdded, "Added to the recently used files"},
    {TextEventFileVisited, "File visited"},
    {TextEventRecentChanged, "Recently used entry changed"},
    {TextThumbnailsTab, "Thumbnails"},
    {TextOriginalAddress, "Original address"},
    {TextOriginalSize, "Original size"},
    {TextOriginalModified, "Original modified"},
    {TextOriginalExists, "Original exists"},
    {TextThumbnailModified, "Thumbnail modified"},
    {TextThumbnailAccessed, "Thumbnail accessed"},
    {TextThumbnailCreated, "Thumbnail created"},
    {TextSizeClass, "Size class"},
    {TextThumbnailFile, "Thumbnail file"},
    {TextMimeType, "MIME type"},
    {TextSoftware, "Software"},
    {TextEventThumbnailMade, "Thumbnail made"},
    {TextEventOriginalModified, "Original file modified"},
    {TextThumbnailNamesNoOriginal, "The thumbnail names no original"},
    {TextThumbnailNotPng, "The thumbnail is not a readable PNG picture"},
    {TextThumbnailsUnreadable, "Thumbnails that cannot be read"},
    {TextTrashUnreadable, "Trash entries that cannot be read"},
    {TextShellHistoryUnreadable, "The shell history cannot be read"},
    {TextPictureSize, "Picture size"},
    // The recall with nothing open
    {TextChooseEvidence, "Nothing is open yet. What should be read?"},
    // Disk images: deleted entries
    {TextDeleted, "Deleted"},
    {TextCacheBodyNoFile,
     "A cached body has no file of its own; its fields are in the detail pane"},
    // A count of one user
    {TextOneUser, "%1 user"},
};

// Each later text takes the number after the one before it: a gap would
// leave a line of every language file without a text, a twin would hide a
// text.
constexpr bool laterTextsFollowEachOther() {
    int expected = kBaseTextCount;
    for (const LaterText& later : kLaterTexts)
        if (later.id != expected++)
            return false;
    return true;
}
static_assert(laterTextsFollowEachOther(),
              "kLaterTexts must number its texts from kBaseTextCount without a gap");

// Every English text, by number.
QStringList englishTexts() {
    QStringList t;
    for (int n = 0; n < kBaseTextCount; ++n)
        t << QString::fromUtf8(kEnglishTexts[n]);
    for (const LaterText& later : kLaterTexts)
        t << QString::fromUtf8(later.text);
    return t;
}

const QStringList& english() {
    static const QStringList texts = englishTexts();
    return texts;
}

QStringList& table() {
    static QStringList texts = english();
    return texts;
}

} // namespace

void fillDefaultInterfaceTexts() {
    table() = english();
}

QString interfaceText(int n) {
    const QStringList& t = table();
    return n >= 0 && n < t.size() ? t.at(n) : QString();
}

void setInterfaceText(int n, const QString& text) {
    QStringList& t = table();
    if (n >= 0 && n < t.size())
        t[n] = text;
}

int interfaceTextCount() {
    return int(table().size());
}

QString englishInterfaceText(int n) {
    return english().value(n);
}

QString labelWithWarnings(const QString& label, const QStringList& warnings) {
    QString text = label;
    for (QString warning : warnings)
        text += QStringLiteral("  ") + tx(TextWarning) + QStringLiteral(": ") +
                warning.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace vc
