#include "browsers/BrowserSources.h"

#include "browsers/BrowserPlaces.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/UserProfile.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace vc {

namespace {

// Profile folders looked at below one "User Data" or "Profiles" folder: far
// more than any browser makes, few enough that a folder planted with
// millions of entries cannot stall the load.
constexpr int kMaxProfileFolders = 4096;

// The browser's profile folders, by name without regard to letter case
// (deleted folders an image still lists are not looked into).
QStringList profileFolders(const QString& folder, const EvidenceFiles& files) {
    std::vector<EvidenceEntry> entries;
    if (folder.isEmpty() || !files.list(EvidenceFiles::pathBytes(folder), entries, nullptr))
        return {};
    QStringList names;
    for (const EvidenceEntry& entry : entries)
        if (entry.type == EntryType::Folder && !entry.deleted)
            names << EvidenceFiles::pathText(entry.name);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    if (names.size() > kMaxProfileFolders)
        names = names.mid(0, kMaxProfileFolders);
    return names;
}

// Adds the file when it exists as a regular file.
void addIfFile(QList<BrowserDatabase>& out, Browser browser, BrowserDatabaseKind kind,
               const QString& profileName, const QString& folder, const QStringList& components,
               const EvidenceFiles& files) {
    const QString path = resolveNoCase(files, folder, components);
    const std::optional<EvidenceEntry> entry = files.entry(EvidenceFiles::pathBytes(path));
    if (!entry || entry->type != EntryType::File || entry->deleted)
        return;
    out.append({browser, kind, profileName, path, QString(), files.isLocal() ? nullptr : &files});
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
                                                    const QString& name,
                                                    const EvidenceFiles& files) {
    QList<BrowserDatabase> found;
    addIfFile(found, browser, BrowserDatabaseKind::ChromeHistory, name, folder,
              {QStringLiteral("History")}, files);
    addIfFile(found, browser, BrowserDatabaseKind::ChromeCookies, name, folder,
              {QStringLiteral("Cookies")}, files);
    addIfFile(found, browser, BrowserDatabaseKind::ChromeCookies, name, folder,
              {QStringLiteral("Network"), QStringLiteral("Cookies")}, files);
    return found;
}

QList<BrowserDatabase> findChromiumDatabases(Browser browser, const QString& userDataFolder,
                                             const EvidenceFiles& files) {
    QList<BrowserDatabase> found;
    for (const QString& name : profileFolders(userDataFolder, files))
        found += findChromiumProfileDatabases(browser, userDataFolder + QLatin1Char('/') + name,
                                              name, files);
    return found;
}

QList<BrowserDatabase> findFirefoxDatabases(const QString& profilesFolder,
                                            const EvidenceFiles& files) {
    QList<BrowserDatabase> found;
    for (const QString& name : profileFolders(profilesFolder, files)) {
        const QString folder = profilesFolder + QLatin1Char('/') + name;
        addIfFile(found, Browser::Firefox, BrowserDatabaseKind::FirefoxPlaces, name, folder,
                  {QStringLiteral("places.sqlite")}, files);
        addIfFile(found, Browser::Firefox, BrowserDatabaseKind::FirefoxDownloads, name, folder,
                  {QStringLiteral("downloads.sqlite")}, files);
        addIfFile(found, Browser::Firefox, BrowserDatabaseKind::FirefoxCookies, name, folder,
                  {QStringLiteral("cookies.sqlite")}, files);
    }
    return found;
}

QList<BrowserDatabase> findBrowserDatabases(const UserProfile& profile) {
    if (profile.folder().isEmpty())
        return {};
    QList<BrowserDatabase> all;
    const EvidenceFiles& files = profile.files();
    for (const BrowserPlace& place : browserPlacesOf(profile)) {
        const QString folder =
            profile.resolve(QString::fromUtf8(place.databases).split(QLatin1Char('/')));
        QList<BrowserDatabase> found;
        switch (place.kind) {
        case BrowserPlaceKind::ChromiumUserData:
            found = findChromiumDatabases(place.browser, folder, files);
            break;
        case BrowserPlaceKind::ChromiumProfile:
            found = findChromiumProfileDatabases(place.browser, folder,
                                                 folder.section(QLatin1Char('/'), -1), files);
            break;
        case BrowserPlaceKind::FirefoxProfiles:
            found = findFirefoxDatabases(folder, files);
            break;
        }
        for (BrowserDatabase& database : found)
            database.place = browserPlaceName(place, profile.isLinuxHome());
        all += found;
    }

    // "Local Settings" and "Application Data" of a newer profile are
    // junctions into AppData: the same file must not be read twice. Inside
    // an image the junctions are not followed, so each path is its own.
    QList<BrowserDatabase> unique;
    QSet<QString> seen;
    for (const BrowserDatabase& database : all) {
        const QString canonical =
            files.isLocal() ? QFileInfo(database.path).canonicalFilePath() : QString();
        const QString key = canonical.isEmpty() ? database.path : canonical;
        if (seen.contains(key))
            continue;
        seen.insert(key);
        unique.append(database);
    }
    return unique;
}

} // namespace vc
