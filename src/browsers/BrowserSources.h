#pragma once

#include <QList>
#include <QString>

namespace vc {

class UserProfile;

enum class Browser { Chrome, Edge, Firefox };

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
};

// The browser's name as the tables show it.
QString browserName(Browser browser);

// Every Chrome, Edge and Firefox database of the profile, in this order:
// Chrome, Edge, Firefox; within a browser its profile folders by name, and
// within a folder history, then cookies. Both the Vista layout
// (AppData/Local, AppData/Roaming) and the XP layout (Local Settings/
// Application Data, Application Data) are searched, every name matched
// without regard to letter case; a file reached twice (through a junction
// of the newer layout) is listed once. Only regular files are listed.
QList<BrowserDatabase> findBrowserDatabases(const UserProfile& profile);

// The same search below explicit folders: the "User Data" folder of Chrome
// or Edge, or Firefox's "Profiles" folder.
QList<BrowserDatabase> findChromiumDatabases(Browser browser, const QString& userDataFolder);
QList<BrowserDatabase> findFirefoxDatabases(const QString& profilesFolder);

} // namespace vc
