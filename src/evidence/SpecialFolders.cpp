#include "evidence/SpecialFolders.h"

#include "evidence/EvidenceFiles.h"
#include "evidence/UserProfile.h"
#include "platform/Hive.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFileInfo>

namespace vc {

namespace {

const QString kCachePathsKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache\\Paths");
const QString kIndexFile = QStringLiteral("index.dat");
const QString kContentFolder = QStringLiteral("Content.IE5");

// Where each folder lies when the hive does not say, relative to the
// profile: the places Windows uses, in the order tried. The first that
// exists is taken, else the first.
QStringList layoutCandidates(FolderKind kind, ProfileLayout layout) {
    const bool xp = layout == ProfileLayout::Xp;
    switch (kind) {
    case FolderKind::TempDir:
        return {xp ? QStringLiteral("Local Settings/Temp") : QStringLiteral("AppData/Local/Temp")};
    case FolderKind::CacheDir:
        if (xp)
            return {QStringLiteral("Local Settings/Temporary Internet Files/Content.IE5")};
        return {
            QStringLiteral("AppData/Local/Microsoft/Windows/Temporary Internet Files/Content.IE5"),
            QStringLiteral("AppData/Local/Microsoft/Windows/INetCache/IE")};
    case FolderKind::CookiesDir:
        if (xp)
            return {QStringLiteral("Cookies")};
        return {QStringLiteral("AppData/Roaming/Microsoft/Windows/Cookies"),
                QStringLiteral("AppData/Local/Microsoft/Windows/INetCookies")};
    case FolderKind::HistoryDir:
        return {xp ? QStringLiteral("Local Settings/History")
                   : QStringLiteral("AppData/Local/Microsoft/Windows/History")};
    case FolderKind::FavoritesDir:
        return {QStringLiteral("Favorites")};
    case FolderKind::RecentDir:
        return {xp ? QStringLiteral("Recent")
                   : QStringLiteral("AppData/Roaming/Microsoft/Windows/Recent")};
    case FolderKind::AppDataDir:
        return {xp ? QStringLiteral("Application Data") : QStringLiteral("AppData/Roaming")};
    }
    return {};
}

QString layoutFolder(const UserProfile& profile, FolderKind kind) {
    const QStringList candidates = layoutCandidates(kind, profile.layout());
    for (const QString& candidate : candidates) {
        const QString path = profile.resolve(candidate.split(QLatin1Char('/')));
        if (profile.files().isFolder(EvidenceFiles::pathBytes(path)))
            return path;
    }
    return candidates.isEmpty() ? QString()
                                : profile.resolve(candidates.first().split(QLatin1Char('/')));
}

QString shellFolderValueName(FolderKind kind) {
    switch (kind) {
    case FolderKind::CookiesDir:
        return QStringLiteral("Cookies");
    case FolderKind::HistoryDir:
        return QStringLiteral("History");
    case FolderKind::FavoritesDir:
        return QStringLiteral("Favorites");
    case FolderKind::RecentDir:
        return QStringLiteral("Recent");
    case FolderKind::AppDataDir:
        return QStringLiteral("AppData");
    case FolderKind::TempDir:
    case FolderKind::CacheDir:
        break;
    }
    return QString();
}

// A value of the user's hive (CurrentUser) or of the machine's SOFTWARE
// hive (LocalMachine: the key path begins with "Software"), as a path of
// the evidence.
QString mappedValue(const UserProfile& profile, RegistryRoot root, const QString& key,
                    const QString& valueName) {
    QString value;
    if (root == RegistryRoot::CurrentUser) {
        if (const Hive* hive = profile.userHive())
            value = hive->readString(key, valueName).text;
    } else if (const Hive* hive = profile.machineHive()) {
        QStringList parts = splitKeyPath(key);
        if (!parts.isEmpty() &&
            parts.front().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0) {
            parts.removeFirst();
            value = hive->readString(parts.join(QLatin1Char('\\')), valueName).text;
        }
    }
    return value.isEmpty() ? QString() : profile.mapWindowsPath(value);
}

bool holdsIndexFile(const UserProfile& profile, const QString& folder) {
    const QString name = findChildNoCase(profile.files(), folder, kIndexFile);
    return !name.isEmpty() &&
           profile.files().isFile(EvidenceFiles::pathBytes(joinPath(folder, name)));
}

// The cache index lies in Content.IE5 below the folder the registry names.
QString cacheFolder(const UserProfile& profile) {
    const QString machine = mappedValue(profile, RegistryRoot::LocalMachine, kCachePathsKey,
                                        QStringLiteral("Directory"));
    if (!machine.isEmpty()) {
        const QString content = findChildNoCase(profile.files(), machine, kContentFolder);
        if (!holdsIndexFile(profile, machine) && !content.isEmpty())
            return machine + QLatin1Char('/') + content;
        return machine;
    }
    const QString user =
        mappedValue(profile, RegistryRoot::CurrentUser, kShellFoldersKey, QStringLiteral("Cache"));
    if (!user.isEmpty())
        return holdsIndexFile(profile, user)
                   ? user
                   : resolveNoCase(profile.files(), user, {kContentFolder});
    return layoutFolder(profile, FolderKind::CacheDir);
}

QString profileFolder(const UserProfile& profile, FolderKind kind) {
    // The temporary folder has no Shell Folders value; it follows the layout,
    // as every folder does when the hive cannot be read.
    if (kind == FolderKind::TempDir || !profile.userHive())
        return layoutFolder(profile, kind);
    if (kind == FolderKind::CacheDir)
        return cacheFolder(profile);
    const QString mapped = mappedValue(profile, RegistryRoot::CurrentUser, kShellFoldersKey,
                                       shellFolderValueName(kind));
    if (!mapped.isEmpty())
        return mapped;
    return layoutFolder(profile, kind);
}

} // namespace

QString withTrailingSlash(const QString& path) {
    if (path.isEmpty())
        return QString();
    QString result = path;
    while (result.size() > 1 && result.endsWith(QLatin1Char('/')))
        result.chop(1);
    if (!result.endsWith(QLatin1Char('/')))
        result += QLatin1Char('/');
    return result;
}

QString GetSpecialFolder(const UserProfile& profile, FolderKind kind) {
    return withTrailingSlash(profileFolder(profile, kind));
}

QString GetSpecialFolder(const UserProfile* profile, FolderKind kind) {
    if (profile)
        return GetSpecialFolder(*profile, kind);
    return kind == FolderKind::TempDir ? withTrailingSlash(QDir::tempPath()) : QString();
}

} // namespace vc
