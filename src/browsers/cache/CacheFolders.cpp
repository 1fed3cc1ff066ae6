#include "browsers/cache/CacheFolders.h"

#include "browsers/BrowserPlaces.h"
#include "browsers/cache/BlockFileCache.h"
#include "browsers/cache/FirefoxCache.h"
#include "browsers/cache/SimpleCache.h"
#include "evidence/EvidenceFiles.h"

#include <QSet>

#include <algorithm>

namespace vc {

namespace {

// Profile folders looked at below one "User Data" or "Profiles" folder, as
// for the databases: far more than any browser makes, few enough that a
// folder planted with millions of entries cannot stall the load.
constexpr int kMaxProfileFolders = 4096;

// The sub-folders of a folder, by name without regard to letter case.
QList<QByteArray> subfolders(const EvidenceFiles& files, const QByteArray& folder) {
    std::vector<EvidenceEntry> listing;
    QList<QByteArray> names;
    if (folder.isEmpty() || !files.list(folder, listing, nullptr))
        return names;
    for (const EvidenceEntry& e : listing)
        if (e.type == EntryType::Folder && !e.symlink)
            names << e.name;
    std::sort(names.begin(), names.end(), [](const QByteArray& a, const QByteArray& b) {
        return QString::fromUtf8(a).compare(QString::fromUtf8(b), Qt::CaseInsensitive) < 0;
    });
    if (names.size() > kMaxProfileFolders)
        names.resize(kMaxProfileFolders);
    return names;
}

QByteArray child(const EvidenceFiles& files, const QByteArray& folder, const QByteArray& name) {
    return files.resolveNoCase(folder, {name});
}

// The caches of one Chromium profile folder, added to found.
void addChromiumProfileCaches(const EvidenceFiles& files, Browser browser,
                              const QByteArray& profileFolder, const QString& profile,
                              QList<BrowserCacheFolder>& found) {
    const QByteArray outer = child(files, profileFolder, "Cache");
    const QByteArray inner = child(files, outer, "Cache_Data");
    auto add = [&](const QByteArray& folder) {
        const CacheFormat format =
            isBlockFileCache(files, folder) ? CacheFormat::BlockFile : CacheFormat::Simple;
        found.append({browser, profile, folder, format, QString()});
    };
    // Chrome moved its cache into Cache/Cache_Data in 2021; the outer
    // folder then holds only that folder.
    const bool hasInner = files.isFolder(inner);
    if (hasInner)
        add(inner);
    if (files.isFolder(outer) &&
        (!hasInner || isBlockFileCache(files, outer) || isSimpleCache(files, outer)))
        add(outer);
}

} // namespace

QList<BrowserCacheFolder> findChromiumCaches(const EvidenceFiles& files, Browser browser,
                                             const QByteArray& userDataFolder) {
    QList<BrowserCacheFolder> found;
    for (const QByteArray& name : subfolders(files, userDataFolder))
        addChromiumProfileCaches(files, browser, joinPath(userDataFolder, name),
                                 QString::fromUtf8(name), found);
    return found;
}

QList<BrowserCacheFolder> findFirefoxCaches(const EvidenceFiles& files,
                                            const QByteArray& profilesFolder) {
    QList<BrowserCacheFolder> found;
    for (const QByteArray& name : subfolders(files, profilesFolder)) {
        const QByteArray folder = child(files, joinPath(profilesFolder, name), "cache2");
        if (isFirefoxCache(files, folder))
            found.append({Browser::Firefox, QString::fromUtf8(name), folder, CacheFormat::Firefox,
                          QString()});
    }
    return found;
}

QList<BrowserCacheFolder> findBrowserCaches(const EvidenceFiles& files,
                                            const QByteArray& profileFolder) {
    return findBrowserCaches(files, profileFolder, windowsBrowserPlaces(), false);
}

QList<BrowserCacheFolder> findBrowserCaches(const EvidenceFiles& files,
                                            const QByteArray& profileFolder,
                                            const std::vector<BrowserPlace>& places,
                                            bool linuxHome) {
    if (profileFolder.isEmpty())
        return {};
    QList<BrowserCacheFolder> all;
    for (const BrowserPlace& place : places) {
        const QByteArray folder =
            files.resolveNoCase(profileFolder, QByteArray(place.cache).split('/'));
        QList<BrowserCacheFolder> found;
        switch (place.kind) {
        case BrowserPlaceKind::ChromiumUserData:
            found = findChromiumCaches(files, place.browser, folder);
            break;
        case BrowserPlaceKind::ChromiumProfile:
            addChromiumProfileCaches(files, place.browser, folder,
                                     QString::fromUtf8(folder.mid(folder.lastIndexOf('/') + 1)),
                                     found);
            break;
        case BrowserPlaceKind::FirefoxProfiles:
            found = findFirefoxCaches(files, folder);
            break;
        }
        for (BrowserCacheFolder& cache : found)
            cache.place = browserPlaceName(place, linuxHome);
        all += found;
    }

    // "Local Settings" of a newer profile is a junction into AppData/Local:
    // the same folder, by its file number where the file system gives one.
    QList<BrowserCacheFolder> unique;
    QSet<quint64> seen;
    for (const BrowserCacheFolder& cache : all) {
        const std::optional<EvidenceEntry> e = files.entry(cache.folder);
        if (e && e->fileId != 0) {
            if (seen.contains(e->fileId))
                continue;
            seen.insert(e->fileId);
        }
        unique.append(cache);
    }
    return unique;
}

} // namespace vc
