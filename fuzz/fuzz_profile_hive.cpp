// A profile whose NTUSER.DAT is the input: the hive opened through the
// profile, its Shell Folders read for every special folder, Windows paths
// mapped into the profile, and the open/save MRU lists read.
#include "FuzzInput.h"
#include "documents/OpenSaveMru.h"
#include "platform/Profile.h"
#include "platform/SpecialFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include <cstdlib>

namespace {

// A profile folder of the XP layout whose NTUSER.DAT is a link to the input.
struct ProfileFolder {
    ProfileFolder() {
        if (!dir.isValid())
            std::abort();
        for (const char* sub : {"Cookies", "Recent", "Favorites", "Local Settings/History",
                                "Local Settings/Temp", "Application Data/Microsoft/Word"})
            QDir(dir.path()).mkpath(QString::fromLatin1(sub));
        const QByteArray link = QFile::encodeName(dir.filePath(QStringLiteral("NTUSER.DAT")));
        if (::symlink(QFile::encodeName(input.path()).constData(), link.constData()) != 0)
            std::abort();
    }
    QTemporaryDir dir;
    vc::fuzz::InputFile input;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ProfileFolder folder;
    folder.input.set(data, size);
    vc::Profile profile;
    QString message;
    if (!profile.open(folder.dir.path(), &message))
        std::abort();
    vc::setCurrentProfile(&profile);
    for (vc::FolderKind kind :
         {vc::FolderKind::TempDir, vc::FolderKind::CacheDir, vc::FolderKind::CookiesDir,
          vc::FolderKind::HistoryDir, vc::FolderKind::FavoritesDir, vc::FolderKind::RecentDir,
          vc::FolderKind::AppDataDir}) {
        const QString path = vc::GetSpecialFolder(kind);
        // A folder is placed inside the profile or not at all: no value of
        // the hive leads the readers out of it.
        if (!path.isEmpty() && kind != vc::FolderKind::TempDir &&
            !QDir::cleanPath(path).startsWith(folder.dir.path() + QLatin1Char('/')))
            std::abort();
    }
    profile.mapWindowsPath(QStringLiteral("%USERPROFILE%\\Recent\\a.lnk"));
    profile.mapWindowsPath(profile.windowsProfilePath() + QStringLiteral("\\Cookies"));
    QList<QByteArray> rows;
    vc::ReadOpenSaveMRU(vc::kOpenSaveMruKey, rows, nullptr);
    vc::setCurrentProfile(nullptr);
    return 0;
}
