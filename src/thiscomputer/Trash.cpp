#include "thiscomputer/Trash.h"

#include "documents/RowLine.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/Machine.h"
#include "language/InterfaceTexts.h"
#include "platform/Reporter.h"
#include "thiscomputer/DesktopFiles.h"
#include "thiscomputer/ThisComputer.h"
#include "windows/WindowsColumns.h"

#include <QHash>

#include <algorithm>

#include <pwd.h>

namespace vc {

namespace {

constexpr qint64 kMaxTrashInfo = 64 * 1024;
constexpr qint64 kMaxDirectorySizes = 16 * 1024 * 1024;
constexpr qint64 kMaxMountTableBytes = 4 * 1024 * 1024;

// directorysizes: "SIZE MTIME NAME" a line, NAME percent-encoded.
QHash<QByteArray, qint64> directorySizes(const EvidenceFiles& files, const QByteArray& folder) {
    QHash<QByteArray, qint64> sizes;
    QByteArray text;
    if (files.readWhole(joinPath(folder, QByteArray("directorysizes")), kMaxDirectorySizes,
                        &text) != EvidenceReadStatus::Ok)
        return sizes;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() != 3)
            continue;
        bool ok = false;
        const qint64 size = fields[0].toLongLong(&ok);
        if (ok && size >= 0)
            sizes.insert(QByteArray::fromPercentEncoding(fields[2]), size);
    }
    return sizes;
}

QString ownerOfUid(uint uid) {
    if (const passwd* entry = getpwuid(uid))
        return QString::fromLocal8Bit(entry->pw_name);
    return QStringLiteral("uid %1").arg(uid);
}

bool isUid(const QByteArray& text) {
    bool ok = false;
    text.toUInt(&ok);
    return ok && !text.isEmpty() && text[0] != '+' && text[0] != '-';
}

} // namespace

int walkTrash(const EvidenceFiles& files, const TrashFolder& trash,
              const std::function<void(const TrashEntry&)>& each) {
    const QByteArray infoFolder = joinPath(trash.folder, QByteArray("info"));
    const QByteArray filesFolder = joinPath(trash.folder, QByteArray("files"));
    std::vector<EvidenceEntry> entries;
    if (!files.list(infoFolder, entries, nullptr))
        return -1;
    std::sort(entries.begin(), entries.end(),
              [](const EvidenceEntry& a, const EvidenceEntry& b) { return a.name < b.name; });
    const QHash<QByteArray, qint64> sizes = directorySizes(files, trash.folder);
    constexpr qsizetype kSuffix = 10; // ".trashinfo"
    int read = 0;
    for (const EvidenceEntry& info : entries) {
        if (info.type != EntryType::File || !info.name.endsWith(".trashinfo") ||
            info.name.size() <= kSuffix)
            continue;
        if (++read > kMaxTrashEntries)
            break;
        TrashEntry entry;
        entry.infoFile = joinPath(infoFolder, info.name);
        const QByteArray name = info.name.chopped(kSuffix);
        entry.trashedFile = joinPath(filesFolder, name);
        if (const std::optional<EvidenceEntry> trashed = files.entry(entry.trashedFile)) {
            entry.present = true;
            entry.isFolder = trashed->type == EntryType::Folder;
            entry.size = entry.isFolder ? sizes.value(name, -1) : trashed->size;
        }
        QByteArray text;
        if (files.readWhole(entry.infoFile, kMaxTrashInfo, &text) == EvidenceReadStatus::Ok) {
            const QByteArray path = desktopEntryValue(text, "Trash Info", "Path");
            if (!path.isEmpty()) {
                entry.originalPath = QByteArray::fromPercentEncoding(path);
                if (!entry.originalPath.startsWith('/') && !trash.topDir.isEmpty())
                    entry.originalPath = joinPath(trash.topDir, entry.originalPath);
            }
            bool local = false;
            if (const std::optional<qint64> micro = isoTimeMicroseconds(
                    desktopEntryValue(text, "Trash Info", "DeletionDate"), &local))
                entry.deletedAt =
                    TimeValue{local ? TimeKind::LocalFileTime : TimeKind::FileTime,
                              TimeRule::Runtime, qint64(fileTimeOfMicroseconds(*micro))};
        }
        entry.damaged = entry.originalPath.isEmpty();
        each(entry);
    }
    return read;
}

