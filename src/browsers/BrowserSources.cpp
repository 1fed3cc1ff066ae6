#include "browsers/BrowserSources.h"

#include "browsers/BrowserPlaces.h"
#include "evidence/UserProfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace vc {

namespace {

// Profile folders looked at below one "User Data" or "Profiles" folder: far
// more than any browser makes, few enough that a folder planted with
// millions of entries cannot stall the load.
constexpr int kMaxProfileFolders = 4096;

// The browser's profile folders, by name without regard to letter case.
QStringList profileFolders(const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    QStringList names =
        QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                               QDir::Name | QDir::IgnoreCase);
    if (names.size() > kMaxProfileFolders)
        names = names.mid(0, kMaxProfileFolders);
    return names;
}

// Adds the file when it exists as a regular file.
void addIfFile(QList<BrowserDatabase>& out, Browser browser, BrowserDatabaseKind kind,
               const QString& profileName, const QString& folder, const QStringList& components) {
    const QString path = resolveNoCase(folder, components);
    if (!QFileInfo(path).isFile())
        return;
    out.append({browser, kind, profileName, path, QString()});
}

} // namespace

QString browserName(Browser browser) {
    switch (browser) {
    case Browser::Chrome:
        return QStringLiteral("Chrome");
    case Browser::Edge:
        return QStringLiteral("Edge");
    case Browser::Firefox:
        return QStringLiteral("Firefox");
    case Browser::Chromium:
        return QStringLiteral("Chromium");
    case Browser::Brave:
        return QStringLiteral("Brave");
    case Browser::Vivaldi:
        return QStringLiteral("Vivaldi");
    case Browser::Opera:
        return QStringLiteral("Opera");
    }
    return QString();
}

QList<BrowserDatabase> findChromiumProfileDatabases(Browser browser, const QString& folder,
                                                    const QString& name) {
    QList<BrowserDatabase> found;
    addIfFile(found, browser, BrowserDatabaseKind::ChromeHistory, name, folder,
              {QStringLiteral("History")});
    addIfFile(found, browser, BrowserDatabaseKind::ChromeCookies, name, folder,
              {QStringLiteral("Cookies")});
    addIfFile(found, browser, BrowserDatabaseKind::ChromeCookies, name, folder,
              {QStringLiteral("Network"), QStringLiteral("Cookies")});
    return found;
}

QList<BrowserDatabase> findChromiumDatabases(Browser browser, const QString& userDataFolder) {
    QList<BrowserDatabase> found;
    for (const QString& name : profileFolders(userDataFolder))
        found +=
            findChromiumProfileDatabases(browser, userDataFolder + QLatin1Char('/') + name, name);
    return found;
}

QList<BrowserDatabase> findFirefoxDatabases(const QString& profilesFolder) {
    QList<BrowserDatabase> found;
    for (const QString& name : profileFolders(profilesFolder)) {
        const QString folder = profilesFolder + QLatin1Char('/') + name;
        addIfFile(found, Browser::Firefox, BrowserDatabaseKind::FirefoxPlaces, name, folder,
                  {QStringLiteral("places.sqlite")});
        addIfFile(found, Browser::Firefox, BrowserDatabaseKind::FirefoxDownloads, name, folder,
                  {QStringLiteral("downloads.sqlite")});
        addIfFile(found, Browser::Firefox, BrowserDatabaseKind::FirefoxCookies, name, folder,
                  {QStringLiteral("cookies.sqlite")});
    }
    return found;
}

QList<BrowserDatabase> findBrowserDatabases(const UserProfile& profile) {
    if (profile.folder().isEmpty())
        return {};
    QList<BrowserDatabase> all;
    for (const BrowserPlace& place : browserPlacesOf(profile)) {
        const QString folder =
            profile.resolve(QString::fromUtf8(place.databases).split(QLatin1Char('/')));
        QList<BrowserDatabase> found;
        switch (place.kind) {
        case BrowserPlaceKind::ChromiumUserData:
            found = findChromiumDatabases(place.browser, folder);
            break;
        case BrowserPlaceKind::ChromiumProfile:
            found = findChromiumProfileDatabases(place.browser, folder,
                                                 folder.section(QLatin1Char('/'), -1));
            break;
        case BrowserPlaceKind::FirefoxProfiles:
            found = findFirefoxDatabases(folder);
            break;
        }
        for (BrowserDatabase& database : found)
            database.place = browserPlaceName(place, profile.isLinuxHome());
        all += found;
    }

    // "Local Settings" and "Application Data" of a newer profile are
    // junctions into AppData: the same file must not be read twice.
    QList<BrowserDatabase> unique;
    QSet<QString> seen;
    for (const BrowserDatabase& database : all) {
        const QString canonical = QFileInfo(database.path).canonicalFilePath();
        const QString key = canonical.isEmpty() ? database.path : canonical;
        if (seen.contains(key))
            continue;
        seen.insert(key);
        unique.append(database);
    }
    return unique;
}

} // namespace vc
