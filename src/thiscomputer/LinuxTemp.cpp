#include "thiscomputer/LinuxTemp.h"

#include "browsers/BrowserPlaces.h"
#include "documents/FolderWalk.h"
#include "documents/LinesToTable.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/UserProfile.h"

#include <algorithm>

namespace vc {

QSet<QByteArray> cacheFoldersOfOtherSources() {
    QSet<QByteArray> names{"thumbnails"};
    for (const BrowserPlace& place : linuxBrowserPlaces()) {
        const QByteArray cache(place.cache);
        if (cache.startsWith(".cache/"))
            names.insert(cache.mid(7).split('/').first());
    }
    return names;
}

void collectLinuxTemporaryFiles(const UserProfile& home, const QString& tempFolder,
                                const LoadContext& context, QList<QByteArray>& lines) {
    if (!tempFolder.isEmpty())
        CollectFolderFiles(lines, tempFolder, QByteArray(), 0, context.filter);
    const EvidenceFiles& files = home.files();
    const QByteArray cache =
        joinPath(EvidenceFiles::pathBytes(home.folder()), QByteArray(".cache"));
    std::vector<EvidenceEntry> entries;
    if (!files.list(cache, entries, nullptr))
        return;
    // In name order, as a listing sorted by the file manager would be.
    std::sort(entries.begin(), entries.end(),
              [](const EvidenceEntry& a, const EvidenceEntry& b) { return a.name < b.name; });
    const QSet<QByteArray> others = cacheFoldersOfOtherSources();
    for (const EvidenceEntry& entry : entries) {
        if (others.contains(entry.name) || entry.symlink)
            continue;
        const QByteArray path = joinPath(cache, entry.name);
        if (entry.type == EntryType::Folder)
            CollectFolderFiles(lines, EvidenceFiles::pathText(path), QByteArray(), 0,
                               context.filter);
        else if (entry.type == EntryType::File)
            CollectFileRow(lines, path, entry.name, QByteArray(), 0, context.filter);
    }
}

void loadLinuxTemporaryFiles(const UserProfile& home, const QString& tempFolder,
                             const LoadContext& context, RowSink& rows) {
    QList<QByteArray> lines;
    collectLinuxTemporaryFiles(home, tempFolder, context, lines);
    context.noteInputRead();
    LinesToTable(lines, rows, context.progress, context.share);
}

} // namespace vc
