#pragma once

#include <QByteArrayView>
#include <QString>

namespace vc {

class KnownFolderLocations;

// A shell item list (the identifier list of Explorer, the common dialogs'
// MRU lists and shortcuts) read into the path Explorer shows for it.
struct ShellItemPath {
    QString path;     // "C:\Users\joe\Pictures\a.png", "My Computer", ...
    QString lastName; // the name of the last item (a file's long name)
    int items = 0;    // items read
    // False when the list is cut short, or an item is damaged or beyond
    // kMaxShellItems: the path ends where the reading stopped.
    bool whole = true;
    // False when the list holds items this reader cannot name (each shown
    // as "?" in the path).
    bool named = true;

    bool complete() const { return whole && named; }
};

// The longest item list read; a value or link claiming more is damaged.
constexpr qsizetype kMaxShellItemList = 1024 * 1024;
// Items read from one list; more are left out (and the path is incomplete).
constexpr int kMaxShellItems = 256;

// Reads the items of a list one by one with libfwsi; the list ends at a
// zero size, at its end, or at the first item that does not fit in what is
// left. The path is composed as Explorer shows it: a drive ("C:\") or a
// network share starts the path anew (My Computer before it is dropped); a
// known folder starts at its location when the hive records one, else at its
// name; files and folders add their long names.
ShellItemPath readShellItemList(QByteArrayView list, const KnownFolderLocations& locations);

} // namespace vc
