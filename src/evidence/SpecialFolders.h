#pragma once

#include <QString>

namespace vc {

enum class FolderKind {
    TempDir,
    CacheDir,
    CookiesDir,
    HistoryDir,
    FavoritesDir,
    RecentDir,
    AppDataDir
};

class UserProfile;

// The path of a well-known folder of a user's profile, with exactly one
// trailing "/". TempDir is the profile's temporary folder; without a profile
// (nullptr: this computer) the Linux temporary folder. CacheDir is the folder that holds
// the cache's index.dat (Content.IE5). The others come from the profile's
// Shell Folders values mapped into the profile, falling back to the Windows
// XP or Vista layout. The empty text when no such folder can be placed.
QString GetSpecialFolder(const UserProfile& profile, FolderKind kind);
QString GetSpecialFolder(const UserProfile* profile, FolderKind kind);

// A folder path with exactly one trailing "/" (the empty text stays empty).
QString withTrailingSlash(const QString& path);

} // namespace vc
