#include "thiscomputer/ThisComputer.h"

#include "evidence/EvidenceFiles.h"
#include "evidence/Machine.h"

#include <QDir>
#include <QSet>

#include <algorithm>
#include <optional>

#include <pwd.h>
#include <unistd.h>

namespace vc {

namespace {

// Homes below one root: far more than any computer has.
constexpr int kMaxHomes = 4096;
// A mount table larger than this is read only this far.
constexpr qint64 kMaxMountTable = 4 * 1024 * 1024;

std::optional<ThisComputerPlaces>& chosenPlaces() {
    static std::optional<ThisComputerPlaces> places;
    return places;
}

QByteArray unescapeMountField(const QByteArray& field) {
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = false;
            const int value = digits.toInt(&ok, 8);
            if (ok && digits.size() == 3 && value < 256) {
                out += char(value);
                i += 3;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace

ThisComputerPlaces ThisComputerPlaces::ofThisProcess() {
    ThisComputerPlaces places;
    places.currentHome = qEnvironmentVariable("HOME");
    if (places.currentHome.isEmpty())
        if (const passwd* entry = getpwuid(getuid()))
            places.currentHome = QFile::decodeName(entry->pw_dir);
    places.homeRoots = {QStringLiteral("/home")};
    places.otherHomes = {QStringLiteral("/root")};
    places.mountTable = QStringLiteral("/proc/self/mounts");
    // A run that is to look at one home only (a test's) names the folders
    // of further homes itself, and the mount table.
    if (qEnvironmentVariableIsSet("VELLACORD_HOME_ROOTS")) {
        places.homeRoots = qEnvironmentVariable("VELLACORD_HOME_ROOTS")
                               .split(QLatin1Char(':'), Qt::SkipEmptyParts);
        places.otherHomes.clear();
    }
    if (qEnvironmentVariableIsSet("VELLACORD_MOUNT_TABLE"))
        places.mountTable = qEnvironmentVariable("VELLACORD_MOUNT_TABLE");
    places.uid = getuid();
    places.tempFolder = QDir::tempPath();
    return places;
}

const ThisComputerPlaces& thisComputerPlaces() {
    std::optional<ThisComputerPlaces>& places = chosenPlaces();
    if (!places)
        places = ThisComputerPlaces::ofThisProcess();
    return *places;
}

void setThisComputerPlaces(const ThisComputerPlaces& places) {
    chosenPlaces() = places;
}

void resetThisComputerPlaces() {
    chosenPlaces().reset();
}

QStringList thisComputerHomes(const ThisComputerPlaces& places) {
    const EvidenceFiles& files = localEvidenceFiles();
    QStringList homes;
    QSet<QString> seen;
    const auto add = [&](const QString& folder) {
        const QString clean = QDir::cleanPath(folder);
        if (folder.isEmpty() || seen.contains(clean))
            return;
        std::vector<EvidenceEntry> entries;
        // A home the program may not list holds nothing it could read.
        if (!files.list(EvidenceFiles::pathBytes(clean), entries, nullptr))
            return;
        seen.insert(clean);
        homes << clean;
    };
    add(places.currentHome);
    for (const QString& root : places.homeRoots) {
        std::vector<EvidenceEntry> entries;
        if (!files.list(EvidenceFiles::pathBytes(root), entries, nullptr))
            continue;
        QList<QByteArray> names;
        for (const EvidenceEntry& e : entries)
            if (e.type == EntryType::Folder && !e.symlink)
                names << e.name;
        std::sort(names.begin(), names.end());
        if (names.size() > kMaxHomes)
            names.resize(kMaxHomes);
        for (const QByteArray& name : names)
            add(joinPath(root, EvidenceFiles::pathText(name)));
    }
    for (const QString& home : places.otherHomes)
        add(home);
    return homes;
}

std::unique_ptr<Machine> openThisComputer(const ThisComputerPlaces& places) {
    return Machine::thisComputer(thisComputerHomes(places));
}

QStringList mountPointsOf(const QByteArray& table) {
    static const QSet<QByteArray> pseudo = {
        "proc",    "sysfs",       "devpts",   "cgroup", "cgroup2",   "securityfs", "debugfs",
        "tracefs", "configfs",    "fusectl",  "mqueue", "hugetlbfs", "pstore",     "bpf",
        "autofs",  "binfmt_misc", "devtmpfs", "nsfs",   "efivarfs",  "rpc_pipefs", "squashfs"};
    QStringList points;
    int lines = 0;
    for (const QByteArray& line : table.left(kMaxMountTable).split('\n')) {
        if (++lines > kMaxMounts)
            break;
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3 || pseudo.contains(fields[2]))
            continue;
        const QString point = QFile::decodeName(unescapeMountField(fields[1]));
        if (point.startsWith(QLatin1Char('/')) && !points.contains(point))
            points << point;
    }
    return points;
}

} // namespace vc
