#include "documents/shell/KnownFolders.h"

#include "evidence/UserProfile.h"
#include "platform/Hive.h"
#include "platform/Registry.h"

#include <QtEndian>

namespace vc {

namespace {

// The shell folders that Explorer's item lists, the common dialogs' lists
// and the jump lists name by GUID. Both kinds of identifier appear: the
// shell namespace classes (My Computer, Libraries, the folders "This PC"
// shows) and the known-folder identifiers of Vista and later (the
// libraries among them, which have no place on the disk). Locations come
// from the (User) Shell Folders value named here or, failing that, the
// value named by the GUID itself, as Windows names the folders it added
// after XP ("{374DE290-123F-4565-9164-39C4925E467B}" = Downloads).
constexpr KnownFolder kKnownFolders[] = {
    // Shell namespace classes.
    {"{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "My Computer", nullptr, false, true},
    {"{450D8FBA-AD25-11D0-98A8-0800361B1103}", "My Documents", "Personal", false, false},
    {"{59031A47-3F72-44A7-89C5-5595FE6B30EE}", "User's Files", nullptr, true, false},
    {"{031E4825-7B94-4DC3-B131-E946B44C8DD5}", "Libraries", nullptr, false, false},
    {"{208D2C60-3AEA-1069-A2D7-08002B30309D}", "My Network Places", nullptr, false, false},
    {"{F02C1A0D-BE21-4350-88B0-7367FC96EF3C}", "Network", nullptr, false, false},
    {"{645FF040-5081-101B-9F08-00AA002F954E}", "Recycle Bin", nullptr, false, false},
    {"{21EC2020-3AEA-1069-A2DD-08002B30309D}", "Control Panel", nullptr, false, false},
    {"{26EE0668-A00A-44D7-9371-BEB064C98683}", "Control Panel", nullptr, false, false},
    {"{871C5380-42A0-1069-A2EA-08002B30309D}", "Internet Explorer", nullptr, false, false},
    {"{679F85CB-0220-4080-B29B-5540CC05AAB6}", "Quick access", nullptr, false, false},
    {"{018D5C66-4533-4307-9B53-224DE2ED1FE6}", "OneDrive", nullptr, false, false},
    {"{9343812E-1C37-4A49-A12E-4B2D810D956B}", "Search Results", nullptr, false, false},
    {"{04731B67-D933-450A-90E6-4ACD2E9408FE}", "Search Folder", nullptr, false, false},
    {"{2227A280-3AEA-1069-A2DE-08002B30309D}", "Printers", nullptr, false, false},
    {"{7007ACC7-3202-11D1-AAD2-00805FC1270E}", "Network Connections", nullptr, false, false},
    {"{ED228FDF-9EA8-4870-83B1-96B02CFE0D52}", "Games", nullptr, false, false},
    {"{35786D3C-B075-49B9-88DD-029876E11C01}", "Portable Devices", nullptr, false, false},
    {"{4234D49B-0245-4DF3-B780-3893943456E1}", "Applications", nullptr, false, false},
    {"{0DB7E03F-FC29-4DC6-9020-FF41B59E513A}", "3D Objects",
     "{31C0DD25-9439-4F12-BF41-7FF4EDA38722}", false, false},
    // The folders "This PC" shows (Windows 8.1 and later) and the
    // known-folder identifiers of Vista and later.
    {"{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}", "Desktop", "Desktop", false, false},
    {"{5E6C858F-0E22-4760-9AFE-EA3317B67173}", "User's Files", nullptr, true, false},
    {"{F3CE0F7C-4901-4ACC-8648-D5D44B04EF8F}", "User's Files", nullptr, true, false},
    {"{FDD39AD0-238F-46AF-ADB4-6C85480369C7}", "Documents", "Personal", false, false},
    {"{A8CDFF1C-4878-43BE-B5FD-F8091C1C60D0}", "Documents", "Personal", false, false},
    {"{D3162B92-9365-467A-956B-92703ACA08AF}", "Documents", "Personal", false, false},
    {"{F42EE2D3-909F-4907-8871-4C22FC0BF756}", "Documents", "Personal", false, false},
    {"{374DE290-123F-4565-9164-39C4925E467B}", "Downloads",
     "{374DE290-123F-4565-9164-39C4925E467B}", false, false},
    {"{088E3905-0323-4B02-9826-5D99428E115F}", "Downloads",
     "{374DE290-123F-4565-9164-39C4925E467B}", false, false},
    {"{7D83EE9B-2244-4E70-B1F5-5393042AF1E4}", "Downloads",
     "{374DE290-123F-4565-9164-39C4925E467B}", false, false},
    {"{4BD8D571-6D19-48D3-BE97-422220080E43}", "Music", "My Music", false, false},
    {"{1CF1260C-4DD0-4EBB-811F-33C572699FDE}", "Music", "My Music", false, false},
    {"{3DFDF296-DBEC-4FB4-81D1-6A3438BCF4DE}", "Music", "My Music", false, false},
    {"{A0C69A99-21C8-4671-8703-7934162FCF1D}", "Music", "My Music", false, false},
    {"{33E28130-4E1E-4676-835A-98395C3BC3BB}", "Pictures", "My Pictures", false, false},
    {"{3ADD1653-EB32-4CB0-BBD7-DFA0ABB5ACCA}", "Pictures", "My Pictures", false, false},
    {"{24AD3AD4-A569-4530-98E1-AB02F9417AA8}", "Pictures", "My Pictures", false, false},
    {"{0DDD015D-B06C-45D5-8C4C-F59713854639}", "Pictures", "My Pictures", false, false},
    {"{18989B1D-99B5-455B-841C-AB7C74E4DDFC}", "Videos", "My Video", false, false},
    {"{A0953C92-50DC-43BF-BE83-3742FED03C9C}", "Videos", "My Video", false, false},
    {"{F86FA3AB-70D2-4FC7-9C99-FCBF05467F3A}", "Videos", "My Video", false, false},
    {"{35286A68-3C57-41A1-BBB1-0EAE73D76C95}", "Videos", "My Video", false, false},
    {"{31C0DD25-9439-4F12-BF41-7FF4EDA38722}", "3D Objects", nullptr, false, false},
    {"{AB5FB87B-7CE2-4F83-915D-550846C9537B}", "Camera Roll", nullptr, false, false},
    {"{3B193882-D3AD-4EAB-965A-69829D1FB59F}", "Saved Pictures", nullptr, false, false},
    {"{B7BEDE81-DF94-4682-A7D8-57A52620B86F}", "Screenshots", nullptr, false, false},
    {"{A52BBA46-E9E1-435F-B3D9-28DAA648C0F6}", "OneDrive", nullptr, false, false},
    {"{1777F761-68AD-4D8A-87BD-30B759FA33DD}", "Favorites", "Favorites", false, false},
    {"{AE50C081-EBD2-438A-8655-8A092E34987A}", "Recent Items", "Recent", false, false},
    {"{3EB685DB-65F9-4CF6-A03A-E3EF65729F3D}", "AppData", "AppData", false, false},
    {"{F1B32785-6FBA-4FCF-9D55-7B8E7F157091}", "Local AppData", "Local AppData", false, false},
    {"{A520A1A4-1780-4FF6-BD18-167343C5AF16}", "LocalLow", nullptr, false, false},
    {"{56784854-C6CB-462B-8169-88E350ACB882}", "Contacts", nullptr, false, false},
    {"{BFB9D5E0-C6A9-404C-B2B2-AE6DB6AF4968}", "Links", nullptr, false, false},
    {"{4C5C32FF-BB9D-43B0-B5B4-2D72E54EAAA4}", "Saved Games", nullptr, false, false},
    {"{7D1D3A04-DEBB-4115-95CF-2F29DA2920DA}", "Searches", nullptr, false, false},
    {"{625B53C3-AB48-4EC1-BA1F-A1EF4146FC19}", "Start Menu", "Start Menu", false, false},
    {"{A77F5D77-2E2B-44C3-A6A2-ABA601054A51}", "Programs", "Programs", false, false},
    {"{B97D20BB-F46A-4C97-BA10-5E3608430854}", "Startup", "Startup", false, false},
    {"{8983036C-27C0-404B-8F08-102D10DCFD74}", "SendTo", "SendTo", false, false},
    {"{A63293E8-664E-48DB-A079-DF759E0509F7}", "Templates", "Templates", false, false},
    {"{2B0F765D-C0E9-4171-908E-08A611B84FF6}", "Cookies", "Cookies", false, false},
    {"{D9DC8A3B-B784-432E-A781-5A1130A75963}", "History", "History", false, false},
    {"{352481E8-33BE-4251-BA85-6007CAEDCF9D}", "Temporary Internet Files", "Cache", false, false},
    {"{C5ABBF53-E17F-4121-8900-86626FC2C973}", "Network Shortcuts", "NetHood", false, false},
    {"{9274BD8D-CFD1-41C3-B35E-B13F55A758F4}", "Printer Shortcuts", "PrintHood", false, false},
    {"{9E52AB10-F80D-49DF-ACB8-4330F5687855}", "Temporary Burn Folder", "CD Burning", false, false},
    {"{52A4F021-7B75-48A9-9F6B-4B87A210BC8F}", "Quick Launch", nullptr, false, false},
    {"{00BCFC5A-ED94-4E48-96A1-3F6217F21990}", "RoamingTiles", nullptr, false, false},
    {"{1B3EA5DC-B587-4786-B4EF-BD1DC332AEAE}", "Libraries", nullptr, false, false},
    {"{7B0DB17D-9CD2-4A93-9733-46CC89022E7C}", "Documents", nullptr, false, false},
    {"{2112AB0A-C86A-4FFE-A368-0DE96E47012E}", "Music", nullptr, false, false},
    {"{A990AE9F-A03B-4E80-94BC-9912D7504104}", "Pictures", nullptr, false, false},
    {"{491E922F-5643-4AF4-A7EB-4E7A138D8174}", "Videos", nullptr, false, false},
    {"{1A6FDBA2-F42D-4358-A798-B74D745926C5}", "Recorded TV", nullptr, false, false},
    {"{E25B5812-BE88-4BD9-94B0-29233477B6C3}", "Saved Pictures", nullptr, false, false},
    {"{0762D272-C50A-4BB0-A382-697DCD729B80}", "Users", nullptr, false, false},
    {"{DFDF76A2-C82A-4D63-906A-5644AC457385}", "Public", nullptr, false, false},
    {"{C4AA340D-F20F-4863-AFEF-F87EF2E6BA25}", "Public Desktop", nullptr, false, false},
    {"{ED4824AF-DCE4-45A8-81E2-FC7965083634}", "Public Documents", nullptr, false, false},
    {"{3D644C9B-1FB8-4F30-9B45-F670235F79C0}", "Public Downloads", nullptr, false, false},
    {"{3214FAB5-9757-4298-BB61-92A9DEAA44FF}", "Public Music", nullptr, false, false},
    {"{B6EBFB86-6907-413C-9AF7-4FC2ABF07CC5}", "Public Pictures", nullptr, false, false},
    {"{2400183A-6185-49FB-A2D8-4A392A602BA3}", "Public Videos", nullptr, false, false},
    {"{62AB5D82-FDC1-4DC3-A9DD-070D1D495D97}", "ProgramData", nullptr, false, false},
    {"{905E63B6-C1BF-494E-B29C-65B732D3D21A}", "Program Files", nullptr, false, false},
    {"{6D809377-6AF0-444B-8957-A3773F02200E}", "Program Files", nullptr, false, false},
    {"{7C5A40EF-A0FB-4BFC-874A-C0F2E0B9FA8E}", "Program Files (x86)", nullptr, false, false},
    {"{F7F1ED05-9F6D-47A2-AAAE-29D317C6F066}", "Common Files", nullptr, false, false},
    {"{F38BF404-1D43-42F2-9305-67DE0B28FC23}", "Windows", nullptr, false, false},
    {"{1AC14E77-02E7-4E5D-B744-2EB1AE5198B7}", "System32", nullptr, false, false},
    {"{D65231B0-B2F1-4857-A4CE-A8E7C6EA7D27}", "SysWOW64", nullptr, false, false},
    {"{FD228CB7-AE11-4AE3-864C-16F3910AB8FE}", "Fonts", "Fonts", false, false},
    {"{0AC0837C-BBF8-452A-850D-79D08E667CA7}", "My Computer", nullptr, false, true},
    {"{82A74AEB-AEB4-465C-A014-D097EE346D63}", "Control Panel", nullptr, false, false},
    {"{D20BEEC4-5CA8-4905-AE3B-BF251EA09B53}", "Network", nullptr, false, false},
    {"{B7534046-3ECB-4C18-BE4E-64CD4CB7D6AC}", "Recycle Bin", nullptr, false, false},
    {"{4D9F7874-4E0C-4904-967B-40B0D20C3E4B}", "Internet Explorer", nullptr, false, false},
    {"{76FC4E2D-D6AD-4519-A663-37BD56068185}", "Printers", nullptr, false, false},
    {"{A302545D-DEFF-464B-ABE8-61C8648D939B}", "Libraries", nullptr, false, false},
    {"{190337D1-B8CA-4121-A639-6D472D16972A}", "Search Results", nullptr, false, false},
    {"{52528A6B-B9E3-4ADD-B60D-588C2DBA842D}", "Homegroup", nullptr, false, false},
    // Control Panel items (the items of class 0x71 name them by GUID).
    {"{ED834ED6-4B5A-4BFE-8F11-A626DCB6A921}", "Personalization", nullptr, false, false},
    {"{BB64F8A7-BEE7-4E1A-AB8D-7D8273F7FDB6}", "Action Center", nullptr, false, false},
    {"{D20EA4E1-3957-11D2-A40B-0C5020524153}", "Administrative Tools", nullptr, false, false},
    {"{9C60DE1E-E5FC-40F4-A487-460851A8D915}", "AutoPlay", nullptr, false, false},
    {"{D9EF8727-CAC2-4E60-809E-86F80A666C91}", "BitLocker Drive Encryption", nullptr, false, false},
    {"{7B81BE6A-CE2B-4676-A29E-EB907A5126C5}", "Programs and Features", nullptr, false, false},
    {"{BB06C0E4-D293-4F75-8A90-CB05B6477EEE}", "System", nullptr, false, false},
    {"{8E908FC9-BECC-40F6-915B-F4CA0E70D03D}", "Network and Sharing Center", nullptr, false, false},
    {"{A8A91A66-3A7D-4424-8D24-04E180695C7A}", "Devices and Printers", nullptr, false, false},
    {"{36EEF7DB-88AD-4E81-AD49-0E313F0C35F8}", "Windows Update", nullptr, false, false},
    {"{60632754-C523-4B62-B45C-4172DA012619}", "User Accounts", nullptr, false, false},
    {"{C555438B-3C23-4769-A71F-B6D3D9B6053A}", "Display", nullptr, false, false},
    {"{17CD9488-1228-4B2F-88CE-4298E93E0966}", "Default Programs", nullptr, false, false},
    {"{025A5937-A6BE-4686-A844-36FE4BEC8B6D}", "Power Options", nullptr, false, false},
    {"{F2DDFC82-8F12-4CDD-B7DC-D4FE1425AA4D}", "Sound", nullptr, false, false},
    {"{74246BFC-4C96-11D0-ABEF-0020AF6B0B7A}", "Device Manager", nullptr, false, false},
    {"{6DFD7C5C-2451-11D3-A299-00C04F8EF6AF}", "Folder Options", nullptr, false, false},
    {"{93412589-74D4-4E4E-AD0E-E0CB621440FD}", "Fonts", nullptr, false, false},
    {"{6C8EEC18-8D75-41B2-A177-8831D59D2D50}", "Mouse", nullptr, false, false},
    {"{4026492F-2F69-46B8-B9BF-5654FC07E423}", "Windows Firewall", nullptr, false, false},
    {"{A3DD4F92-658A-410F-84FD-6FBBBEF2FFFE}", "Internet Options", nullptr, false, false},
    {"{D555645E-D4F8-4C29-A827-D93C859C4F2A}", "Ease of Access Center", nullptr, false, false},
    {"{E2E7934B-DCE5-43C4-9576-7FE4F75E7480}", "Date and Time", nullptr, false, false},
    {"{C58C4893-3BE0-4B45-ABB5-A63E4B8C8651}", "Troubleshooting", nullptr, false, false},
    {"{1206F5F1-0569-412C-8FEC-3204630DFB70}", "Credential Manager", nullptr, false, false},
    {"{9FE63AFD-59CF-4419-9775-ABCC3849F861}", "Recovery", nullptr, false, false},
    {"{62D8ED13-C9D0-4CE8-A914-47DD628FB1B0}", "Region", nullptr, false, false},
    {"{725BE8F7-668E-4C7B-8F90-46BDB0936430}", "Keyboard", nullptr, false, false},
    {"{87D66A43-7B11-4A28-9811-C86EE395ACF7}", "Indexing Options", nullptr, false, false},
    {"{9C73F5E5-7AE7-4E32-A8E8-8D23B85255BF}", "Sync Center", nullptr, false, false},
    {"{B98A2BEA-7D42-4558-8BD1-832F41BAC6FD}", "Backup and Restore", nullptr, false, false},
    {"{F6B6E965-E9B2-444B-9286-10C9152EDBC5}", "File History", nullptr, false, false},
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
    // Shell Folders holds the paths as Windows last wrote them out; User
    // Shell Folders, read for what the first lacks, holds them with
    // "%USERPROFILE%" in place of the profile's path.
    for (const QString& keyPath : {kShellFoldersKey, kUserShellFoldersKey}) {
        const auto key = hive->findKey(keyPath);
        if (!key)
            continue;
        for (const Hive::Value& value : hive->values(*key)) {
            if (value.name.isEmpty() || !locations.shellFolder(value.name).isEmpty())
                continue;
            const Hive::TextResult text = hive->readString(*key, value.name);
            if (!text.ok() || text.text.isEmpty())
                continue;
            const QString path = locations.expanded(text.text);
            if (!path.isEmpty())
                locations.setShellFolder(value.name, path);
        }
    }
    return locations;
}

QString KnownFolderLocations::expanded(const QString& path) const {
    static const QString kUserProfile = QStringLiteral("%USERPROFILE%");
    if (!path.contains(QLatin1Char('%')))
        return path;
    if (!path.startsWith(kUserProfile, Qt::CaseInsensitive) || m_profilePath.isEmpty() ||
        path.indexOf(QLatin1Char('%'), kUserProfile.size()) >= 0)
        return QString(); // a variable this machine's values do not tell
    return m_profilePath + path.mid(kUserProfile.size());
}

QString KnownFolderLocations::shellFolder(const QString& valueName) const {
    return m_shellFolders.value(valueName.toLower());
}

QString KnownFolderLocations::location(const KnownFolder& folder) const {
    if (folder.isProfileFolder)
        return m_profilePath;
    if (folder.shellFolderValue)
        if (const QString path = shellFolder(QLatin1String(folder.shellFolderValue));
            !path.isEmpty())
            return path;
    return shellFolder(QLatin1String(folder.guid));
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
