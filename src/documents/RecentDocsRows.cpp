// Rows of Explorer's RecentDocs lists: the name of each recently opened
// document and the shortcut the shell made for it in the Recent folder.
#include "documents/MruListRows.h"
#include "documents/RecentCollection.h"
#include "documents/RecentRow.h"
#include "documents/RecentSources.h"
#include "documents/RowLine.h"
#include "documents/shell/ShellItemList.h"
#include "evidence/UserProfile.h"

#include <QFile>

namespace vc {

namespace {

// The shortcut of that name in one of the Recent folders, as file-system
// bytes; empty when none holds it.
QByteArray linkInRecentFolders(const RecentCollection& collection, const QString& linkName) {
    if (linkName.isEmpty() || linkName.contains(QLatin1Char('/')) ||
        linkName.contains(QLatin1Char('\\')) || linkName == QLatin1String("..") ||
        linkName == QLatin1String("."))
        return QByteArray();
    for (const QString& folder : collection.recentFolders()) {
        const QString name = findChildNoCase(collection.profile().files(), folder, linkName);
        if (!name.isEmpty())
            return QFile::encodeName(folder + QLatin1Char('/') + name);
    }
    return QByteArray();
}

bool readRecentDocsValue(RecentCollection& collection, QByteArrayView bytes, RecentRow& row) {
    QString name;
    QByteArrayView items;
    bool whole = takeUtf16Text(bytes, &name, &items);
    row.name = evidenceText(name);
    row.extension = extensionPart(row.name);
    QString linkName;
    if (whole) {
        const ShellItemPath link = readShellItemList(items, collection.locations());
        whole = link.whole && link.items > 0;
        linkName = link.lastName;
    }
    // The shortcut's path where the Recent folder is known, else its name;
    // the document's own name when even that is missing.
    QString shown = linkName.isEmpty() ? name : linkName;
    if (!linkName.isEmpty() && !collection.recentWindowsFolder().isEmpty())
        shown = collection.recentWindowsFolder() + QLatin1Char('\\') + linkName;
    row.path = evidenceText(shown);
    row.localFile = linkInRecentFolders(collection, linkName);
    if (!row.localFile.isEmpty()) {
        QString note;
        row.link = &collection.shortcutFile(row.localFile, &note);
        row.note(note);
    }
    return whole;
}

} // namespace

void collectRecentDocsRows(RecentCollection& collection) {
    const Hive* hive = collection.profile().userHive();
    if (!hive)
        return;
    const auto root = hive->findKey(kRecentDocsKey);
    if (!root)
        return;
    const MruValueReader read = [&collection](QByteArrayView bytes, RecentRow& row) {
        return readRecentDocsValue(collection, bytes, row);
    };
    const QString rootName = QStringLiteral("RecentDocs");
    addMruListRows(collection, *hive, *root, kRecentDocsKey, evidenceText(rootName), read);
    // Subkeys are taken as nodes, not looked up again by name, so a name
    // holding a backslash cannot lead elsewhere.
    for (const Hive::Node sub : hive->subkeys(*root)) {
        const QString name = hive->keyName(sub);
        addMruListRows(collection, *hive, sub, kRecentDocsKey + QLatin1Char('\\') + name,
                       evidenceText(rootName + QLatin1Char('\\') + name), read);
    }
}

} // namespace vc
