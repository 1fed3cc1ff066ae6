// Rows of the jump lists below the Recent folders: one per entry, with the
// application, the DestList's last use and count, and the shortcut's facts.
#include "documents/MruListRows.h"
#include "documents/RecentCollection.h"
#include "documents/RecentRow.h"
#include "documents/RecentSources.h"
#include "documents/RowLine.h"
#include "documents/shell/AppIds.h"
#include "documents/shell/JumpList.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/SpecialFolders.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"

#include <algorithm>

namespace vc {

namespace {

// The largest jump list read; real ones stay well below a megabyte.
constexpr qint64 kMaxJumpListSize = 32 * 1024 * 1024;

struct Kind {
    const char* folder;
    const char* suffix;
    bool automatic;
};

constexpr Kind kKinds[] = {
    {"AutomaticDestinations", ".automaticDestinations-ms", true},
    {"CustomDestinations", ".customDestinations-ms", false},
};

// The folder and the application, as the registry sources are named by
// their keys: "AutomaticDestinations\1b4dd67f29cb1962 (Windows Explorer)".
QString sourceOf(const Kind& kind, const QString& fileName) {
    const QString id = jumpListAppId(fileName);
    QString source =
        QLatin1String(kind.folder) + QLatin1Char('\\') + (id.isEmpty() ? fileName : id);
    const QString app = jumpListAppName(id);
    if (!app.isEmpty())
        source += QStringLiteral(" (%1)").arg(app);
    return source;
}

// An address rather than a path: "http://...", "ftp://...".
bool isAddress(const QString& target) {
    const qsizetype colon = target.indexOf(QLatin1String("://"));
    return colon > 1 && !target.left(colon).contains(QLatin1Char('\\'));
}

void addEntryRow(RecentCollection& collection, const JumpListEntry& entry, const QByteArray& source,
                 bool cut) {
    RecentRow row;
    row.source = source;
    if (cut)
        row.note(cellInterfaceText(TextReadInPart));
    // The shortcut's target, unless the DestList names the entry where the
    // shortcut's item list could not: Internet Explorer's entries hold the
    // address there and a target of "Internet Explorer\?".
    QString target = entry.link.targetPath;
    const bool linkNamed = !target.isEmpty() && entry.link.targetComplete;
    const bool fromDestList = !linkNamed && entry.dest && !entry.dest->path.isEmpty();
    if (fromDestList)
        target = withKnownFolderNames(entry.dest->path, collection.locations());
    row.path = evidenceText(target);
    if (isAddress(target)) {
        row.name = row.path; // an address has no file name or extension
    } else {
        row.name = fileNamePart(row.path);
        row.extension = extensionPart(row.name);
    }
    row.localFile = localFileFor(collection, target);
    if (entry.link.state != ShortcutFacts::State::NotALink)
        row.link = &entry.link;
    // The recorded time is the DestList's last use; a custom jump list
    // records none.
    if (entry.dest) {
        row.recordedTime = entry.dest->accessTime;
        row.accessCount = entry.dest->accessCount;
        if (entry.dest->pinPosition >= 0)
            row.note(cellInterfaceText(TextPinned));
    }
    if (entry.task)
        row.category = evidenceText(cellInterfaceText(TextTasksCategory));
    else
        row.category = evidenceText(entry.category);
    // A stream the DestList does not describe, or one cut short, was read
    // in part; a DestList entry without its stream, or a stream that is no
    // shortcut, has no shortcut facts.
    if (entry.gap == JumpListEntry::Gap::NoDestListEntry ||
        entry.gap == JumpListEntry::Gap::StreamCut)
        row.note(cellInterfaceText(TextReadInPart));
    if (entry.gap == JumpListEntry::Gap::NoStream ||
        entry.link.state == ShortcutFacts::State::NotALink)
        row.note(cellInterfaceText(TextNoShortcut));
    else if (entry.link.state == ShortcutFacts::State::HeaderOnly || entry.link.extraDataCut ||
             (!entry.link.targetComplete && !fromDestList))
        row.note(cellInterfaceText(TextReadInPart));
    collection.add(row);
}

void reportProblems(RecentCollection& collection, const JumpList& list, const QString& path) {
    bool damaged = false;
    for (const JumpList::Problem problem : list.problems) {
        switch (problem) {
        case JumpList::Problem::None:
            break;
        case JumpList::Problem::NotACompoundFile:
            collection.problem(path, true);
            break;
        case JumpList::Problem::DestListUnknown:
            // Its entries are listed without last use and count.
            collection.problem(
                QStringLiteral("%1 (DestList %2)").arg(path).arg(list.destListVersion));
            break;
        case JumpList::Problem::ForgedHeader:
        case JumpList::Problem::Cut:
        case JumpList::Problem::DamagedStreams:
        case JumpList::Problem::NoDestList:
        case JumpList::Problem::DestListCut:
        case JumpList::Problem::DamagedLinks:
            damaged = true;
            break;
        }
    }
    if (damaged)
        collection.problem(path);
}

// The jump lists of one kind in a folder: the regular files (links
// followed) whose name ends in the kind's suffix (any letter case), sorted
// by name without regard to letter case.
QStringList jumpListNames(const EvidenceFiles& files, const QString& folder, const Kind& kind) {
    std::vector<EvidenceEntry> entries;
    QStringList names;
    if (!files.list(EvidenceFiles::pathBytes(folder), entries, nullptr))
        return names;
    const QLatin1String suffix(kind.suffix);
    for (const EvidenceEntry& e : entries) {
        const QString name = EvidenceFiles::pathText(e.name);
        if (e.type == EntryType::File && name.endsWith(suffix, Qt::CaseInsensitive))
            names << name;
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    names.removeDuplicates(); // a deleted entry beside the live one of its name
    return names;
}

} // namespace

void collectJumpListRows(RecentCollection& collection) {
    const EvidenceFiles& files = collection.profile().files();
    for (const Kind& kind : kKinds) {
        for (const QString& recent : collection.recentFolders()) {
            const QString name = findChildNoCase(files, recent, QLatin1String(kind.folder));
            if (name.isEmpty())
                continue;
            // The Recent folder comes with its trailing "/".
            const QString folder = withTrailingSlash(recent) + name;
            for (const QString& file : jumpListNames(files, folder, kind)) {
                const QString path = joinPath(folder, file);
                QByteArray bytes;
                const EvidenceReadStatus status =
                    files.readWhole(EvidenceFiles::pathBytes(path), kMaxJumpListSize, &bytes);
                if (status == EvidenceReadStatus::Missing)
                    continue;
                if (status != EvidenceReadStatus::Ok) {
                    collection.problem(path, true);
                    continue;
                }
                const JumpList list = kind.automatic
                                          ? readAutomaticDestinations(bytes, collection.locations())
                                          : readCustomDestinations(bytes, collection.locations());
                const QByteArray source = evidenceText(sourceOf(kind, file));
                const bool cut = list.problems.contains(JumpList::Problem::Cut);
                for (const JumpListEntry& entry : list.entries)
                    addEntryRow(collection, entry, source, cut);
                reportProblems(collection, list, path);
            }
        }
    }
}

} // namespace vc
