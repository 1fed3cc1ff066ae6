#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace vc {

class EvidenceFiles;
class Hive;
class Machine;

// How the profile folder is laid out: Windows XP ("Local Settings",
// "Application Data") or Vista and later ("AppData\Local", "AppData\Roaming").
enum class ProfileLayout { Xp, Vista };

// One Windows user of the evidence: the profile folder that holds
// NTUSER.DAT (any letter case), read through the evidence's files. Its hive
// answers HKEY_CURRENT_USER; the machine's SOFTWARE hive (from the volume the
// profile lies in) answers HKEY_LOCAL_MACHINE. Hives are read from private
// copies; nothing here writes to the evidence.
class UserProfile {
public:
    UserProfile();
    ~UserProfile();
    UserProfile(const UserProfile&) = delete;
    UserProfile& operator=(const UserProfile&) = delete;

    // Opens a profile folder of this machine given alone: its volume is the
    // first parent folder that holds Windows/System32/config/SOFTWARE (any
    // case), whose hive it opens itself. A folder that does not exist gives
    // false and a message in *error. A hive that is missing, truncated or not
    // a hive still opens the profile (true) with empty registry answers, and
    // *error names the file and what is wrong with it.
    bool open(const QString& folder, QString* error);
    // Opens a profile folder of a machine: its files, the volume root and
    // the SOFTWARE hive are the machine's.
    bool open(const Machine& machine, const QString& folder, QString* error);
    // Opens a Linux home folder of this computer as a user (no hive: its
    // traces are the desktop's and the programs' own files). False when the
    // folder is not one.
    bool openHome(const Machine& machine, const QString& folder);
    // A Linux home folder of this computer, not a Windows profile.
    bool isLinuxHome() const { return m_linuxHome; }

    // The files the profile is read through.
    const EvidenceFiles& files() const { return *m_files; }
    // The machine the profile belongs to; nullptr for a profile opened alone.
    const Machine* machine() const { return m_machine; }

    QString folder() const { return m_folder; }
    // The user's name as the tables show it: the profile folder's name.
    QString name() const;
    // The user's security identifier, when the machine's ProfileList names
    // it; empty otherwise.
    QString sid() const { return m_sid; }
    void setSid(const QString& sid) { m_sid = sid; }
    // What open() had to say about the hives (empty when all went well).
    QString message() const { return m_message; }
    // Root folder of the Windows volume, or empty when none was found.
    QString volumeRoot() const { return m_volumeRoot; }
    Hive* userHive() const { return m_userHive.get(); }
    // The user's classes hive (UsrClass.dat, Windows Vista and later: the
    // shell bags of the newer Windows), opened when first asked for; nullptr
    // when the profile has none or it cannot be read.
    Hive* classesHive() const;
    QString userHivePath() const { return m_userHivePath; }
    QString classesHivePath() const;
    // The hive could not be read: the folders are guessed from the layouts
    // Windows uses (special folders), not read from it.
    bool foldersGuessed() const { return !m_folder.isEmpty() && !m_userHive && !m_linuxHome; }
    Hive* machineHive() const { return m_machineHive; }

    // The profile's path on the original machine ("C:\Documents and
    // Settings\joe"), found from the Shell Folders values; empty if unknown.
    QString windowsProfilePath() const { return m_windowsProfilePath; }

    // A Windows path ("C:\Documents and Settings\joe\Cookies",
    // "%USERPROFILE%\Recent\a.lnk") as a path of the evidence: the profile
    // prefix becomes the profile folder, each further component is matched
    // without regard to letter case (as NTFS does) where it exists; paths
    // outside the profile go through the volume root when one is known.
    // Empty when the path cannot be placed.
    QString mapWindowsPath(const QString& windowsPath) const;

    // XP or Vista layout: from the Windows profile path ("Documents and
    // Settings" or "Users") when known, else from what the folder holds.
    ProfileLayout layout() const { return m_layout; }

    // True when path (a file or folder of the evidence) lies inside the
    // profile folder, links resolved on both sides.
    bool contains(const QString& path) const;

    // A path relative to the profile folder, each component matched without
    // regard to letter case where it exists.
    QString resolve(const QStringList& components) const;

private:
    bool openFolder(const QString& folder, QString* error);

    const EvidenceFiles* m_files;
    const Machine* m_machine = nullptr;
    QString m_folder;
    QString m_volumeRoot;
    QString m_windowsProfilePath;
    QString m_message;
    QString m_sid;
    QString m_userHivePath;
    ProfileLayout m_layout = ProfileLayout::Xp;
    std::unique_ptr<Hive> m_userHive;
    std::unique_ptr<Hive> m_ownMachineHive;
    Hive* m_machineHive = nullptr;
    mutable std::unique_ptr<Hive> m_classesHive;
    mutable bool m_classesTried = false;
    bool m_linuxHome = false;
};

// Opens a hive file of the evidence (a private copy in memory).
std::unique_ptr<Hive> openEvidenceHive(const EvidenceFiles& files, const QString& path,
                                       QString* error);

// Finds a child of folder by name without regard to letter case; the exact
// name is preferred. Empty when there is none. (Folders of this machine.)
QString findChildNoCase(const QString& folder, const QString& name);

// base followed by the components, each one matched with findChildNoCase
// while the path exists; components that do not exist keep their spelling.
QString resolveNoCase(const QString& base, const QStringList& components);

// The same through the files of some evidence.
QString findChildNoCase(const EvidenceFiles& files, const QString& folder, const QString& name);
QString resolveNoCase(const EvidenceFiles& files, const QString& base,
                      const QStringList& components);

} // namespace vc
