#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace vc {

// What one shell item holds besides its name, for the tables that show one
// item per row (the shell bags): the times and the NTFS file reference of a
// file entry (a file or folder item). The item's name and its place in a
// path come from readShellItemList.
struct ShellItemFacts {
    bool readable = false; // libfwsi could read the item
    bool fileEntry = false;
    // Times as FILETIMEs (UTC); the item stores them as FAT date-times of
    // two-second steps. Empty when the item holds none.
    std::optional<quint64> modified; // the file entry's own time
    std::optional<quint64> created;  // from its file-entry extension block
    std::optional<quint64> accessed;
    // The MFT entry (low 48 bits) and sequence number (high 16 bits) of the
    // file-entry extension block (Windows Vista and later).
    std::optional<quint64> fileReference;
};

// Reads one item (its size first, as lists hold it) with libfwsi.
ShellItemFacts readShellItemFacts(QByteArrayView item);

// A FAT date-time as libfwsi gives it (the date in the low 16 bits, the
// time in the high 16) as a FILETIME; nullopt for 0 or a date that does not
// exist.
std::optional<quint64> fatDateTimeToFileTime(quint32 fatDateTime);

// "entry-sequence", as NTFS tools write a file reference ("43521-3").
QString fileReferenceText(quint64 reference);

} // namespace vc
