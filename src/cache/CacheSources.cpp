#include "cache/CacheSources.h"

#include "cache/ActivityLoad.h"
#include "cache/CookieLoad.h"
#include "cache/HistoryIndexSearch.h"
#include "cache/HistoryLoad.h"
#include "cache/LinksLoad.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/Machine.h"
#include "evidence/SpecialFolders.h"
#include "evidence/UserProfile.h"
#include "language/TextIds.h"
#include "tables/TableColumns.h"

namespace vc {

namespace {

QString userFolder(const SourceInput& input, FolderKind kind) {
    return input.user ? GetSpecialFolder(*input.user, kind) : QString();
}

// The machine's zone for the times that daily and weekly history files keep
// in local time; nullptr when it is not known.
const QTimeZone* machineZoneOf(const SourceInput& input, QTimeZone& keep) {
    if (!input.machine || !input.machine->timeZone().known())
        return nullptr;
    keep = input.machine->timeZone().zone();
    return keep.isValid() ? &keep : nullptr;
}

SourceOutcome loadActivitySource(const SourceInput& input, const LoadContext& context,
                                 RowSink& rows) {
    SourceOutcome outcome;
    const QString folder = userFolder(input, FolderKind::CacheDir);
    const QString path = folder.isEmpty() ? QString() : folder + QStringLiteral("index.dat");
    if (path.isEmpty() || !input.user->files().isFile(EvidenceFiles::pathBytes(path))) {
        outcome.found = false;
        return outcome;
    }
    const ActivityLoad load =
        LoadActivity(path, input.linearScan, *input.workFile, context, rows, input.user->files());
    if (!load.workFileOpened) {
        outcome.loaded = false;
        return outcome;
    }
    outcome.labels.append({SourceLabel::IndexFile, IndexFileCaption(path, load.version), path});
    return outcome;
}

SourceOutcome loadHistorySource(const SourceInput& input, const LoadContext& context,
                                RowSink& rows) {
    SourceOutcome outcome;
    const QString folder = userFolder(input, FolderKind::HistoryDir);
    outcome.labels.append({SourceLabel::Directory, folder, QString()});
    QStringList indexFiles;
    if (!folder.isEmpty())
        FindIndexFiles(indexFiles, folder, sourceFiles(input));
    QTimeZone zone;
    // A work file that cannot be made skips the files not yet read; the
    // source ends normally.
    LoadHistory(indexFiles, input.linearScan, input.fullHistory, *input.workFile, context, rows,
                machineZoneOf(input, zone), sourceFiles(input));
    return outcome;
}

SourceOutcome loadCookieSource(const SourceInput& input, const LoadContext& context,
                               RowSink& rows) {
    SourceOutcome outcome;
    const QString folder = userFolder(input, FolderKind::CookiesDir);
    outcome.labels.append({SourceLabel::Directory, folder, QString()});
    // The text files' rows first (four fifths of the bar), then those of the
    // folder's index.
    LoadContext files = context;
    files.share = context.share * 80 / 100;
    LoadContext index = context;
    index.share = context.share - files.share;
    index.inputRead = {};
    const CookieFilesLoad text =
        LoadCookieTextFiles(folder, *input.workFile, files, rows, sourceFiles(input));
    if (!text.workFileOpened) {
        outcome.loaded = false;
        return outcome;
    }
    const CookieIndexLoad loaded = LoadCookieIndex(folder, input.linearScan, false, *input.workFile,
                                                   index, rows, sourceFiles(input));
    if (!loaded.workFileOpened) {
        outcome.loaded = false;
        return outcome;
    }
    outcome.fileCount = text.fileCount;
    return outcome;
}

SourceOutcome loadLinksSource(const SourceInput& input, const LoadContext& context, RowSink& rows) {
    SourceOutcome outcome;
    outcome.title = userFolder(input, FolderKind::FavoritesDir);
    LoadLinks(outcome.title, context, rows, sourceFiles(input));
    return outcome;
}

// The cookie file a row names: its file name in the user's cookie folder.
QString cookieFilePath(const QByteArrayView* cells, int count, const UserProfile* user) {
    const QString name = rowPathCell(cells, count, 4, CellEncoding::SourceCodePage);
    const QString folder = user ? GetSpecialFolder(user, FolderKind::CookiesDir) : QString();
    return name.isEmpty() || folder.isEmpty() ? QString() : folder + name;
}

// The favorite's .url file: its path column.
QString favoriteFilePath(const QByteArrayView* cells, int count, const UserProfile*) {
    return rowPathCell(cells, count, 3, CellEncoding::SourceCodePage);
}

} // namespace

SourceSpec activitySource() {
    return {"activity",
            "",
            'a',
            TextInternetExplorerTab,
            TextActivityTab,
            "ListView1",
            {"ieA_TabSheet", "Label1", "SearchCondLabel1", "ieA_BotPanel", "Memo1",
             "InternetURLPanel", "ImgPanel", "Image1", 80, 83},
            &activityColumns,
            CellEncoding::SourceCodePage,
            SourceScope::User,
            TextRecords,
            TextIndexNotFound,
            -1,
            true,
            true,
            &loadActivitySource,
            nullptr};
}

SourceSpec historySource() {
    return {"history",
            "",
            'h',
            TextInternetExplorerTab,
            TextHistoryTab,
            "ieH_ListView",
            {"ieH_TabSheet", "ieH_Label", "SearchCondLabel2", "ieH_BotPanel", "ieH_Memo",
             "ieH_FilePanel", "Panel6", "ieH_Image", 99, 99},
            &historyColumns,
            CellEncoding::SourceCodePage,
            SourceScope::User,
            TextRecords,
            -1,
            -1,
            true,
            true,
            &loadHistorySource,
            nullptr};
}

SourceSpec cookieSource() {
    return {"cookie",
            "",
            'c',
            TextInternetExplorerTab,
            TextCookieTab,
            "ieC_ListView",
            {"ieC_TabSheet", "ieC_Label", "SearchCondLabel3", "ieC_BotPanel", "ieC_Memo",
             "ieC_FilePanel", "", "", 0, 0},
            &cookieColumns,
            CellEncoding::SourceCodePage,
            SourceScope::User,
            TextRecords,
            -1,
            TextCookieFiles,
            true,
            true,
            &loadCookieSource,
            nullptr,
            &cookieFilePath};
}

SourceSpec linksSource() {
    return {"links",
            "favorites",
            'l',
            TextInternetExplorerTab,
            TextLinksTab,
            "ieL_ListView",
            {"ieL_TabSheet", "ieL_Label", "SearchCondLabel4", "ieL_BotPanel", "ieL_Memo",
             "ieL_FilePanel", "", "", 0, 0},
            &linksColumns,
            CellEncoding::SourceCodePage,
            SourceScope::User,
            TextRecords,
            -1,
            -1,
            true,
            true,
            &loadLinksSource,
            nullptr,
            &favoriteFilePath};
}

} // namespace vc
