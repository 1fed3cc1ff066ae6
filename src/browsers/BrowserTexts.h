#pragma once

#include <QString>

namespace vc {

// The interface texts of the Chrome, Edge and Firefox tables: tab captions,
// column captions, the words written into cells and the messages. They follow
// the program's numbered texts; refer to them only by these names.
enum BrowserText {
    kTextBrowsersTab = 151, // the outer tab beside "Internet Explorer" and "Documents"
    kTextBrowserHistoryTab,
    kTextBrowserDownloadsTab,
    kTextBrowserCookiesTab,
    // Column captions.
    kTextTitle,
    kTextVisitTime,
    kTextVisitCount,
    kTextTypedCount,
    kTextTransition,
    kTextBrowser,
    kTextBrowserProfile,
    kTextSourceFile,
    kTextReadFrom,
    kTextTargetPath,
    kTextStartTime,
    kTextEndTime,
    kTextReceivedBytes,
    kTextTotalBytes,
    kTextState,
    kTextCookiePath,
    // How a visit was made.
    kTextTransitionLink,
    kTextTransitionTyped,
    kTextTransitionBookmark,
    kTextTransitionAutoSubframe,
    kTextTransitionManualSubframe,
    kTextTransitionGenerated,
    kTextTransitionAutoToplevel,
    kTextTransitionFormSubmit,
    kTextTransitionReload,
    kTextTransitionKeyword,
    kTextTransitionKeywordGenerated,
    kTextTransitionEmbed,
    kTextTransitionPermanentRedirect,
    kTextTransitionTemporaryRedirect,
    kTextTransitionDownload,
    kTextTransitionFramedLink,
    kTextTransitionForwardBack,
    kTextTransitionAddressBar,
    kTextTransitionHomePage,
    kTextTransitionClientRedirect,
    kTextTransitionServerRedirect,
    // Where a download stands.
    kTextDownloadNotStarted,
    kTextDownloadInProgress,
    kTextDownloadComplete,
    kTextDownloadFailed,
    kTextDownloadCancelled,
    kTextDownloadPaused,
    kTextDownloadQueued,
    kTextDownloadBlocked,
    kTextDownloadScanning,
    kTextDownloadVirus,
    kTextDownloadInterrupted,
    // Cookie cells.
    kTextCookieSecure,
    kTextCookieHttpOnly,
    kTextCookieEncrypted, // "%1" is the number of bytes
    // Messages, each followed by ":", a line break and the file.
    kTextDatabaseUnreadable,
    kTextDatabasePartlyRead,
    kTextDatabaseWithoutTable,
    kBrowserTextEnd
};

// The English text of a browser text; empty outside their numbers.
QString englishBrowserText(int n);

// The text in the current language: the program's text table where it holds
// the number, else the English text.
QString browserText(int n);

} // namespace vc
