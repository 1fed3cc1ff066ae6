#include "evidence/UserProfile.h"

#include "evidence/EvidenceFiles.h"
#include "evidence/Machine.h"

#include "platform/Hive.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace vc {

namespace {

// Rounds of %VARIABLE% expansion (a variable may name another).
constexpr int kMaxExpansionRounds = 8;

const QString kUserProfileVariable = QStringLiteral("%USERPROFILE%");

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QStringList windowsComponents(const QString& path) {
    QString p = path;
    p.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return p.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

bool startsWithComponents(const QStringList& path, const QStringList& prefix) {
    if (prefix.isEmpty() || path.size() < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i)
        if (!sameName(path[i], prefix[i]))
            return false;
    return true;
}

bool isDrive(const QString& component) {
    return component.size() == 2 && component[1] == QLatin1Char(':') && component[0].isLetter();
}

// The profile path a Shell Folders value lies under when it follows the
// standard "X:\Documents and Settings\NAME\..." or "X:\Users\NAME\..." form.
QString standardProfilePrefix(const QString& value) {
    const QStringList parts = windowsComponents(value);
    if (parts.size() < 3 || !isDrive(parts[0]))
        return QString();
    if (!sameName(parts[1], QStringLiteral("Documents and Settings")) &&
        !sameName(parts[1], QStringLiteral("Users")))
        return QString();
    return parts.mid(0, 3).join(QLatin1Char('\\'));
}

// Finds the profile's Windows path: each User Shell Folders value of the
// form "%USERPROFILE%\tail" paired with the Shell Folders value "...\tail"
// of the same name votes for what precedes the tail; without such pairs the
// standard profile locations vote.
QString findWindowsProfilePath(const Hive& hive) {
    const auto shell = hive.findKey(kShellFoldersKey);
    if (!shell)
        return QString();
    const auto userShell = hive.findKey(kUserShellFoldersKey);
    QHash<QString, int> votes;
    QHash<QString, QString> spelling;
    auto vote = [&](const QString& prefix) {
        const QString key = prefix.toLower();
        if (!spelling.contains(key))
            spelling.insert(key, prefix);
        ++votes[key];
    };
    const QList<Hive::Value> values = hive.values(*shell);
    for (const Hive::Value& value : values) {
        if (!userShell)
            break;
        const auto actual = hive.readString(*shell, value.name);
        const auto pattern = hive.readString(*userShell, value.name);
        if (!actual.ok() || !pattern.ok())
            continue;
        if (!pattern.text.startsWith(kUserProfileVariable + QLatin1Char('\\'), Qt::CaseInsensitive))
            continue;
        const QString tail = pattern.text.mid(kUserProfileVariable.size());
        if (actual.text.size() > tail.size() && actual.text.endsWith(tail, Qt::CaseInsensitive))
            vote(actual.text.left(actual.text.size() - tail.size()));
    }
    if (votes.isEmpty()) {
        for (const Hive::Value& value : values) {
            const auto actual = hive.readString(*shell, value.name);
            const QString prefix = actual.ok() ? standardProfilePrefix(actual.text) : QString();
            if (!prefix.isEmpty())
                vote(prefix);
        }
    }
    QString best;
    int bestVotes = 0;
    for (auto it = votes.cbegin(); it != votes.cend(); ++it) {
        if (it.value() > bestVotes || (it.value() == bestVotes && it.key() < best.toLower())) {
            best = spelling.value(it.key());
            bestVotes = it.value();
        }
    }
    return best;
}

} // namespace

QString findChildNoCase(const QString& folder, const QString& name) {
    if (folder.isEmpty() || name.isEmpty() || name == QLatin1String(".") ||
        name == QLatin1String("..") || name.contains(QLatin1Char('/')))
        return QString();
    const QString exact = folder + QLatin1Char('/') + name;
    if (QFileInfo::exists(exact) || QFileInfo(exact).isSymLink())
        return name;
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries)
        if (sameName(entry, name))
            return entry;
    return QString();
}

QString findChildNoCase(const EvidenceFiles& files, const QString& folder, const QString& name) {
    if (files.isLocal())
        return findChildNoCase(folder, name);
    if (folder.isEmpty() || name.isEmpty() || name == QLatin1String(".") ||
        name == QLatin1String("..") || name.contains(QLatin1Char('/')))
        return QString();
    return EvidenceFiles::pathText(
        files.findChildNoCase(EvidenceFiles::pathBytes(folder), EvidenceFiles::pathBytes(name)));
}

