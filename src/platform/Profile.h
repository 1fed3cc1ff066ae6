#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace vc {

class Hive;

// How the profile folder is laid out: Windows XP ("Local Settings",
// "Application Data") or Vista and later ("AppData\Local", "AppData\Roaming").
enum class ProfileLayout { Xp, Vista };

// One Windows user profile folder (copied or mounted): the folder that holds
// NTUSER.DAT (any letter case). Its hive answers HKEY_CURRENT_USER; when the
// profile lies inside a Windows volume (a parent holds
// Windows/System32/config/SOFTWARE, any case) that hive answers
// HKEY_LOCAL_MACHINE. Hives are opened read-only; nothing here writes to the
// profile.
class Profile {
public:
    Profile();
    ~Profile();

    // Opens the profile. A folder that does not exist gives false and a
    // message in *error. A hive that is missing, truncated or not a hive still
    // opens the profile (true) with empty registry answers, and *error names
    // the file and what is wrong with it.
    bool open(const QString& folder, QString* error);

    QString folder() const { return m_folder; }
    // What open() had to say about the hives (empty when all went well).
    QString message() const { return m_message; }
    // Root folder of the Windows volume, or empty when none was found.
    QString volumeRoot() const { return m_volumeRoot; }
    Hive* userHive() const { return m_userHive.get(); }
    // The hive could not be read: the folders are guessed from the layouts
    // Windows uses (special folders), not read from it.
    bool foldersGuessed() const { return !m_folder.isEmpty() && !m_userHive; }
    Hive* machineHive() const { return m_machineHive.get(); }

    // The profile's path on the original machine ("C:\Documents and
    // Settings\joe"), found from the Shell Folders values; empty if unknown.
    QString windowsProfilePath() const { return m_windowsProfilePath; }

    // A Windows path ("C:\Documents and Settings\joe\Cookies",
    // "%USERPROFILE%\Recent\a.lnk") as a path on this machine: the profile
    // prefix becomes the profile folder, each further component is matched
    // without regard to letter case (as NTFS does) where it exists; paths
    // outside the profile go through the volume root when one is known.
    // Empty when the path cannot be placed.
    QString mapWindowsPath(const QString& windowsPath) const;

    // XP or Vista layout: from the Windows profile path ("Documents and
    // Settings" or "Users") when known, else from what the folder holds.
    ProfileLayout layout() const { return m_layout; }

    // True when path (a file or folder on this machine) lies inside the
    // profile folder, links resolved on both sides.
    bool contains(const QString& path) const;

    // A path relative to the profile folder, each component matched without
    // regard to letter case where it exists.
    QString resolve(const QStringList& components) const;

private:
    QString m_folder;
    QString m_volumeRoot;
    QString m_windowsProfilePath;
    QString m_message;
    ProfileLayout m_layout = ProfileLayout::Xp;
    std::unique_ptr<Hive> m_userHive;
    std::unique_ptr<Hive> m_machineHive;
};

// The profile the program reads, or none (then only what exists on Linux,
// the temporary folder, is read).
Profile* currentProfile();
void setCurrentProfile(Profile* profile);

// Finds a child of folder by name without regard to letter case; the exact
// name is preferred. Empty when there is none.
QString findChildNoCase(const QString& folder, const QString& name);

// base followed by the components, each one matched with findChildNoCase
// while the path exists; components that do not exist keep their spelling.
QString resolveNoCase(const QString& base, const QStringList& components);

} // namespace vc
