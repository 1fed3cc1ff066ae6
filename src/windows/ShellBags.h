#pragma once

#include "documents/shell/ShellItemFacts.h"
#include "platform/Hive.h"

#include <QString>

#include <functional>

namespace vc {

class KnownFolderLocations;

// Where Explorer keeps the folders a user opened: BagMRU trees of the two
// user hives. Each key's numbered values hold one shell item each, the
// folder below the folder of the key; the subkey of the same number holds
// the folders below that one.
inline const QString kNtUserBagMruKey =
    QStringLiteral("Software\\Microsoft\\Windows\\Shell\\BagMRU");
// Windows XP: the folders of this machine only (not roamed).
inline const QString kNtUserNoRoamBagMruKey =
    QStringLiteral("Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU");
// Windows 7 and later keep them in UsrClass.dat.
inline const QString kUsrClassBagMruKey =
    QStringLiteral("Local Settings\\Software\\Microsoft\\Windows\\Shell\\BagMRU");

// One folder of a BagMRU tree.
struct ShellBag {
    QString path;              // the path of the items from the tree's root down
    QString name;              // the last item's name
    bool complete = true;      // every item was read and named
    QString keyPath;           // the key that holds the folder's subfolders
    int position = -1;         // in the parent key's MRUListEx; 0 = most recent
    quint64 parentWritten = 0; // the parent key's last-written time, for position 0 only
    quint64 keyWritten = 0;    // the folder's own key's last-written time
    ShellItemFacts facts;      // the folder's item
};

// Deeper trees are damage: their lower folders are left out.
constexpr int kMaxShellBagDepth = 128;

// Every folder of the tree at bagMruKey, depth first, the values of each key
// in the order of their numbers; returns how many were found.
int readShellBags(const Hive& hive, const QString& bagMruKey, const KnownFolderLocations& locations,
                  const std::function<void(const ShellBag&)>& folder);

} // namespace vc