QString resolveNoCase(const EvidenceFiles& files, const QString& base,
                      const QStringList& components) {
    if (files.isLocal())
        return resolveNoCase(base, components);
    QString path = base;
    bool exists = true;
    for (const QString& component : components) {
        if (exists) {
            const QString found = findChildNoCase(files, path, component);
            if (!found.isEmpty()) {
                path = joinPath(path, found);
                continue;
            }
            exists = false;
        }
        path = joinPath(path, component);
    }
    return path;
}

std::unique_ptr<Hive> openEvidenceHive(const EvidenceFiles& files, const QString& path,
                                       QString* error) {
    if (files.isLocal())
        return Hive::open(path, error);
    const QByteArray bytes = EvidenceFiles::pathBytes(path);
    const std::optional<EvidenceEntry> entry = files.entry(bytes);
    if (!entry || entry->type != EntryType::File) {
        if (error)
            *error = QStringLiteral("Cannot read the registry hive %1: the file does not exist")
                         .arg(files.describe() + path);
        return nullptr;
    }
    QString openError;
    const std::unique_ptr<EvidenceReader> reader = files.open(bytes, &openError);
    if (!reader) {
        if (error)
            *error = QStringLiteral("Cannot read the registry hive %1: %2").arg(path, openError);
        return nullptr;
    }
    return Hive::openStream(
        path, reader->size(),
        [&reader](qint64 offset, char* out, qint64 count) {
            return reader->readAt(offset, out, count);
        },
        error);
}

QString resolveNoCase(const QString& base, const QStringList& components) {
    QString path = base;
    bool exists = true;
    for (const QString& component : components) {
        if (exists) {
            const QString found = findChildNoCase(path, component);
            if (!found.isEmpty()) {
                path = joinPath(path, found);
                continue;
            }
            exists = false;
        }
        path = joinPath(path, component);
    }
    return path;
}

UserProfile::UserProfile() : m_files(&localEvidenceFiles()) {}
UserProfile::~UserProfile() = default;

bool UserProfile::open(const QString& folder, QString* error) {
    m_files = &localEvidenceFiles();
    m_machine = nullptr;
    m_ownMachineHive.reset();
    m_machineHive = nullptr;
    const QFileInfo info(folder);
    if (!info.isDir()) {
        if (error)
            *error = info.exists()
                         ? QStringLiteral("The profile is not a folder:\n%1").arg(folder)
                         : QStringLiteral("The profile folder does not exist:\n%1").arg(folder);
        return false;
    }
    const QString absolute = QDir::cleanPath(info.absoluteFilePath());
    const QString volumeRoot = findVolumeRootOf(absolute);
    const QString softwarePath =
        resolveNoCase(volumeRoot, {QStringLiteral("Windows"), QStringLiteral("System32"),
                                   QStringLiteral("config"), QStringLiteral("SOFTWARE")});
    QStringList problems;
    if (!volumeRoot.isEmpty()) {
        QString hiveError;
        m_ownMachineHive = Hive::open(softwarePath, &hiveError);
        if (!m_ownMachineHive)
            problems.append(hiveError);
        m_machineHive = m_ownMachineHive.get();
    }
    m_volumeRoot = volumeRoot;
    QString own;
    openFolder(absolute, &own);
    if (!own.isEmpty())
        problems.prepend(own);
    m_message = problems.join(QLatin1Char('\n'));
    if (error)
        *error = m_message;
    return true;
}

bool UserProfile::open(const Machine& machine, const QString& folder, QString* error) {
    m_files = &machine.files();
    m_machine = &machine;
    m_ownMachineHive.reset();
    m_machineHive = machine.softwareHive();
    m_volumeRoot = machine.root();
    if (!m_files->isFolder(EvidenceFiles::pathBytes(folder))) {
        if (error)
            *error = QStringLiteral("The profile folder does not exist:\n%1").arg(folder);
        return false;
    }
    openFolder(folder, &m_message);
    if (error)
        *error = m_message;
    return true;
}

