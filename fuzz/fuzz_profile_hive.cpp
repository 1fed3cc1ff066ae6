// A profile whose NTUSER.DAT is the input: the hive opened through the
// profile, its Shell Folders read for every special folder, Windows paths
// mapped into the profile, and the open/save MRU lists read.
#include "FuzzInput.h"
#include "documents/OpenSaveMru.h"
#include "evidence/SpecialFolders.h"
#include "evidence/UserProfile.h"

#include <QDir>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A profile folder of the XP layout.
    static vc::fuzz::ProfileFolder folder({"Cookies", "Recent", "Favorites",
                                           "Local Settings/History", "Local Settings/Temp",
                                           "Application Data/Microsoft/Word"});
    folder.input.set(data, size);
    vc::UserProfile profile;
    QString message;
    if (!profile.open(folder.dir.path(), &message))
        std::abort();
    for (vc::FolderKind kind :
         {vc::FolderKind::TempDir, vc::FolderKind::CacheDir, vc::FolderKind::CookiesDir,
          vc::FolderKind::HistoryDir, vc::FolderKind::FavoritesDir, vc::FolderKind::RecentDir,
          vc::FolderKind::AppDataDir}) {
        const QString path = vc::GetSpecialFolder(profile, kind);
        // A folder is placed inside the profile or not at all: no value of
        // the hive leads the readers out of it.
        if (!path.isEmpty() && kind != vc::FolderKind::TempDir &&
            !QDir::cleanPath(path).startsWith(folder.dir.path() + QLatin1Char('/')))
            std::abort();
    }
    profile.mapWindowsPath(QStringLiteral("%USERPROFILE%\\Recent\\a.lnk"));
    profile.mapWindowsPath(profile.windowsProfilePath() + QStringLiteral("\\Cookies"));
    QList<QByteArray> rows;
    vc::ReadOpenSaveMRU(&profile, vc::kOpenSaveMruKey, rows, nullptr);
    return 0;
}
