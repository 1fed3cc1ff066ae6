#include "evidence/SpecialFolders.h"
#include "TestData.h"
#include "evidence/UserProfile.h"
#include "platform/HiveEditing.h"
#include "platform/QStringPrinting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vc;

namespace {

const QString kShell =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");

void makeFolders(const QString& root, const QStringList& relative) {
    for (const QString& r : relative)
        ASSERT_TRUE(QDir().mkpath(root + '/' + r)) << r.toStdString();
}

void makeFile(const QString& path, const QByteArray& bytes = QByteArray("x")) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

void copyHive(const QString& from, const QString& to) {
    ASSERT_TRUE(QFile::copy(testDataPath(from), to));
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
}

// The profile a test reads its folders from, for as long as it lives;
// without one the folders are this computer's.
const UserProfile* g_folderProfile = nullptr;

QString testFolder(FolderKind kind) {
    return GetSpecialFolder(g_folderProfile, kind);
}

struct CurrentProfile {
    UserProfile profile;
    QString message;
    bool opened = false;
    explicit CurrentProfile(const QString& folder) {
        opened = profile.open(folder, &message);
        g_folderProfile = &profile;
    }
    ~CurrentProfile() { g_folderProfile = nullptr; }
};

} // namespace

// The XP hive's folders, on a tree spelt in other letter cases than the hive.
TEST(PlatformFolders, MapsXpShellFoldersWithoutRegardToCase) {
    QTemporaryDir dir;
    const QString p = dir.path() + "/joe";
    makeFolders(p, {"COOKIES", "favorites", "recent", "APPLICATION DATA/microsoft",
                    "local settings/HISTORY/history.ie5", "local settings/temp",
                    "local settings/Temporary INTERNET Files/content.ie5"});
    copyHive("ntuser-xp.dat", p + "/ntuser.dat");
    CurrentProfile current(p);
    ASSERT_TRUE(current.opened);
    EXPECT_TRUE(current.message.isEmpty()) << current.message.toStdString();
    EXPECT_EQ(current.profile.windowsProfilePath(), "C:\\Documents and Settings\\joe");
    EXPECT_EQ(current.profile.layout(), ProfileLayout::Xp);

    EXPECT_EQ(testFolder(FolderKind::CookiesDir), p + "/COOKIES/");
    EXPECT_EQ(testFolder(FolderKind::FavoritesDir), p + "/favorites/");
    EXPECT_EQ(testFolder(FolderKind::RecentDir), p + "/recent/");
    EXPECT_EQ(testFolder(FolderKind::AppDataDir), p + "/APPLICATION DATA/");
    EXPECT_EQ(testFolder(FolderKind::HistoryDir), p + "/local settings/HISTORY/");
    EXPECT_EQ(testFolder(FolderKind::TempDir), p + "/local settings/temp/");
    // "Cache" names Temporary Internet Files; the index lies in Content.IE5.
    EXPECT_EQ(testFolder(FolderKind::CacheDir),
              p + "/local settings/Temporary INTERNET Files/content.ie5/");

    // A folder that already holds index.dat is the cache folder itself.
    makeFile(p + "/local settings/Temporary INTERNET Files/INDEX.DAT");
    EXPECT_EQ(testFolder(FolderKind::CacheDir), p + "/local settings/Temporary INTERNET Files/");

    const UserProfile& profile = current.profile;
    EXPECT_EQ(profile.mapWindowsPath("c:\\documents and settings\\JOE\\Recent\\Letter.doc.lnk"),
              p + "/recent/Letter.doc.lnk"); // missing file keeps its spelling
    EXPECT_EQ(profile.mapWindowsPath("%USERPROFILE%\\application data\\Microsoft\\Word"),
              p + "/APPLICATION DATA/microsoft/Word");
    EXPECT_EQ(profile.mapWindowsPath("%APPDATA%\\Microsoft"), p + "/APPLICATION DATA/microsoft");
    // TEMP comes from the hive's own Environment key.
    EXPECT_EQ(profile.mapWindowsPath("%TEMP%\\a.tmp"), p + "/local settings/temp/a.tmp");
    // Outside the profile with no volume known, or climbing out of it: nowhere.
    EXPECT_EQ(profile.mapWindowsPath("C:\\WINDOWS\\Fonts"), "");
    EXPECT_EQ(profile.mapWindowsPath("C:\\Documents and Settings\\joe\\..\\..\\etc\\passwd"), "");
    EXPECT_EQ(profile.mapWindowsPath("%NOSUCHVARIABLE%\\x"), "");
    EXPECT_EQ(profile.mapWindowsPath("\\\\server\\share\\x"), "");
    EXPECT_EQ(profile.mapWindowsPath("C:\\Documents and Settings\\joey\\Recent"), "");
}