bool UserProfile::openHome(const Machine& machine, const QString& folder) {
    m_files = &machine.files();
    m_machine = &machine;
    m_ownMachineHive.reset();
    m_machineHive = nullptr;
    m_volumeRoot.clear();
    m_windowsProfilePath.clear();
    m_userHive.reset();
    m_classesHive.reset();
    m_classesTried = true;
    m_message.clear();
    m_linuxHome = true;
    m_layout = ProfileLayout::Vista;
    m_folder = folder;
    return m_files->isFolder(EvidenceFiles::pathBytes(folder));
}

bool UserProfile::openFolder(const QString& folder, QString* error) {
    m_linuxHome = false;
    m_folder = folder;
    m_windowsProfilePath.clear();
    m_userHive.reset();
    m_classesHive.reset();
    m_classesTried = false;
    m_layout = ProfileLayout::Xp;

    const QString hiveName = findChildNoCase(*m_files, m_folder, QStringLiteral("NTUSER.DAT"));
    m_userHivePath =
        joinPath(m_folder, hiveName.isEmpty() ? QStringLiteral("NTUSER.DAT") : hiveName);
    QString hiveError;
    m_userHive = openEvidenceHive(*m_files, m_userHivePath, &hiveError);
    if (m_userHive)
        m_windowsProfilePath = findWindowsProfilePath(*m_userHive);

    const QStringList profileParts = windowsComponents(m_windowsProfilePath);
    if (profileParts.size() >= 2 && sameName(profileParts[1], QStringLiteral("Users")))
        m_layout = ProfileLayout::Vista;
    else if (profileParts.size() >= 2 &&
             sameName(profileParts[1], QStringLiteral("Documents and Settings")))
        m_layout = ProfileLayout::Xp;
    else if (m_files->isFolder(EvidenceFiles::pathBytes(resolve({QStringLiteral("AppData")}))))
        m_layout = ProfileLayout::Vista;
    if (error)
        *error = m_userHive ? QString() : hiveError;
    return true;
}

QString UserProfile::name() const {
    const qsizetype slash = m_folder.lastIndexOf(QLatin1Char('/'));
    return slash >= 0 ? m_folder.mid(slash + 1) : m_folder;
}

QString UserProfile::classesHivePath() const {
    const QStringList parts =
        m_layout == ProfileLayout::Xp
            ? QStringList{QStringLiteral("Local Settings"), QStringLiteral("Application Data"),
                          QStringLiteral("Microsoft"), QStringLiteral("Windows"),
                          QStringLiteral("UsrClass.dat")}
            : QStringList{QStringLiteral("AppData"), QStringLiteral("Local"),
                          QStringLiteral("Microsoft"), QStringLiteral("Windows"),
                          QStringLiteral("UsrClass.dat")};
    return resolve(parts);
}

Hive* UserProfile::classesHive() const {
    if (!m_classesTried) {
        m_classesTried = true;
        const QString path = classesHivePath();
        if (m_files->isFile(EvidenceFiles::pathBytes(path)))
            m_classesHive = openEvidenceHive(*m_files, path, nullptr);
    }
    return m_classesHive.get();
}

QString UserProfile::resolve(const QStringList& components) const {
    return resolveNoCase(*m_files, m_folder, components);
}

