// Rows of the jump lists below the Recent folders: one per entry, with the
// application, the DestList's last use and count, and the shortcut's facts.
#include "documents/EvidenceFile.h"
#include "documents/MruListRows.h"
#include "documents/RecentCollection.h"
#include "documents/RecentRow.h"
#include "documents/RecentSources.h"
#include "documents/RecentTexts.h"
#include "documents/RowLine.h"
#include "documents/shell/AppIds.h"
#include "documents/shell/JumpList.h"
#include "platform/Profile.h"

#include <QDir>
#include <QFile>

namespace vc {

namespace {

// The largest jump list read; real ones stay well below a megabyte.
constexpr qint64 kMaxJumpListSize = 32 * 1024 * 1024;

struct Kind {
    const char* folder;
    const char* suffix;
    int sourceText;
    bool automatic;
};

constexpr Kind kKinds[] = {
    {"AutomaticDestinations", ".automaticDestinations-ms", kTextJumpList, true},
    {"CustomDestinations", ".customDestinations-ms", kTextCustomJumpList, false},
};

// "Jump list 1b4dd67f29cb1962 (Windows Explorer)"
QString sourceOf(const Kind& kind, const QString& fileName) {
    const QString id = jumpListAppId(fileName);
    QString source =
        recentText(kind.sourceText) + QLatin1Char(' ') + (id.isEmpty() ? fileName : id);
    const QString app = jumpListAppName(id);
    if (!app.isEmpty())
        source += QStringLiteral(" (%1)").arg(app);
    return source;
}

void addEntryRow(RecentCollection& collection, const JumpListEntry& entry, const QByteArray& source,
                 bool cut) {
    RecentRow row;
    row.source = source;
    if (cut)
        row.notes << recentText(kNoteJumpListCut);
    QString target = entry.link.targetPath;
    if (target.isEmpty() && entry.dest)
        target = withKnownFolderNames(entry.dest->path, collection.locations());
    row.path = evidenceText(target);
    row.name = fileNamePart(row.path);
    row.extension = extensionPart(row.name);
    row.localFile = localFileFor(collection, target);
    if (entry.link.state != ShortcutFacts::State::NotALink)
        row.link = &entry.link;
    if (entry.dest) {
        row.recordedTime = entry.dest->accessTime;
        row.accessCount = entry.dest->accessCount;
        if (entry.dest->pinPosition >= 0)
            row.notes << recentText(kNotePinned);
    } else {
        row.recordedTime = entry.link.latestTime();
    }
    switch (entry.gap) {
    case JumpListEntry::Gap::None:
        break;
    case JumpListEntry::Gap::NoDestListEntry:
        row.notes << recentText(kNoteNoDestListEntry);
        break;
    case JumpListEntry::Gap::NoStream:
        row.notes << recentText(kNoteNoStream);
        break;
    case JumpListEntry::Gap::StreamCut:
        row.notes << recentText(kNoteStreamCut);
        break;
    }
    if (entry.gap != JumpListEntry::Gap::NoStream) {
        if (entry.link.state == ShortcutFacts::State::HeaderOnly)
            row.notes << recentText(kNoteLinkHeaderOnly);
        else if (entry.link.state == ShortcutFacts::State::NotALink)
            row.notes << recentText(kNoteNotALink);
        else if (!entry.link.targetComplete)
            row.notes << recentText(kNotePathIncomplete);
    }
    collection.add(row);
}

void reportProblems(RecentCollection& collection, const JumpList& list, const QString& path) {
    bool damaged = false;
    for (const JumpList::Problem problem : list.problems) {
        switch (problem) {
        case JumpList::Problem::None:
            break;
        case JumpList::Problem::NotACompoundFile:
            collection.problem(kMsgJumpListsUnreadable, path, true);
            break;
        case JumpList::Problem::DestListUnknown:
            collection.problem(
                kMsgDestListUnknown,
                QStringLiteral("%1 (DestList %2)").arg(path).arg(list.destListVersion));
            break;
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
        collection.problem(kMsgJumpListsDamaged, path);
}

} // namespace

void collectJumpListRows(RecentCollection& collection) {
    for (const Kind& kind : kKinds) {
        for (const QString& recent : collection.recentFolders()) {
            const QString name = findChildNoCase(recent, QLatin1String(kind.folder));
            if (name.isEmpty())
                continue;
            const QDir folder(recent + QLatin1Char('/') + name);
            const QStringList files = folder.entryList(
                {QLatin1Char('*') + QLatin1String(kind.suffix)},
                QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
            for (const QString& file : files) {
                const QString path = folder.filePath(file);
                QByteArray bytes;
                const EvidenceReadStatus status =
                    readEvidenceFile(QFile::encodeName(path), kMaxJumpListSize, &bytes);
                if (status == EvidenceReadStatus::Missing)
                    continue;
                if (status != EvidenceReadStatus::Ok) {
                    collection.problem(kMsgJumpListsUnreadable, path, true);
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
