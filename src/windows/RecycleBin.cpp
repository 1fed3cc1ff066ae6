#include "windows/RecycleBin.h"

#include "evidence/EvidenceFiles.h"
#include "language/TextIds.h"
#include "platform/Reporter.h"
#include "windows/WindowsRowWriter.h"

#include <QHash>

#include <algorithm>

namespace vc {

namespace {

using Found = std::function<void(const DeletedFile&)>;

// The entries of a folder by lower-case name, and their names in order.
struct Listing {
    bool ok = false;
    std::vector<EvidenceEntry> entries;
    QHash<QString, qsizetype> byName;

    const EvidenceEntry* find(const QString& name) const {
        const auto it = byName.constFind(name.toLower());
        return it == byName.constEnd() ? nullptr : &entries[size_t(*it)];
    }
};

Listing listFolder(const EvidenceFiles& files, const QByteArray& folder, RecycleBinWalk& walk,
                   Reporter* report) {
    Listing listing;
    QString error;
    listing.ok = files.list(folder, listing.entries, &error);
    if (!listing.ok) {
        ++walk.failures;
        if (report)
            report->error(
                windowsReport(TextFolderUnlisted, EvidenceFiles::pathText(folder), error));
        return listing;
    }
    std::sort(listing.entries.begin(), listing.entries.end(),
              [](const EvidenceEntry& a, const EvidenceEntry& b) { return a.name < b.name; });
    for (size_t i = 0; i < listing.entries.size(); ++i)
        listing.byName.insert(QString::fromUtf8(listing.entries[i].name).toLower(), qsizetype(i));
    return listing;
}

void reportUnreadable(const QByteArray& path, const QString& detail, RecycleBinWalk& walk,
                      Reporter* report) {
    ++walk.failures;
    if (report)
        report->error(
            windowsReport(TextRecycleIndexUnreadable, EvidenceFiles::pathText(path), detail));
}

// A $I file whole, through one open: the listing has said it is a file
// (readWhole would ask again), and a bin may hold thousands. False with
// *error when it cannot be read or is larger than a $I file can be.
bool readDollarI(const EvidenceFiles& files, const QByteArray& path, QByteArray& bytes,
                 QString* error) {
    const std::unique_ptr<EvidenceReader> reader = files.open(path, error);
    if (!reader)
        return false;
    if (reader->size() > kMaxDollarIFile) {
        *error = QStringLiteral("%1 bytes").arg(reader->size());
        return false;
    }
    bytes.resize(qsizetype(reader->size()));
    const qint64 got = reader->readAt(0, bytes.data(), bytes.size());
    if (got < 0) {
        *error = reader->errorString();
        return false;
    }
    bytes.truncate(qsizetype(got));
    return true;
}

// $Recycle.Bin/<SID>: each $I file and its $R file.
void readUserBin(const EvidenceFiles& files, const QByteArray& folder, const QString& sid,
                 const Found& found, RecycleBinWalk& walk, Reporter* report) {
    const Listing listing = listFolder(files, folder, walk, report);
    QByteArray bytes;
    for (const EvidenceEntry& e : listing.entries) {
        if (e.type != EntryType::File || !(e.name.startsWith("$I") || e.name.startsWith("$i")))
            continue;
        DeletedFile file;
        file.sid = sid;
        file.indexFile = joinPath(folder, e.name);
        ++walk.indexFiles;
        QString error;
        if (!readDollarI(files, file.indexFile, bytes, &error)) {
            reportUnreadable(file.indexFile, error, walk, report);
            continue;
        }
        const auto entry = parseDollarI(bytes);
        if (!entry) {
            reportUnreadable(file.indexFile, QString(), walk, report);
            continue;
        }
        file.entry = *entry;
        const QByteArray recycled = "$R" + e.name.mid(2);
        const EvidenceEntry* there = listing.find(QString::fromUtf8(recycled));
        file.recycledPresent = there != nullptr;
        file.recycledFile = joinPath(folder, there ? there->name : recycled);
        found(file);
    }
}

// RECYCLER/<SID>/INFO2 or RECYCLED/INFO2: the records and their Dc files.
void readInfo2Bin(const EvidenceFiles& files, const QByteArray& folder, const QString& sid,
                  const Found& found, RecycleBinWalk& walk, Reporter* report) {
    const Listing listing = listFolder(files, folder, walk, report);
    const EvidenceEntry* info2 = listing.find(QStringLiteral("info2"));
    if (!info2 || info2->type != EntryType::File)
        return;
    const QByteArray path = joinPath(folder, info2->name);
    ++walk.indexFiles;
    QString error;
    const std::unique_ptr<EvidenceReader> reader = files.open(path, &error);
    if (!reader) {
        reportUnreadable(path, error, walk, report);
        return;
    }
    const auto record = [&](const RecycleEntry& entry) {
        DeletedFile file;
        file.sid = sid;
        file.indexFile = path;
        file.entry = entry;
        if (entry.record >= 0) {
            const QString name = info2RecycledName(entry);
            const EvidenceEntry* there = listing.find(name);
            file.recycledPresent = there != nullptr;
            file.recycledFile = joinPath(folder, there ? there->name : name.toUtf8());
        }
        found(file);
    };
    if (!readInfo2(*reader, record, &error))
        reportUnreadable(path, error, walk, report);
}

} // namespace

RecycleBinWalk walkRecycleBins(const EvidenceFiles& files, const QByteArray& volumeRoot,
                               const Found& found, Reporter* report) {
    RecycleBinWalk walk;
    for (const char* binName : {"$Recycle.Bin", "RECYCLER", "RECYCLED"}) {
        const QByteArray name = files.findChildNoCase(volumeRoot, binName);
        if (name.isEmpty())
            continue;
        const QByteArray bin = joinPath(volumeRoot, name);
        if (!files.isFolder(bin))
            continue;
        if (qstrcmp(binName, "RECYCLED") == 0) {
            readInfo2Bin(files, bin, QString(), found, walk, report);
            continue;
        }
        const Listing users = listFolder(files, bin, walk, report);
        for (const EvidenceEntry& user : users.entries) {
            if (user.type != EntryType::Folder || user.symlink)
                continue;
            const QByteArray folder = joinPath(bin, user.name);
            const QString sid = QString::fromUtf8(user.name);
            if (qstrcmp(binName, "RECYCLER") == 0)
                readInfo2Bin(files, folder, sid, found, walk, report);
            else
                readUserBin(files, folder, sid, found, walk, report);
        }
    }
    return walk;
}

} // namespace vc
