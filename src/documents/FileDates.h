#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace vc {

class EvidenceFiles;
struct EvidenceEntry;

// The creation and last-access times of a file as cells:
// C, separator, A, "|", A — each a time cell of the seconds the file system
// gives (shown as the empty text when they lie before 1970), or empty when
// the time is not known. The part before
// "|" fills the two time fields of a row line (separator: tab); the part
// after it is the last-access text the recall conditions judge.
// A file that cannot be opened for reading gives the separator alone.
//
// The creation time is the file system's birth time where it keeps one
// (statx), on an NTFS volume mounted with ntfs-3g its "system.ntfs_crtime"
// attribute, else empty. Nothing in the file is read or changed.
QByteArray FileDatesText(const QString& path, char separator);

// The same for a path given as file-system bytes.
QByteArray FileDatesText(const QByteArray& path, char separator);

// The same text for a file of the evidence from its entry (a folder
// listing's, or files.entry(path)): the times the file system keeps (inside
// an NTFS image its $STANDARD_INFORMATION times). On this machine's folders
// a regular file that cannot be opened for reading, and an entry whose
// attributes cannot be read, give the separator alone, as above.
QByteArray FileDatesText(const EvidenceFiles& files, const QByteArray& path,
                         const EvidenceEntry& entry, char separator);
// The same, the entry looked up; the separator alone when there is none.
QByteArray FileDatesText(const EvidenceFiles& files, const QByteArray& path, char separator);

// What the detail pane says of a file of the evidence besides its times:
// for a deleted entry a disk image still lists, that its content may since
// have been overwritten; the file system's further facts (inside an NTFS
// image the $FILE_NAME times and the MFT entry). Nothing for this machine's
// files, nor for a path the evidence does not hold.
QStringList evidenceEntryFacts(const EvidenceFiles& files, const QByteArray& path);

// The times FileDatesText reports, as seconds since 1970; nullopt for each
// time the file system does not give. Null result when the file cannot be
// opened for reading.
struct FileTimes {
    std::optional<qint64> created;
    std::optional<qint64> accessed;
    std::optional<qint64> modified;
};
std::optional<FileTimes> readFileTimes(const QByteArray& path);

} // namespace vc
