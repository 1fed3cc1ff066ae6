#include "documents/DocumentSources.h"

#include "documents/FolderWalk.h"
#include "documents/LinesToTable.h"
#include "platform/Profile.h"
#include "platform/Reporter.h"
#include "platform/SpecialFolders.h"

namespace vc {

MruReadResult collectRecentDocuments(const QString& recentFolder, QList<QByteArray>& list,
                                     const RecallConditionSet* filter) {
    CollectFolderFiles(list, recentFolder, QByteArray(), 4, filter);
    return ReadOpenSaveMRU(kOpenSaveMruKey, list, filter);
}

bool LoadRecentDocuments(const QString& recentFolder, const LoadContext& context, RowSink& rows) {
    QList<QByteArray> lines;
    const MruReadResult mru = collectRecentDocuments(recentFolder, lines, context.filter);
    if (!mru.ok) {
        // Nothing half-read is shown.
        if (context.report)
            context.report->error(mru.error);
        return false;
    }
    context.noteInputRead();
    LinesToTable(lines, rows, context.progress, context.share);
    return true;
}

QStringList temporaryFolders() {
    QStringList folders;
    const QString temp = GetSpecialFolder(FolderKind::TempDir);
    if (!temp.isEmpty())
        folders << temp;
    QString appData = GetSpecialFolder(FolderKind::AppDataDir);
    if (appData.endsWith(QLatin1Char('/')) && appData.size() > 1)
        appData.chop(1);
    if (!appData.isEmpty()) {
        for (const char* program : {"Word", "Excel"})
            folders << withTrailingSlash(resolveNoCase(
                appData, {QStringLiteral("Microsoft"), QString::fromLatin1(program)}));
    }
    return folders;
}

void collectTemporaryFiles(const QStringList& folders, QList<QByteArray>& list,
                           const RecallConditionSet* filter) {
    for (const QString& folder : folders)
        CollectFolderFiles(list, folder, QByteArray(), 0, filter);
}

void LoadTemporaryFiles(const QStringList& folders, const LoadContext& context, RowSink& rows) {
    QList<QByteArray> lines;
    collectTemporaryFiles(folders, lines, context.filter);
    context.noteInputRead();
    LinesToTable(lines, rows, context.progress, context.share);
}

} // namespace vc
