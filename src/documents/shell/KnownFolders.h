#pragma once

#include <QHash>
#include <QString>
#include <QUuid>

namespace vc {

class UserProfile;

// A shell folder that item lists and jump lists name by its GUID (a
// class identifier of the shell namespace or a known-folder identifier).
struct KnownFolder {
    const char* guid; // "{20D04FE0-3AEA-1069-A2D8-08002B30309D}"
    const char* name; // as Explorer names it in English
    // The Shell Folders value that holds its location on the original
    // machine ("My Pictures"), or nullptr when only a value named by the
    // GUID itself can hold it.
    const char* shellFolderValue;
    bool isProfileFolder; // the user's own folder (C:\Users\name)
    bool isComputer;      // My Computer: the drives below it stand alone
};

// The table entry for a GUID, or nullptr.
const KnownFolder* findKnownFolder(const QUuid& id);

// A GUID as Windows stores it (16 bytes, the first three groups little
// endian).
QUuid guidFromWindowsBytes(const unsigned char* sixteenBytes);

// Where the user's known folders lay on the original machine, from the
// hive's Shell Folders and User Shell Folders values and the profile's own
// Windows path. A folder the hive does not place has no location (the empty
// text).
class KnownFolderLocations {
public:
    KnownFolderLocations() = default;
    static KnownFolderLocations fromProfile(const UserProfile& profile);

    // The Windows path of a known folder; empty when the hive does not say.
    QString location(const KnownFolder& folder) const;
    // The value of one Shell Folders entry by name (any case).
    QString shellFolder(const QString& valueName) const;

    void setProfilePath(const QString& path) { m_profilePath = path; }
    void setShellFolder(const QString& valueName, const QString& path) {
        m_shellFolders.insert(valueName.toLower(), path);
    }
    // A User Shell Folders path with "%USERPROFILE%" replaced by the
    // profile's path; empty when it names another variable or the profile
    // path is unknown.
    QString expanded(const QString& path) const;

private:
    QString m_profilePath;
    QHash<QString, QString> m_shellFolders; // lower-case value name -> path
};

// A path that starts with "::{GUID}" (as jump lists store shell folders)
// with that part replaced by the folder's location, else by its name; other
// paths unchanged.
QString withKnownFolderNames(const QString& path, const KnownFolderLocations& locations);

} // namespace vc