QList<TrashFolder> thisComputerTrashes(const Machine& machine, const ThisComputerPlaces& places) {
    const EvidenceFiles& files = machine.files();
    QList<TrashFolder> trashes;
    for (const auto& user : machine.users())
        trashes.append(
            {joinPath(EvidenceFiles::pathBytes(user->folder()), QByteArray(".local/share/Trash")),
             QByteArray(), user->name()});
    if (places.mountTable.isEmpty())
        return trashes;
    QByteArray table;
    files.readWhole(EvidenceFiles::pathBytes(places.mountTable), kMaxMountTableBytes, &table);
    // /proc files say their size is 0: read them as a stream.
    if (table.isEmpty())
        readLines(
            files, EvidenceFiles::pathBytes(places.mountTable), 64 * 1024,
            [&table](const QByteArray& line) {
                table += line + '\n';
                return table.size() < kMaxMountTableBytes;
            },
            nullptr);
    for (const QString& point : mountPointsOf(table)) {
        const QByteArray top = EvidenceFiles::pathBytes(point);
        std::vector<EvidenceEntry> entries;
        if (!files.list(top, entries, nullptr))
            continue;
        std::sort(entries.begin(), entries.end(),
                  [](const EvidenceEntry& a, const EvidenceEntry& b) { return a.name < b.name; });
        for (const EvidenceEntry& e : entries) {
            if (e.type != EntryType::Folder || e.symlink)
                continue;
            if (e.name.startsWith(".Trash-") && isUid(e.name.mid(7))) {
                trashes.append({joinPath(top, e.name), top, ownerOfUid(e.name.mid(7).toUInt())});
            } else if (e.name == ".Trash") {
                // The shared trash: a sub-folder per user.
                std::vector<EvidenceEntry> users;
                if (!files.list(joinPath(top, e.name), users, nullptr))
                    continue;
                for (const EvidenceEntry& u : users)
                    if (u.type == EntryType::Folder && !u.symlink && isUid(u.name))
                        trashes.append({joinPath(joinPath(top, e.name), u.name), top,
                                        ownerOfUid(u.name.toUInt())});
            }
        }
    }
    return trashes;
}

WindowsLoadResult loadThisComputerTrash(const Machine& machine, const ThisComputerPlaces& places,
                                        const LoadContext& context, RowSink& sink) {
    const EvidenceFiles& files = machine.files();
    const QList<TrashFolder> trashes = thisComputerTrashes(machine, places);
    QStringList damaged;
    WindowsLoadResult result =
        loadOneInput(WindowsTable::Deleted, context, sink, [&](WindowsRowWriter& writer) {
            int read = 0;
            for (const TrashFolder& trash : trashes) {
                const int count = walkTrash(files, trash, [&](const TrashEntry& entry) {
                    const QString original = EvidenceFiles::pathText(entry.originalPath);
                    writer.setText(kDeletedPath, original);
                    writer.setText(kDeletedName,
                                   EvidenceFiles::pathText(fileNamePart(
                                       entry.damaged ? entry.trashedFile : entry.originalPath)));
                    if (entry.size >= 0)
                        writer.setNumber(kDeletedSize, entry.size);
                    writer.setTime(kDeletedTime, entry.deletedAt);
                    writer.setText(kDeletedUser, trash.owner);
                    writer.setText(kDeletedStillThere, tx(entry.present ? TextYes : TextNo));
                    writer.setText(kDeletedRecycledFile,
                                   EvidenceFiles::pathText(entry.trashedFile));
                    writer.setText(kDeletedIndexFile, EvidenceFiles::pathText(entry.infoFile));
                    if (entry.damaged) {
                        writer.addNote(tx(TextReadInPart));
                        damaged << EvidenceFiles::pathText(entry.infoFile);
                    }
                    writer.write();
                });
                if (count > 0)
                    read += count;
            }
            return read;
        });
    if (!damaged.isEmpty() && context.report) {
        QStringList shown = damaged.mid(0, 20);
        if (damaged.size() > 20)
            shown << QStringLiteral("(+%1)").arg(damaged.size() - 20);
        context.report->warning(tx(TextTrashUnreadable) + QStringLiteral(":\n") +
                                shown.join(QLatin1Char('\n')));
        result.failures = int(damaged.size());
    }
    return result;
}

} // namespace vc
