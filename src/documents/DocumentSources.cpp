#include "documents/DocumentSources.h"

#include "documents/FolderWalk.h"
#include "documents/LinesToTable.h"
#include "documents/RecentCollection.h"
#include "documents/RecentSources.h"
#include "evidence/SpecialFolders.h"
#include "evidence/UserProfile.h"
#include "platform/Reporter.h"

namespace vc {

MruReadResult collectRecentDocuments(const UserProfile* profile, const QString& recentFolder,
                                     const LoadContext& context, QList<QByteArray>& list) {
    // Without a profile there is no hive; the folder alone is read.
    static const UserProfile noProfile;
    RecentCollection collection(profile ? *profile : noProfile, recentFolder, context, list);
    collectRecentFolderRows(collection);
    collection.progressTo(0.4);
    const MruReadResult mru = ReadOpenSaveMRU(profile, kOpenSaveMruKey, list, context.filter);
    if (!mru.ok)
        return mru;
    collection.progressTo(0.5);
    collectRecentDocsRows(collection);
    collection.progressTo(0.6);
    collectDialogMruRows(collection);
    collection.progressTo(0.7);
    collectJumpListRows(collection);
    collection.progressTo(1.0);
    collection.report();
    return {};
}

bool LoadRecentDocuments(const UserProfile* profile, const QString& recentFolder,
                         const LoadContext& context, RowSink& rows) {
    QList<QByteArray> lines;
    // Reading takes half the bar, filling the table the other half.
    LoadContext reading = context;
    reading.share = context.share / 2;
    const MruReadResult mru = collectRecentDocuments(profile, recentFolder, reading, lines);
    if (!mru.ok) {
        // Nothing half-read is shown.
        if (context.report)
            context.report->error(mru.error);
        return false;
    }
    context.noteInputRead();
    LinesToTable(lines, rows, context.progress, context.share - reading.share);
    return true;
}

QStringList temporaryFolders(const UserProfile* profile) {
    QStringList folders;
    const QString temp = GetSpecialFolder(profile, FolderKind::TempDir);
    if (!temp.isEmpty())
        folders << temp;
    QString appData = GetSpecialFolder(profile, FolderKind::AppDataDir);
    if (appData.endsWith(QLatin1Char('/')) && appData.size() > 1)
        appData.chop(1);
    if (!appData.isEmpty()) {
        for (const char* program : {"Word", "Excel"})
            folders << withTrailingSlash(
                resolveNoCase(profile->files(), appData,
                              {QStringLiteral("Microsoft"), QString::fromLatin1(program)}));
    }
    return folders;
}

void collectTemporaryFiles(const QStringList& folders, QList<QByteArray>& list,
                           const RecallConditionSet* filter, const EvidenceFiles& files) {
    for (const QString& folder : folders)
        CollectFolderFiles(list, folder, QByteArray(), 0, filter, files);
}

void LoadTemporaryFiles(const QStringList& folders, const LoadContext& context, RowSink& rows,
                        const EvidenceFiles& files) {
    QList<QByteArray> lines;
    collectTemporaryFiles(folders, lines, context.filter, files);
    context.noteInputRead();
    LinesToTable(lines, rows, context.progress, context.share);
}

} // namespace vc
