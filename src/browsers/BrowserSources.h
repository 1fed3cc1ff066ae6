#pragma once

#include "evidence/EvidenceFiles.h"

#include <QList>
#include <QString>

namespace vc {

class UserProfile;

// The browsers whose databases and caches the program reads: Chrome, Edge
// and Firefox of a Windows profile, and on Linux the rest of the Chromium
// family as well.
enum class Browser { Chrome, Edge, Firefox, Chromium, Brave, Vivaldi, Opera };

// What a database file holds.
enum class BrowserDatabaseKind {
    ChromeHistory,    // Chrome or Edge "History": visits and downloads
    ChromeCookies,    // Chrome or Edge "Cookies" (or "Network/Cookies")
    FirefoxPlaces,    // places.sqlite: visits, downloads in annotations
    FirefoxDownloads, // downloads.sqlite of the versions before 2013
    FirefoxCookies,   // cookies.sqlite
};

// One browser database found in a profile.
struct BrowserDatabase {
    Browser browser = Browser::Chrome;
    BrowserDatabaseKind kind = BrowserDatabaseKind::ChromeHistory;
    QString profileName; // the browser's profile folder ("Default", "x1y2.default")
    QString path;        // the database file
    // Where the browser keeps its profiles (browserPlaceName of its
    // BrowserPlace); empty for a database found below a folder given.
    QString place;
    // The files it lies in (a disk image's, or this machine's when nullptr).
    const EvidenceFiles* files = nullptr;
};

// The browser's name as the tables show it.
QString browserName(Browser browser);

// Every browser database of the profile, place by place in the order of
// its place list (BrowserPlaces.h): for a Windows profile Chrome, Edge,
// Firefox, each in the Vista layout (AppData/Local, AppData/Roaming) and the
// XP layout (Local Settings/Application Data, Application Data); for a
// Linux home the places of ~/.config, snap and flatpak. Within a place its
// profile folders by name, and within a folder history, then cookies; every
// name matched without regard to letter case; a file reached twice (through
// a junction of the newer layout) is listed once. Only regular files are
// listed.
QList<BrowserDatabase> findBrowserDatabases(const UserProfile& profile);

// The same search below explicit folders: the "User Data" folder of Chrome
// or Edge, or Firefox's "Profiles" folder.
// The folders are the given files' (this machine's unless given).
QList<BrowserDatabase> findChromiumDatabases(Browser browser, const QString& userDataFolder,
                                             const EvidenceFiles& files = localEvidenceFiles());
QList<BrowserDatabase> findFirefoxDatabases(const QString& profilesFolder,
                                            const EvidenceFiles& files = localEvidenceFiles());
// The databases of one Chromium profile folder (Opera on Linux keeps its
// only profile in the place itself), named profileName.
QList<BrowserDatabase>
findChromiumProfileDatabases(Browser browser, const QString& profileFolder,
                             const QString& profileName,
                             const EvidenceFiles& files = localEvidenceFiles());

} // namespace vc
