#include "documents/DocumentSources.h"

#include "documents/FolderWalk.h"
#include "platform/Profile.h"
#include "platform/SpecialFolders.h"

namespace vc {

MruReadResult collectRecentDocuments(QList<QByteArray>& list) {
    CollectFolderFiles(list, GetSpecialFolder(FolderKind::RecentDir), QByteArray(), 4);
    return ReadOpenSaveMRU(kOpenSaveMruKey, list);
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

void collectTemporaryFiles(QList<QByteArray>& list) {
    for (const QString& folder : temporaryFolders())
        CollectFolderFiles(list, folder, QByteArray(), 0);
}

} // namespace vc