TEST(PlatformFolders, MapsWindows10ShellFolders) {
    QTemporaryDir dir;
    const QString p = dir.path() + "/bperry";
    makeFolders(p, {"appdata/ROAMING/microsoft/windows/recent", "Favorites",
                    "appdata/local/Microsoft/Windows/INetCookies", "appdata/local/temp",
                    "appdata/local/Microsoft/Windows/history"});
    copyHive("ntuser-win10.dat", p + "/NTUSER.DAT");
    CurrentProfile current(p);
    ASSERT_TRUE(current.opened);
    EXPECT_EQ(current.profile.windowsProfilePath(), "C:\\Users\\bperry");
    EXPECT_EQ(current.profile.layout(), ProfileLayout::Vista);
    EXPECT_EQ(testFolder(FolderKind::RecentDir), p + "/appdata/ROAMING/microsoft/windows/recent/");
    EXPECT_EQ(testFolder(FolderKind::CookiesDir),
              p + "/appdata/local/Microsoft/Windows/INetCookies/");
    EXPECT_EQ(testFolder(FolderKind::FavoritesDir), p + "/Favorites/");
    EXPECT_EQ(testFolder(FolderKind::AppDataDir), p + "/appdata/ROAMING/");
    EXPECT_EQ(testFolder(FolderKind::HistoryDir), p + "/appdata/local/Microsoft/Windows/history/");
    EXPECT_EQ(testFolder(FolderKind::TempDir), p + "/appdata/local/temp/");
    // Neither INetCache nor Content.IE5 exists: the hive's spelling stays.
    EXPECT_EQ(testFolder(FolderKind::CacheDir),
              p + "/appdata/local/Microsoft/Windows/INetCache/Content.IE5/");
}

