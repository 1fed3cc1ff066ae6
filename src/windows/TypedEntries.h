#pragma once

#include "platform/Hive.h"

#include <QString>

#include <functional>

namespace vc {

// Keys of NTUSER.DAT that keep what the user typed or searched for.
inline const QString kTypedUrlsKey =
    QStringLiteral("Software\\Microsoft\\Internet Explorer\\TypedURLs");
inline const QString kTypedUrlsTimeKey =
    QStringLiteral("Software\\Microsoft\\Internet Explorer\\TypedURLsTime");
inline const QString kTypedPathsKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TypedPaths");
inline const QString kWordWheelQueryKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\WordWheelQuery");
inline const QString kRunMruKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU");

// One entry of those lists.
struct TypedEntry {
    QString text;
    QString source;    // "TypedURLs", "TypedPaths", "WordWheelQuery", "RunMRU"
    int position = -1; // 0 = most recent; -1 when the list's order leaves it out
    quint64 time = 0;  // FILETIME; 0 when none is recorded
    // The time is the key's last-written time (given to the most recent
    // entry only) rather than one the list stores for the entry.
    bool timeFromKey = false;
    QString valueName;
    QString keyPath;
    bool readable = true; // the value could be read as the list's kind
};

// The entries of the four lists, each list in its order (url1, url2... for
// TypedURLs and TypedPaths; MRUListEx for WordWheelQuery and each of its
// subkeys; MRUList for RunMRU). RunMRU's entries lose the "\1" Windows
// puts at their end. Returns the number of keys read.
int readTypedEntries(const Hive& hive, const std::function<void(const TypedEntry&)>& entry);

} // namespace vc
