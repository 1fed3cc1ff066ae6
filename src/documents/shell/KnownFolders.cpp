#include "documents/shell/KnownFolders.h"

#include "evidence/UserProfile.h"
#include "platform/Hive.h"
#include "platform/Registry.h"

#include <QtEndian>

namespace vc {

namespace {

// The shell folders that Explorer's item lists, the common dialogs' lists
// and the jump lists use most. Both kinds of identifier appear: the shell
// namespace classes (My Computer, Libraries, the folders "This PC" shows)
// and the known-folder identifiers of Vista and later. Locations come from
// the Shell Folders values named here.
constexpr KnownFolder kKnownFolders[] = {
    {"{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "My Computer", nullptr, false, true},
    {"{450D8FBA-AD25-11D0-98A8-0800361B1103}", "My Documents", "Personal", false, false},
    {"{59031A47-3F72-44A7-89C5-5595FE6B30EE}", "User's Files", nullptr, true, false},
    {"{5E6C858F-0E22-4760-9AFE-EA3317B67173}", "User's Files", nullptr, true, false},
    {"{031E4825-7B94-4DC3-B131-E946B44C8DD5}", "Libraries", nullptr, false, false},
    {"{1B3EA5DC-B587-4786-B4EF-BD1DC332AEAE}", "Libraries",
     "{1B3EA5DC-B587-4786-B4EF-BD1DC332AEAE}", false, false},
    {"{208D2C60-3AEA-1069-A2D7-08002B30309D}", "My Network Places", nullptr, false, false},
    {"{F02C1A0D-BE21-4350-88B0-7367FC96EF3C}", "Network", nullptr, false, false},
    {"{645FF040-5081-101B-9F08-00AA002F954E}", "Recycle Bin", nullptr, false, false},
    {"{21EC2020-3AEA-1069-A2DD-08002B30309D}", "Control Panel", nullptr, false, false},
    {"{26EE0668-A00A-44D7-9371-BEB064C98683}", "Control Panel", nullptr, false, false},
    {"{871C5380-42A0-1069-A2EA-08002B30309D}", "Internet Explorer", nullptr, false, false},
    {"{679F85CB-0220-4080-B29B-5540CC05AAB6}", "Quick access", nullptr, false, false},
    {"{018D5C66-4533-4307-9B53-224DE2ED1FE6}", "OneDrive", nullptr, false, false},
    {"{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}", "Desktop", "Desktop", false, false},
    {"{FDD39AD0-238F-46AF-ADB4-6C85480369C7}", "Documents", "Personal", false, false},
    {"{A8CDFF1C-4878-43BE-B5FD-F8091C1C60D0}", "Documents", "Personal", false, false},
    {"{D3162B92-9365-467A-956B-92703ACA08AF}", "Documents", "Personal", false, false},
    {"{374DE290-123F-4565-9164-39C4925E467B}", "Downloads",
     "{374DE290-123F-4565-9164-39C4925E467B}", false, false},
    {"{088E3905-0323-4B02-9826-5D99428E115F}", "Downloads",
     "{374DE290-123F-4565-9164-39C4925E467B}", false, false},
    {"{4BD8D571-6D19-48D3-BE97-422220080E43}", "Music", "My Music", false, false},
    {"{1CF1260C-4DD0-4EBB-811F-33C572699FDE}", "Music", "My Music", false, false},
    {"{3DFDF296-DBEC-4FB4-81D1-6A3438BCF4DE}", "Music", "My Music", false, false},
    {"{33E28130-4E1E-4676-835A-98395C3BC3BB}", "Pictures", "My Pictures", false, false},
    {"{3ADD1653-EB32-4CB0-BBD7-DFA0ABB5ACCA}", "Pictures", "My Pictures", false, false},
    {"{24AD3AD4-A569-4530-98E1-AB02F9417AA8}", "Pictures", "My Pictures", false, false},
    {"{18989B1D-99B5-455B-841C-AB7C74E4DDFC}", "Videos", "My Video", false, false},
    {"{A0953C92-50DC-43BF-BE83-3742FED03C9C}", "Videos", "My Video", false, false},
    {"{F86FA3AB-70D2-4FC7-9C99-FCBF05467F3A}", "Videos", "My Video", false, false},
    {"{1777F761-68AD-4D8A-87BD-30B759FA33DD}", "Favorites", "Favorites", false, false},
    {"{AE50C081-EBD2-438A-8655-8A092E34987A}", "Recent Items", "Recent", false, false},
    {"{3EB685DB-65F9-4CF6-A03A-E3EF65729F3D}", "AppData", "AppData", false, false},
    {"{F1B32785-6FBA-4FCF-9D55-7B8E7F157091}", "Local AppData", "Local AppData", false, false},
    {"{56784854-C6CB-462B-8169-88E350ACB882}", "Contacts", "{56784854-C6CB-462B-8169-88E350ACB882}",
     false, false},
    {"{BFB9D5E0-C6A9-404C-B2B2-AE6DB6AF4968}", "Links", "{BFB9D5E0-C6A9-404C-B2B2-AE6DB6AF4968}",
     false, false},
    {"{4C5C32FF-BB9D-43B0-B5B4-2D72E54EAAA4}", "Saved Games",
     "{4C5C32FF-BB9D-43B0-B5B4-2D72E54EAAA4}", false, false},
    {"{7D1D3A04-DEBB-4115-95CF-2F29DA2920DA}", "Searches", "{7D1D3A04-DEBB-4115-95CF-2F29DA2920DA}",
     false, false},
};

} // namespace

const KnownFolder* findKnownFolder(const QUuid& id) {
    static const QHash<QUuid, const KnownFolder*> byId = [] {
        QHash<QUuid, const KnownFolder*> table;
        for (const KnownFolder& folder : kKnownFolders)
            table.insert(QUuid::fromString(QLatin1String(folder.guid)), &folder);
        return table;
    }();
    return byId.value(id, nullptr);
}

QUuid guidFromWindowsBytes(const unsigned char* b) {
    return QUuid(qFromLittleEndian<quint32>(b), qFromLittleEndian<quint16>(b + 4),
                 qFromLittleEndian<quint16>(b + 6), b[8], b[9], b[10], b[11], b[12], b[13], b[14],
                 b[15]);
}

KnownFolderLocations KnownFolderLocations::fromProfile(const UserProfile& profile) {
    KnownFolderLocations locations;
    locations.m_profilePath = profile.windowsProfilePath();
    const Hive* hive = profile.userHive();
    if (!hive)
        return locations;
    const auto key = hive->findKey(kShellFoldersKey);
    if (!key)
        return locations;
    for (const Hive::Value& value : hive->values(*key)) {
        if (value.name.isEmpty())
            continue;
        const Hive::TextResult text = hive->readString(*key, value.name);
        if (text.ok() && !text.text.isEmpty())
            locations.setShellFolder(value.name, text.text);
    }
    return locations;
}

QString KnownFolderLocations::shellFolder(const QString& valueName) const {
    return m_shellFolders.value(valueName.toLower());
}

QString KnownFolderLocations::location(const KnownFolder& folder) const {
    if (folder.isProfileFolder)
        return m_profilePath;
    if (!folder.shellFolderValue)
        return QString();
    return shellFolder(QLatin1String(folder.shellFolderValue));
}

QString withKnownFolderNames(const QString& path, const KnownFolderLocations& locations) {
    // "::{" + 36 characters + "}"
    constexpr qsizetype kPrefix = 2 + 38;
    if (!path.startsWith(QLatin1String("::{")) || path.size() < kPrefix)
        return path;
    const QUuid id = QUuid::fromString(QStringView(path).mid(2, 38));
    const KnownFolder* folder = id.isNull() ? nullptr : findKnownFolder(id);
    if (!folder)
        return path;
    QString head = locations.location(*folder);
    if (head.isEmpty())
        head = QLatin1String(folder->name);
    return head + path.mid(kPrefix);
}

} // namespace vc