// Values the hive lacks fall back to the layout the profile folder shows.
TEST(PlatformFolders, FallsBackToTheLayoutWhenValuesAreMissing) {
    QTemporaryDir dir;
    const QString xp = dir.path() + "/xp";
    makeFolders(xp, {"Cookies", "Local Settings/History", "Application Data",
                     "Local Settings/Temporary Internet Files/Content.IE5"});
    copyHive("ntuser-xp.dat", xp + "/NTUSER.DAT");
    // Cookies no longer listed; Favorites moved to where it cannot be placed.
    ASSERT_TRUE(
        setHiveStrings(xp + "/NTUSER.DAT", kShell,
                       {{"Favorites", "D:\\Elsewhere\\Favorites"},
                        {"History", "C:\\Documents and Settings\\joe\\Local Settings\\History"},
                        {"Desktop", "C:\\Documents and Settings\\joe\\Desktop"}},
                       true));
    {
        CurrentProfile current(xp);
        ASSERT_TRUE(current.opened);
        EXPECT_EQ(current.profile.windowsProfilePath(), "C:\\Documents and Settings\\joe");
        EXPECT_EQ(testFolder(FolderKind::CookiesDir), xp + "/Cookies/");
        EXPECT_EQ(testFolder(FolderKind::FavoritesDir), xp + "/Favorites/");
        EXPECT_EQ(testFolder(FolderKind::RecentDir), xp + "/Recent/");
        EXPECT_EQ(testFolder(FolderKind::CacheDir),
                  xp + "/Local Settings/Temporary Internet Files/Content.IE5/");
    }

    // No Shell Folders at all: the layout is read from the folder itself.
    const QString vista = dir.path() + "/vista";
    makeFolders(vista, {"AppData/Roaming", "AppData/Local"});
    copyHive("ntuser-win10.dat", vista + "/NTUSER.DAT");
    ASSERT_TRUE(deleteHiveKey(vista + "/NTUSER.DAT", kShell));
    ASSERT_TRUE(deleteHiveKey(
        vista + "/NTUSER.DAT",
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders"));
    CurrentProfile current(vista);
    ASSERT_TRUE(current.opened);
    EXPECT_TRUE(current.profile.windowsProfilePath().isEmpty());
    EXPECT_EQ(current.profile.layout(), ProfileLayout::Vista);
    EXPECT_EQ(testFolder(FolderKind::CookiesDir),
              vista + "/AppData/Roaming/Microsoft/Windows/Cookies/");
    EXPECT_EQ(testFolder(FolderKind::HistoryDir),
              vista + "/AppData/Local/Microsoft/Windows/History/");
    EXPECT_EQ(testFolder(FolderKind::CacheDir),
              vista + "/AppData/Local/Microsoft/Windows/Temporary Internet Files/Content.IE5/");
    EXPECT_EQ(testFolder(FolderKind::RecentDir),
              vista + "/AppData/Roaming/Microsoft/Windows/Recent/");
    EXPECT_EQ(testFolder(FolderKind::AppDataDir), vista + "/AppData/Roaming/");
    EXPECT_EQ(testFolder(FolderKind::FavoritesDir), vista + "/Favorites/");
    // %USERPROFILE% still places paths on the profile folder.
    EXPECT_EQ(current.profile.mapWindowsPath("%USERPROFILE%\\appdata\\roaming\\x"),
              vista + "/AppData/Roaming/x");
}

// A profile inside a copied Windows volume reads HKEY_LOCAL_MACHINE from the
// volume's SOFTWARE hive and places paths outside the profile on the volume.
TEST(PlatformFolders, UsesTheVolumeOfTheProfile) {
    QTemporaryDir dir;
    const QString volume = dir.path() + "/volume";
    const QString p = volume + "/Documents and Settings/joe";
    makeFolders(volume, {"WINDOWS/system32/CONFIG", "WINDOWS/Fonts"});
    makeFolders(p, {"Local Settings/Temporary Internet Files/Content.IE5"});
    makeFile(p + "/Local Settings/Temporary Internet Files/Content.IE5/index.dat");
    copyHive("ntuser-xp.dat", p + "/NTUSER.DAT");
    const QString software = volume + "/WINDOWS/system32/CONFIG/software";
    copyHive("ntuser-win10.dat", software);
    ASSERT_TRUE(setHiveStrings(
        software, "Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache\\Paths",
        {{"Directory", "%USERPROFILE%\\Local Settings\\Temporary Internet Files"}}));

    CurrentProfile current(p);
    ASSERT_TRUE(current.opened);
    EXPECT_EQ(current.profile.volumeRoot(), QDir(volume).absolutePath());
    ASSERT_NE(current.profile.machineHive(), nullptr);
    EXPECT_EQ(current.profile.mapWindowsPath("C:\\Windows\\Fonts\\arial.ttf"),
              volume + "/WINDOWS/Fonts/arial.ttf");
    EXPECT_EQ(testFolder(FolderKind::CacheDir),
              p + "/Local Settings/Temporary Internet Files/Content.IE5/");

    // A volume without a SOFTWARE hive is no volume.
    QFile::remove(software);
    UserProfile plain;
    ASSERT_TRUE(plain.open(p, nullptr));
    EXPECT_TRUE(plain.volumeRoot().isEmpty());
    EXPECT_EQ(plain.mapWindowsPath("C:\\Windows\\Fonts"), "");
}

// A hive that cannot be read says which file failed; the folders are then
// where Windows usually puts them.
TEST(PlatformFolders, UnreadableHiveGivesLayoutFoldersAndOneMessage) {
    QTemporaryDir dir;
    const QString p = dir.path() + "/joe";
    makeFolders(p, {"Cookies", "Favorites", "Recent", "Local Settings/Temp"});

    auto check = [&](const QString& expectedFile, const QString& expectedWhy) {
        CurrentProfile current(p);
        EXPECT_TRUE(current.opened);
        EXPECT_TRUE(current.message.contains(expectedFile)) << current.message.toStdString();
        EXPECT_TRUE(current.message.contains(expectedWhy)) << current.message.toStdString();
        EXPECT_EQ(current.message.count('\n'), 0) << current.message.toStdString();
        EXPECT_EQ(current.profile.message(), current.message);
        EXPECT_TRUE(current.profile.foldersGuessed());
        EXPECT_EQ(testFolder(FolderKind::CookiesDir), p + "/Cookies/");
        EXPECT_EQ(testFolder(FolderKind::FavoritesDir), p + "/Favorites/");
        EXPECT_EQ(testFolder(FolderKind::RecentDir), p + "/Recent/");
        EXPECT_EQ(testFolder(FolderKind::HistoryDir), p + "/Local Settings/History/");
        EXPECT_EQ(testFolder(FolderKind::CacheDir),
                  p + "/Local Settings/Temporary Internet Files/Content.IE5/");
        EXPECT_EQ(testFolder(FolderKind::TempDir), p + "/Local Settings/Temp/");
    };
    check(p + "/NTUSER.DAT", "does not exist");

    QFile original(testDataPath("ntuser-xp.dat"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray real = original.readAll();
    makeFile(p + "/NtUser.dat", real.left(200000));
    check(p + "/NtUser.dat", "truncated");
    makeFile(p + "/NtUser.dat", QByteArray(100000, '\x5a'));
    check(p + "/NtUser.dat", "not a registry hive");

    UserProfile missing;
    QString error;
    EXPECT_FALSE(missing.open(dir.path() + "/nobody", &error));
    EXPECT_TRUE(error.contains(dir.path() + "/nobody"));
}

TEST(PlatformFolders, EndsInExactlyOneSlash) {
    EXPECT_EQ(withTrailingSlash("/a/b"), "/a/b/");
    EXPECT_EQ(withTrailingSlash("/a/b/"), "/a/b/");
    EXPECT_EQ(withTrailingSlash("/a/b///"), "/a/b/");
    EXPECT_EQ(withTrailingSlash("/"), "/");
    EXPECT_EQ(withTrailingSlash(""), "");

    const QString temp = testFolder(FolderKind::TempDir);
    EXPECT_EQ(temp, QDir::tempPath() + "/");
    EXPECT_FALSE(temp.endsWith("//"));
    // Without a profile only the temporary folder exists.
    EXPECT_EQ(testFolder(FolderKind::CookiesDir), "");
    EXPECT_EQ(testFolder(FolderKind::CacheDir), "");
}

// The bundled sample profile: its folders hold what the tables will read.
TEST(PlatformFolders, SampleProfileIsLaidOutAsItsHiveSays) {
    CurrentProfile current(samplesPath("profiles/xp"));
    ASSERT_TRUE(current.opened);
    EXPECT_TRUE(current.message.isEmpty()) << current.message.toStdString();
    EXPECT_TRUE(QFile::exists(testFolder(FolderKind::CacheDir) + "index.dat"));
    EXPECT_TRUE(QFile::exists(testFolder(FolderKind::HistoryDir) + "History.IE5/index.dat"));
    const QDir cookies(testFolder(FolderKind::CookiesDir));
    EXPECT_GE(cookies.entryList({"*.txt"}).size(), 3);
    EXPECT_TRUE(cookies.exists("index.dat"));
    EXPECT_TRUE(QFile::exists(testFolder(FolderKind::RecentDir) + "report.txt.lnk"));
    EXPECT_TRUE(QFile::exists(testFolder(FolderKind::FavoritesDir) + "Links"));
    EXPECT_TRUE(QFile::exists(testFolder(FolderKind::AppDataDir) + "Microsoft/Excel/Excel11.xlb"));
    EXPECT_TRUE(QFile::exists(testFolder(FolderKind::TempDir) + "install.log"));
}

// A Windows 8 to 11 profile without a readable hive: the folders of that
// layout that exist, the first candidate where none does.
TEST(PlatformFolders, UnreadableHiveOfALaterWindowsGuessesItsFolders) {
    QTemporaryDir dir;
    const QString p = dir.path() + "/Users/ann";
    makeFolders(p, {"AppData/Local/Microsoft/Windows/INetCache/IE",
                    "AppData/Local/Microsoft/Windows/INetCookies",
                    "AppData/Local/Microsoft/Windows/History",
                    "AppData/Roaming/Microsoft/Windows/Recent", "Favorites", "AppData/Local/Temp"});
    makeFile(p + "/NTUSER.DAT", QByteArray(4096, '\0'));
    CurrentProfile current(p);
    ASSERT_TRUE(current.opened);
    EXPECT_TRUE(current.profile.foldersGuessed());
    EXPECT_EQ(current.profile.layout(), ProfileLayout::Vista);
    EXPECT_EQ(testFolder(FolderKind::CacheDir),
              p + "/AppData/Local/Microsoft/Windows/INetCache/IE/");
    EXPECT_EQ(testFolder(FolderKind::CookiesDir),
              p + "/AppData/Local/Microsoft/Windows/INetCookies/");
    EXPECT_EQ(testFolder(FolderKind::HistoryDir), p + "/AppData/Local/Microsoft/Windows/History/");
    EXPECT_EQ(testFolder(FolderKind::RecentDir), p + "/AppData/Roaming/Microsoft/Windows/Recent/");
    EXPECT_EQ(testFolder(FolderKind::FavoritesDir), p + "/Favorites/");
    EXPECT_EQ(testFolder(FolderKind::AppDataDir), p + "/AppData/Roaming/");
    EXPECT_EQ(testFolder(FolderKind::TempDir), p + "/AppData/Local/Temp/");

    // With a readable hive nothing is guessed.
    UserProfile sample;
    ASSERT_TRUE(sample.open(samplesPath("profiles/xp"), nullptr));
    EXPECT_FALSE(sample.foldersGuessed());
}
