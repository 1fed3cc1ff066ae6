// Rows of the common dialogs' newer lists under ComDlg32: the files chosen
// in open and save dialogs (OpenSavePidlMRU, one list per extension and
// "*"), and the program with the folder it last used (LastVisitedPidlMRU,
// LastVisitedPidlMRULegacy, LastVisitedMRU).
#include "documents/MruListRows.h"
#include "documents/RecentCollection.h"
#include "documents/RecentRow.h"
#include "documents/RecentSources.h"
#include "documents/RowLine.h"
#include "documents/shell/ShellItemList.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"

namespace vc {

namespace {

void fillFromItems(RecentCollection& collection, const ShellItemPath& items, RecentRow& row) {
    row.path = evidenceText(items.path);
    row.localFile = localFileFor(collection, items.path);
    if (!items.named)
        row.note(cellInterfaceText(TextReadInPart));
}

// An item list naming the file chosen.
bool readOpenSaveValue(RecentCollection& collection, QByteArrayView bytes, RecentRow& row) {
    const ShellItemPath items = readShellItemList(bytes, collection.locations());
    row.name = evidenceText(items.lastName);
    row.extension = extensionPart(row.name);
    fillFromItems(collection, items, row);
    return items.items > 0 && items.whole;
}

// The program's name, then the item list of the folder it last used.
bool readLastVisitedPidlValue(RecentCollection& collection, QByteArrayView bytes, RecentRow& row) {
    QString program;
    QByteArrayView items;
    const bool whole = takeUtf16Text(bytes, &program, &items);
    row.name = evidenceText(program);
    row.extension = extensionPart(row.name);
    if (!whole)
        return false;
    const ShellItemPath folder = readShellItemList(items, collection.locations());
    fillFromItems(collection, folder, row);
    return folder.items > 0 && folder.whole;
}

// The program's name, then the folder as text.
bool readLastVisitedValue(RecentCollection& collection, QByteArrayView bytes, RecentRow& row) {
    QString program;
    QByteArrayView rest;
    if (!takeUtf16Text(bytes, &program, &rest)) {
        row.name = evidenceText(program);
        return false;
    }
    QString folder;
    QByteArrayView after;
    takeUtf16Text(rest, &folder, &after);
    row.name = evidenceText(program);
    row.extension = extensionPart(row.name);
    row.path = evidenceText(folder);
    row.localFile = localFileFor(collection, folder);
    return true;
}

} // namespace

void collectDialogMruRows(RecentCollection& collection) {
    const Hive* hive = collection.profile().userHive();
    if (!hive)
        return;
    const QString openSave = QStringLiteral("OpenSavePidlMRU");
    if (const auto key = hive->findKey(kComDlg32Key + QLatin1Char('\\') + openSave)) {
        const MruValueReader read = [&collection](QByteArrayView bytes, RecentRow& row) {
            return readOpenSaveValue(collection, bytes, row);
        };
        for (const Hive::Node sub : hive->subkeys(*key)) {
            const QString name = hive->keyName(sub);
            addMruListRows(collection, *hive, sub,
                           kComDlg32Key + QLatin1Char('\\') + openSave + QLatin1Char('\\') + name,
                           evidenceText(openSave + QLatin1Char('\\') + name), read);
        }
    }
    for (const char* list : {"LastVisitedPidlMRU", "LastVisitedPidlMRULegacy"}) {
        const QString name = QString::fromLatin1(list);
        const QString keyPath = kComDlg32Key + QLatin1Char('\\') + name;
        if (const auto key = hive->findKey(keyPath))
            addMruListRows(collection, *hive, *key, keyPath, evidenceText(name),
                           [&collection](QByteArrayView bytes, RecentRow& row) {
                               return readLastVisitedPidlValue(collection, bytes, row);
                           });
    }
    const QString lastVisited = QStringLiteral("LastVisitedMRU");
    const QString keyPath = kComDlg32Key + QLatin1Char('\\') + lastVisited;
    if (const auto key = hive->findKey(keyPath))
        addMruListRows(collection, *hive, *key, keyPath, evidenceText(lastVisited),
                       [&collection](QByteArrayView bytes, RecentRow& row) {
                           return readLastVisitedValue(collection, bytes, row);
                       });
}

} // namespace vc
