#pragma once

#include "platform/LoadContext.h"
#include "platform/TimeValue.h"
#include "windows/WindowsRowWriter.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace vc {

class EvidenceFiles;
class Machine;
class RowSink;
struct ThisComputerPlaces;

// One entry of a freedesktop trash: info/NAME.trashinfo ("[Trash Info]",
// Path= the original path, percent-encoded, absolute or relative to the
// volume's top folder; DeletionDate= the local wall-clock time) and
// files/NAME, the trashed file or folder itself.
struct TrashEntry {
    QByteArray infoFile;
    QByteArray trashedFile;
    bool present = false;  // files/NAME is there
    bool isFolder = false; // and is a folder
    QByteArray originalPath;
    std::optional<TimeValue> deletedAt;
    qint64 size = -1;     // the file's size, a folder's from directorysizes; -1 unknown
    bool damaged = false; // the info file names no path
};

// One trash folder and whose it is.
struct TrashFolder {
    QByteArray folder; // holds info/ and files/
    QByteArray topDir; // what relative paths are relative to; empty for a home trash
    QString owner;     // the user's name
};

// The entries of one trash, by info file name; at most kMaxTrashEntries.
// Unreadable info files still give a row (damaged). The number of info
// files read, or -1 when the trash has no info folder.
int walkTrash(const EvidenceFiles& files, const TrashFolder& trash,
              const std::function<void(const TrashEntry&)>& each);
constexpr int kMaxTrashEntries = 1000000;

// The trash folders of this computer: each home's ~/.local/share/Trash,
// then each mounted volume's .Trash-UID and .Trash/UID (of every user the
// program may list).
QList<TrashFolder> thisComputerTrashes(const Machine& machine, const ThisComputerPlaces& places);

// The Deleted files table (windows/WindowsColumns.h) of those trashes.
WindowsLoadResult loadThisComputerTrash(const Machine& machine, const ThisComputerPlaces& places,
                                        const LoadContext& context, RowSink& sink);

} // namespace vc
