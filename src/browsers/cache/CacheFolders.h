#pragma once

#include "browsers/BrowserSources.h"
#include "browsers/cache/WebCacheEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <vector>

namespace vc {

class EvidenceFiles;

// One browser disk cache found in a Windows user profile.
struct BrowserCacheFolder {
    Browser browser = Browser::Chrome;
    QString profileName; // the browser's profile folder ("Default", "x1y2.default")
    QByteArray folder;   // the cache folder
    CacheFormat format = CacheFormat::BlockFile;
    // Where the browser keeps its profiles (browserPlaceName); empty for a
    // cache found below a folder given.
    QString place;
};

struct BrowserPlace;

// Every disk cache of the profile folder, in this order: Chrome, Edge,
// Firefox; within a browser its profile folders by name. Chrome's and
// Edge's caches are "Cache/Cache_Data" or "Cache" of each profile folder of
// "User Data" (a block-file cache when its "index" says so, else a simple
// cache); Firefox's is "cache2" of each profile folder of "Profiles", which
// Firefox keeps in the local application data (not the roaming one). Both
// the Vista layout (AppData/Local) and the XP layout (Local Settings/
// Application Data) are searched, every name matched without regard to
// letter case, as the browser databases are found (BrowserSources.h); a
// folder reached twice (through the junctions of the newer layout) is
// listed once.
QList<BrowserCacheFolder> findBrowserCaches(const EvidenceFiles& files,
                                            const QByteArray& profileFolder);
// The same search through a list of places (BrowserPlaces.h: the cache
// folder of each); linuxHome names the places as a Linux home's.
QList<BrowserCacheFolder> findBrowserCaches(const EvidenceFiles& files,
                                            const QByteArray& profileFolder,
                                            const std::vector<BrowserPlace>& places,
                                            bool linuxHome);

// The same search below a "User Data" folder of Chrome or Edge, or
// Firefox's "Profiles" folder.
QList<BrowserCacheFolder> findChromiumCaches(const EvidenceFiles& files, Browser browser,
                                             const QByteArray& userDataFolder);
QList<BrowserCacheFolder> findFirefoxCaches(const EvidenceFiles& files,
                                            const QByteArray& profilesFolder);

} // namespace vc
