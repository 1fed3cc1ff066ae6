#include "evidence/Machine.h"

#include "evidence/EvidenceFiles.h"
#include "language/InterfaceTexts.h"
#include "platform/DisplayZone.h"
#include "platform/Hive.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSysInfo>
#include <QtEndian>

#include <algorithm>

namespace vc {

namespace {

const QString kProfileListKey =
    QStringLiteral("Microsoft\\Windows NT\\CurrentVersion\\ProfileList");

std::optional<quint32> readDword(const Hive& hive, Hive::Node key, const QString& name) {
    int type = 0;
    const std::optional<QByteArray> bytes = hive.readBytes(key, name, &type);
    if (!bytes || bytes->size() < 4)
        return std::nullopt;
    return qFromLittleEndian<quint32>(bytes->constData());
}

QStringList windowsParts(const QString& path) {
    QString p = path;
    p.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return p.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

// A ProfileImagePath ("%SystemDrive%\Users\joe", "C:\Documents and
// Settings\joe") as a folder of the volume; empty when it lies elsewhere.
QString profileFolderOnVolume(const EvidenceFiles& files, const QString& root,
                              const QString& imagePath) {
    QStringList parts = windowsParts(imagePath);
    if (parts.isEmpty())
        return QString();
    const QString first = parts.first();
    const bool drive = first.size() == 2 && first[1] == QLatin1Char(':');
    const bool variable = first.startsWith(QLatin1Char('%')) && first.endsWith(QLatin1Char('%'));
    if (!drive && !variable)
        return QString();
    parts.removeFirst();
    for (const QString& part : parts)
        if (part == QLatin1String(".."))
            return QString();
    return resolveNoCase(files, root, parts);
}

QString folderKey(const QString& folder) {
    return QDir::cleanPath(folder).toLower();
}

} // namespace

QTimeZone MachineTimeZone::zone() const {
    if (!ianaId.isEmpty()) {
        const QTimeZone named(ianaId.toUtf8());
        if (named.isValid())
            return named;
    }
    if (biasMinutes)
        return QTimeZone(-*biasMinutes * 60);
    return QTimeZone();
}

QString MachineTimeZone::describe() const {
    if (!ianaId.isEmpty())
        return windowsName.isEmpty()
                   ? ianaId
                   : ianaId + QStringLiteral(" (") + windowsName + QLatin1Char(')');
    if (biasMinutes) {
        const int east = -*biasMinutes;
        const QString offset = QStringLiteral("UTC%1%2:%3")
                                   .arg(east < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                                   .arg(std::abs(east) / 60, 2, 10, QLatin1Char('0'))
                                   .arg(std::abs(east) % 60, 2, 10, QLatin1Char('0'));
        return windowsName.isEmpty()
                   ? offset
                   : offset + QStringLiteral(" (") + windowsName + QLatin1Char(')');
    }
    return QString();
}

QString currentControlSet(const Hive& system) {
    if (const std::optional<Hive::Node> select = system.findKey(QStringLiteral("Select")))
        if (const std::optional<quint32> current =
                readDword(system, *select, QStringLiteral("Current"));
            current && *current > 0 && *current < 1000)
            return QStringLiteral("ControlSet%1").arg(*current, 3, 10, QLatin1Char('0'));
    return QStringLiteral("ControlSet001");
}

MachineTimeZone readMachineTimeZone(const Hive& system) {
    MachineTimeZone zone;
    const std::optional<Hive::Node> key = system.findKey(
        currentControlSet(system) + QStringLiteral("\\Control\\TimeZoneInformation"));
    if (!key)
        return zone;
    const Hive::TextResult keyName = system.readString(*key, QStringLiteral("TimeZoneKeyName"));
    const Hive::TextResult standard = system.readString(*key, QStringLiteral("StandardName"));
    if (keyName.ok() && !keyName.text.trimmed().isEmpty())
        zone.windowsName = keyName.text.trimmed();
    else if (standard.ok() && !standard.text.trimmed().isEmpty())
        // An "@tzres.dll,-N" reference names a text of a Windows library,
        // not a zone: it maps to nothing, and the bias decides.
        zone.windowsName = standard.text.trimmed();
    if (!zone.windowsName.isEmpty() && !zone.windowsName.startsWith(QLatin1Char('@'))) {
        const QByteArray iana = QTimeZone::windowsIdToDefaultIanaId(zone.windowsName.toUtf8());
        if (!iana.isEmpty() && QTimeZone(iana).isValid())
            zone.ianaId = QString::fromUtf8(iana);
    }
    if (const std::optional<quint32> bias = readDword(system, *key, QStringLiteral("Bias")))
        zone.biasMinutes = qint32(*bias);
    return zone;
}

QString findVolumeRootOf(const QString& profileFolder) {
    QDir dir(profileFolder);
    for (int depth = 0; depth < 64 && dir.cdUp(); ++depth) {
        const QString candidate = resolveNoCase(
            dir.absolutePath(), {QStringLiteral("Windows"), QStringLiteral("System32"),
                                 QStringLiteral("config"), QStringLiteral("SOFTWARE")});
        if (QFileInfo(candidate).isFile())
            return dir.absolutePath();
        if (dir.isRoot())
            break;
    }
    return QString();
}

Machine::Machine() : m_files(&localEvidenceFiles()) {}
Machine::~Machine() = default;

void Machine::readHives() {
    if (m_root.isEmpty())
        return;
    const QStringList config{QStringLiteral("Windows"), QStringLiteral("System32"),
                             QStringLiteral("config")};
    const QString software = resolveNoCase(*m_files, m_root, config + QStringList{"SOFTWARE"});
    const QString system = resolveNoCase(*m_files, m_root, config + QStringList{"SYSTEM"});
    QString error;
    if (m_files->isFile(EvidenceFiles::pathBytes(software))) {
        m_software = openEvidenceHive(*m_files, software, &error);
        if (!m_software)
            m_messages << error;
    }
    if (m_files->isFile(EvidenceFiles::pathBytes(system))) {
        m_system = openEvidenceHive(*m_files, system, &error);
        if (!m_system)
            m_messages << error;
    }
    if (m_system) {
        const Hive::TextResult name = m_system->readString(
            currentControlSet(*m_system) + QStringLiteral("\\Control\\ComputerName\\ComputerName"),
            QStringLiteral("ComputerName"));
        if (name.ok())
            m_computerName = name.text.trimmed();
        m_zone = readMachineTimeZone(*m_system);
    }
}

std::unique_ptr<Machine> Machine::openProfile(const QString& folder, QString* error) {
    std::unique_ptr<Machine> machine(new Machine);
    machine->m_kind = Kind::Profile;
    const QFileInfo info(folder);
    if (!info.isDir()) {
        if (error)
            *error = info.exists()
                         ? QStringLiteral("The profile is not a folder:\n%1").arg(folder)
                         : QStringLiteral("The profile folder does not exist:\n%1").arg(folder);
        return nullptr;
    }
    const QString absolute = QDir::cleanPath(info.absoluteFilePath());
    machine->m_root = findVolumeRootOf(absolute);
    machine->m_description = absolute;
    machine->readHives();
    auto user = std::make_unique<UserProfile>();
    QString message;
    if (!user->open(*machine, absolute, &message)) {
        if (error)
            *error = message;
        return nullptr;
    }
    if (!message.isEmpty())
        machine->m_messages.prepend(message);
    // The user's SID, where the volume's ProfileList names this folder.
    if (Hive* software = machine->softwareHive()) {
        if (const std::optional<Hive::Node> list = software->findKey(kProfileListKey)) {
            for (Hive::Node key : software->subkeys(*list)) {
                const Hive::TextResult path =
                    software->readString(key, QStringLiteral("ProfileImagePath"));
                if (path.ok() && folderKey(profileFolderOnVolume(machine->files(), machine->m_root,
                                                                 path.text)) == folderKey(absolute))
                    user->setSid(software->keyName(key));
            }
        }
    }
    machine->m_users.push_back(std::move(user));
    return machine;
}

std::unique_ptr<Machine> Machine::openVolume(const QString& root, const QStringList& wantedUsers,
                                             QString* error,
                                             std::shared_ptr<const EvidenceFiles> files,
                                             const QString& description) {
    std::unique_ptr<Machine> machine(new Machine);
    machine->m_kind = Kind::Volume;
    if (files) {
        machine->m_ownFiles = std::move(files);
        machine->m_files = machine->m_ownFiles.get();
    }
    const EvidenceFiles& fs = *machine->m_files;
    QString clean = root;
    if (fs.isLocal())
        clean = QDir::cleanPath(QFileInfo(root).absoluteFilePath());
    if (!fs.isFolder(EvidenceFiles::pathBytes(clean))) {
        if (error)
            *error = QStringLiteral("The volume folder does not exist:\n%1").arg(root);
        return nullptr;
    }
    machine->m_root = clean;
    machine->m_description = description.isEmpty() ? clean : description;
    machine->readHives();

    // The users: the ProfileList's folders (with their SIDs), then every
    // folder of Users and Documents and Settings that holds an NTUSER.DAT.
    struct Candidate {
        QString folder;
        QString sid;
    };
    std::vector<Candidate> candidates;
    QSet<QString> seen;
    auto consider = [&](const QString& folder, const QString& sid) {
        if (folder.isEmpty())
            return;
        const QString key = folderKey(folder);
        if (seen.contains(key)) {
            for (Candidate& c : candidates)
                if (folderKey(c.folder) == key && c.sid.isEmpty())
                    c.sid = sid;
            return;
        }
        if (findChildNoCase(fs, folder, QStringLiteral("NTUSER.DAT")).isEmpty())
            return;
        seen.insert(key);
        candidates.push_back({folder, sid});
    };
    if (Hive* software = machine->softwareHive()) {
        if (const std::optional<Hive::Node> list = software->findKey(kProfileListKey)) {
            for (Hive::Node key : software->subkeys(*list)) {
                const Hive::TextResult path =
                    software->readString(key, QStringLiteral("ProfileImagePath"));
                if (path.ok())
                    consider(profileFolderOnVolume(fs, clean, path.text), software->keyName(key));
            }
        }
    }
    const QStringList places{QStringLiteral("Documents and Settings"), QStringLiteral("Users")};
    QStringList looked;
    for (const QString& place : places) {
        const QString folder = resolveNoCase(fs, clean, {place});
        looked << folder;
        std::vector<EvidenceEntry> entries;
        if (!fs.list(EvidenceFiles::pathBytes(folder), entries, nullptr))
            continue;
        std::sort(entries.begin(), entries.end(),
                  [](const EvidenceEntry& a, const EvidenceEntry& b) { return a.name < b.name; });
        for (const EvidenceEntry& e : entries)
            if (e.type == EntryType::Folder && !e.symlink)
                consider(joinPath(folder, EvidenceFiles::pathText(e.name)), QString());
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return folderKey(a.folder) < folderKey(b.folder);
    });
    for (const Candidate& c : candidates) {
        auto user = std::make_unique<UserProfile>();
        QString message;
        if (!user->open(*machine, c.folder, &message))
            continue;
        user->setSid(c.sid);
        if (!wantedUsers.isEmpty()) {
            const bool wanted =
                std::any_of(wantedUsers.begin(), wantedUsers.end(), [&user](const QString& w) {
                    return w.compare(user->name(), Qt::CaseInsensitive) == 0 ||
                           (!user->sid().isEmpty() &&
                            w.compare(user->sid(), Qt::CaseInsensitive) == 0);
                });
            if (!wanted)
                continue;
        }
        if (!message.isEmpty())
            machine->m_messages << message;
        machine->m_users.push_back(std::move(user));
    }
    if (machine->m_users.empty()) {
        if (error) {
            *error = wantedUsers.isEmpty()
                         ? tx(TextNoUsersOnVolume) + QStringLiteral(":\n") +
                               looked.join(QLatin1Char('\n'))
                         : QStringLiteral("No user named %1 was found on the volume %2")
                               .arg(wantedUsers.join(QStringLiteral(", ")), machine->m_description);
        }
        return nullptr;
    }
    return machine;
}

std::unique_ptr<Machine> Machine::thisComputer(const QStringList& homes) {
    std::unique_ptr<Machine> machine(new Machine);
    machine->m_kind = Kind::ThisComputer;
    machine->m_computerName = QSysInfo::machineHostName();
    machine->m_description = tx(TextThisComputer) + QStringLiteral(", ") + machine->m_computerName;
    QSet<QString> seen;
    for (const QString& home : homes) {
        const QString clean = QDir::cleanPath(home);
        if (seen.contains(clean))
            continue;
        seen.insert(clean);
        auto user = std::make_unique<UserProfile>();
        if (user->openHome(*machine, clean))
            machine->m_users.push_back(std::move(user));
    }
    return machine;
}

bool showTimesInZoneOf(const Machine& machine) {
    const MachineTimeZone& zone = machine.timeZone();
    if (!zone.ianaId.isEmpty() &&
        setDisplayZone(DisplayZone::Machine, zone.ianaId, zone.describe()))
        return true;
    if (zone.biasMinutes)
        return setDisplayZone(DisplayZone::Machine, posixZoneOfBias(*zone.biasMinutes),
                              zone.describe());
    return false;
}

void Machine::addSnapshot(std::unique_ptr<Machine> snapshot, const TimeValue& created) {
    const int number = int(m_snapshots.size()) + 1;
    m_snapshots.push_back({std::move(snapshot), created, number});
}

QString Machine::title() const {
    const QString name = m_computerName.isEmpty() ? m_description : m_computerName;
    if (m_kind == Kind::Profile && !m_users.empty())
        return m_users.front()->folder();
    if (m_kind == Kind::ThisComputer)
        return tx(TextThisComputer) + QStringLiteral(" ") + m_computerName;
    return name + QStringLiteral(", ") +
           tx(m_users.size() == 1 ? TextOneUser : TextUsersCount).arg(m_users.size());
}

} // namespace vc
