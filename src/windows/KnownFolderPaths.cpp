#include "windows/KnownFolderPaths.h"

#include "documents/shell/KnownFolders.h"

#include <QHash>
#include <QRegularExpression>
#include <QUuid>

namespace vc {

namespace {

// Known folders that the shell-folder table of documents/shell does not
// place: the machine's own folders, at the paths Windows gives them unless
// an administrator moved them, and user folders that lie below a Shell
// Folders value. A folder placed through a Shell Folders value uses the
// value where the hive has it, else its default below the user's folder.
struct PlacedFolder {
    const char* guid;
    const char* shellFolderValue; // nullptr: no Shell Folders value
    const char* below;            // added below that value's path
    const char* byDefault;        // "%USERPROFILE%" stands for the user's folder
};

constexpr PlacedFolder kPlacedFolders[] = {
    {"{1AC14E77-02E7-4E5D-B744-2EB1AE5198B7}", nullptr, "", "C:\\Windows\\System32"},
    {"{D65231B0-B2F1-4857-A4CE-A8E7C6EA7D27}", nullptr, "", "C:\\Windows\\SysWOW64"},
    {"{F38BF404-1D43-42F2-9305-67DE0B28FC23}", nullptr, "", "C:\\Windows"},
    {"{905E63B6-C1BF-494E-B29C-65B732D3D21A}", nullptr, "", "C:\\Program Files"},
    {"{6D809377-6AF0-444B-8957-A3773F02200E}", nullptr, "", "C:\\Program Files"},
    {"{7C5A40EF-A0FB-4BFC-874A-C0F2E0B9FA8E}", nullptr, "", "C:\\Program Files (x86)"},
    {"{F7F1ED05-9F6D-47A2-AAAE-29D317C6F066}", nullptr, "", "C:\\Program Files\\Common Files"},
    {"{6365D5A7-0F0D-45E5-87F6-0DA56B6A4F7D}", nullptr, "", "C:\\Program Files\\Common Files"},
    {"{DE974D24-D9C6-4D3E-BF91-F4455120B917}", nullptr, "",
     "C:\\Program Files (x86)\\Common Files"},
    {"{62AB5D82-FDC1-4DC3-A9DD-070D1D495D97}", nullptr, "", "C:\\ProgramData"},
    {"{0139D44E-6AFE-49F2-8690-3DAFCAE6FFB8}", nullptr, "",
     "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
    {"{A4115719-D62E-491D-AA7C-E74B8BE3B067}", nullptr, "",
     "C:\\ProgramData\\Microsoft\\Windows\\Start Menu"},
    {"{82A5EA35-D9CD-47C5-9629-E15D2F714E6E}", nullptr, "",
     "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp"},
    {"{0762D272-C50A-4BB0-A382-697DCD729B80}", nullptr, "", "C:\\Users"},
    {"{DFDF76A2-C82A-4D63-906A-5644AC457385}", nullptr, "", "C:\\Users\\Public"},
    {"{C4AA340D-F20F-4863-AFEF-F87EF2E6BA25}", nullptr, "", "C:\\Users\\Public\\Desktop"},
    {"{A77F5D77-2E2B-44C3-A6A2-ABA601054A51}", "Programs", "",
     "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
    {"{625B53C3-AB48-4EC1-BA1F-A1EF4146FC19}", "Start Menu", "",
     "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu"},
    {"{B97D20BB-F46A-4C97-BA10-5E3608430854}", "Startup", "",
     "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"},
    {"{9E3995AB-1F9C-4F13-B827-48B24B6C7174}", "AppData",
     "\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned",
     "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned"},
    {"{52A4F021-7B75-48A9-9F6B-4B87A210BC8F}", "AppData",
     "\\Microsoft\\Internet Explorer\\Quick Launch",
     "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch"},
    {"{5CD7AEE2-2219-4A67-B85D-6C9CE15660CB}", "Local AppData", "\\Programs",
     "%USERPROFILE%\\AppData\\Local\\Programs"},
    {"{A52BBA46-E9E1-435F-B3D9-28DAA648C0F6}", nullptr, "", "%USERPROFILE%\\OneDrive"},
};

// The CSIDLs Windows XP's UserAssist names hold, by the Shell Folders value
// of the user's hive that places them.
struct Csidl {
    int number;
    const char* shellFolderValue;
};
constexpr Csidl kCsidls[] = {
    {0x00, "Desktop"},       {0x02, "Programs"},    {0x05, "Personal"}, {0x06, "Favorites"},
    {0x07, "Startup"},       {0x08, "Recent"},      {0x09, "SendTo"},   {0x0B, "Start Menu"},
    {0x0D, "My Music"},      {0x10, "Desktop"},     {0x13, "NetHood"},  {0x1A, "AppData"},
    {0x1C, "Local AppData"}, {0x27, "My Pictures"},
};

const PlacedFolder* findPlacedFolder(const QUuid& id) {
    static const QHash<QUuid, const PlacedFolder*> byId = [] {
        QHash<QUuid, const PlacedFolder*> table;
        for (const PlacedFolder& folder : kPlacedFolders)
            table.insert(QUuid::fromString(QLatin1String(folder.guid)), &folder);
        return table;
    }();
    return byId.value(id, nullptr);
}

// The user's own folder on the original machine, as the shell-folder table
// places it; empty when unknown.
QString profilePath(const KnownFolderLocations& locations) {
    static const QUuid usersFiles =
        QUuid::fromString(QLatin1String("{5E6C858F-0E22-4760-9AFE-EA3317B67173}"));
    const KnownFolder* folder = findKnownFolder(usersFiles);
    return folder ? locations.location(*folder) : QString();
}

QString placedFolderPath(const PlacedFolder& folder, const KnownFolderLocations& locations) {
    if (folder.shellFolderValue) {
        const QString base = locations.shellFolder(QLatin1String(folder.shellFolderValue));
        if (!base.isEmpty())
            return base + QLatin1String(folder.below);
    }
    QString path = QLatin1String(folder.byDefault);
    if (path.startsWith(QLatin1String("%USERPROFILE%"))) {
        const QString profile = profilePath(locations);
        if (profile.isEmpty())
            return QString();
        path.replace(0, 13, profile);
    }
    return path;
}

QString folderPath(const QUuid& id, const KnownFolderLocations& locations) {
    if (const KnownFolder* known = findKnownFolder(id)) {
        const QString location = locations.location(*known);
        if (!location.isEmpty())
            return location;
    }
    const PlacedFolder* placed = findPlacedFolder(id);
    return placed ? placedFolderPath(*placed, locations) : QString();
}

QString csidlPath(int number, const KnownFolderLocations& locations) {
    for (const Csidl& csidl : kCsidls)
        if (csidl.number == number)
            return locations.shellFolder(QLatin1String(csidl.shellFolderValue));
    return QString();
}

} // namespace

QString withKnownFolderPath(const QString& path, const KnownFolderLocations& locations) {
    // "{" + 36 characters + "}"
    constexpr qsizetype kGuidLength = 38;
    const qsizetype start = path.startsWith(QLatin1String("::{")) ? 2 : 0;
    if (path.size() >= start + kGuidLength && path.at(start) == QLatin1Char('{') &&
        path.at(start + kGuidLength - 1) == QLatin1Char('}')) {
        const QUuid id = QUuid::fromString(QStringView(path).mid(start, kGuidLength));
        const QString rest = path.mid(start + kGuidLength);
        if (!id.isNull() && (rest.isEmpty() || rest.startsWith(QLatin1Char('\\')))) {
            const QString head = folderPath(id, locations);
            if (!head.isEmpty())
                return head + rest;
        }
        return path;
    }
    static const QRegularExpression csidl(QStringLiteral("^%csidl(\\d{1,3})%"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = csidl.match(path);
    if (match.hasMatch()) {
        const QString head = csidlPath(match.captured(1).toInt(), locations);
        if (!head.isEmpty())
            return head + path.mid(match.capturedLength());
    }
    return path;
}

} // namespace vc