namespace {

// The value of one environment variable of the profile's user, as a Windows
// path: the user's own Environment key first, then what Windows sets itself.
// Null when unknown. USERPROFILE stays unexpanded when the profile's Windows
// path is unknown; mapWindowsPath places it on the profile folder directly.
QString variableValue(const UserProfile& profile, const QString& name) {
    const QString upper = name.toUpper();
    const QString home = profile.windowsProfilePath();
    if (upper == QLatin1String("USERPROFILE"))
        return home.isEmpty() ? kUserProfileVariable : home;
    if (Hive* hive = profile.userHive()) {
        const auto own = hive->readString(QStringLiteral("Environment"), name);
        if (own.ok() && !own.text.isEmpty())
            return own.text;
        if (upper == QLatin1String("APPDATA") || upper == QLatin1String("LOCALAPPDATA")) {
            const auto shell =
                hive->readString(kShellFoldersKey, upper == QLatin1String("APPDATA")
                                                       ? QStringLiteral("AppData")
                                                       : QStringLiteral("Local AppData"));
            if (shell.ok() && !shell.text.isEmpty())
                return shell.text;
        }
    }
    const bool xp = profile.layout() == ProfileLayout::Xp;
    const QString drive =
        home.size() >= 2 && home[1] == QLatin1Char(':') ? home.left(2) : QStringLiteral("C:");
    if (upper == QLatin1String("APPDATA"))
        return kUserProfileVariable +
               (xp ? QStringLiteral("\\Application Data") : QStringLiteral("\\AppData\\Roaming"));
    if (upper == QLatin1String("LOCALAPPDATA"))
        return kUserProfileVariable + (xp ? QStringLiteral("\\Local Settings\\Application Data")
                                          : QStringLiteral("\\AppData\\Local"));
    if (upper == QLatin1String("TEMP") || upper == QLatin1String("TMP"))
        return kUserProfileVariable + (xp ? QStringLiteral("\\Local Settings\\Temp")
                                          : QStringLiteral("\\AppData\\Local\\Temp"));
    if (upper == QLatin1String("HOMEDRIVE") || upper == QLatin1String("SYSTEMDRIVE"))
        return drive;
    if (upper == QLatin1String("HOMEPATH") && !home.isEmpty())
        return home.mid(2);
    if (upper == QLatin1String("SYSTEMROOT") || upper == QLatin1String("WINDIR"))
        return drive + (xp ? QStringLiteral("\\WINDOWS") : QStringLiteral("\\Windows"));
    if (upper == QLatin1String("PROGRAMFILES"))
        return drive + QStringLiteral("\\Program Files");
    if (upper == QLatin1String("ALLUSERSPROFILE"))
        return drive + (xp ? QStringLiteral("\\Documents and Settings\\All Users")
                           : QStringLiteral("\\ProgramData"));
    return QString();
}

// Expands %NAME% variables; false when one of them is unknown.
bool expandVariables(const UserProfile& profile, QString* path) {
    static const QRegularExpression variable(QStringLiteral("%([^%\\\\]+)%"));
    for (int round = 0; round < kMaxExpansionRounds; ++round) {
        bool changed = false;
        QString result;
        qsizetype last = 0;
        auto it = variable.globalMatch(*path);
        while (it.hasNext()) {
            const auto match = it.next();
            const QString name = match.captured(1);
            QString value = variableValue(profile, name);
            if (value.isNull())
                return false;
            if (value == kUserProfileVariable && sameName(name, QStringLiteral("USERPROFILE")))
                value = match.captured(0);
            else
                changed = true;
            result += path->mid(last, match.capturedStart() - last) + value;
            last = match.capturedEnd();
        }
        result += path->mid(last);
        *path = result;
        if (!changed)
            return true;
    }
    return false;
}

} // namespace

QString UserProfile::mapWindowsPath(const QString& windowsPath) const {
    if (m_folder.isEmpty())
        return QString();
    QString path = windowsPath.trimmed();
    if (path.isEmpty() || path.startsWith(QLatin1String("\\\\")))
        return QString();
    if (!expandVariables(*this, &path))
        return QString();
    const QStringList parts = windowsComponents(path);
    if (parts.isEmpty())
        return QString();

    QString base;
    QStringList rest;
    const QStringList profileParts = windowsComponents(m_windowsProfilePath);
    if (sameName(parts[0], kUserProfileVariable)) {
        base = m_folder;
        rest = parts.mid(1);
    } else if (startsWithComponents(parts, profileParts)) {
        base = m_folder;
        rest = parts.mid(profileParts.size());
    } else if (!m_volumeRoot.isEmpty() && isDrive(parts[0])) {
        base = m_volumeRoot;
        rest = parts.mid(1);
    } else {
        return QString();
    }
    QStringList components;
    for (const QString& part : rest) {
        if (part == QLatin1String("."))
            continue;
        // A value that climbs out of where it was placed is not followed.
        if (part == QLatin1String("..") || sameName(part, kUserProfileVariable))
            return QString();
        components.append(part);
    }
    return resolveNoCase(*m_files, base, components);
}

bool UserProfile::contains(const QString& path) const {
    if (m_folder.isEmpty() || path.isEmpty())
        return false;
    if (!m_files->isLocal()) {
        const QString clean = QDir::cleanPath(path);
        return clean == m_folder || clean.startsWith(m_folder + QLatin1Char('/'));
    }
    const QString root = QFileInfo(m_folder).canonicalFilePath();
    const QFileInfo info(path);
    const QString target = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    return !root.isEmpty() && (target == root || target.startsWith(root + QLatin1Char('/')));
}

} // namespace vc
