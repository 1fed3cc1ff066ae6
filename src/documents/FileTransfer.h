#pragma once

#include <QString>

namespace vc {

// The free-space test before a copy: false when the destination's file
// system reports 0 bytes free, when the source cannot be opened for reading,
// or when it is larger than the free space; true when the free space cannot
// be known. Sizes are 64-bit.
bool HasRoomFor(const QString& source, const QString& destination);

// How a copy or move ended.
enum class TransferOutcome {
    Done,
    SameFile, // destination is the source itself
    SourceUnreadable,
    NoRoom,
    Declined,       // the user kept the existing destination
    CopyFailed,     // nothing changed (source and any old destination kept)
    CopyIncomplete, // the copy's size differs from the source's; source kept
    DeleteFailed,   // move: the copy is complete, the source could not be deleted
};

// Copies (or moves) source into folder under its own name, asking before
// an existing file is replaced (the question names that file) and showing
// each failure in a message box.
// A move deletes the source only after the copy is complete and has the
// source's size, so no failure loses either file.
TransferOutcome transferFile(const QString& source, const QString& folder, bool move);
// Where transferFile puts source: folder, one "/", the source's name.
QString transferDestination(const QString& source, const QString& folder);

class UserProfile;

// Where the file behind a row lies on this machine: the path itself when it
// exists; else a Windows path placed in the row's user's profile; else the path's
// bytes taken back from the table's code page as a file name. The path
// itself when none of these exists.
QString localFileFor(const QString& target, const UserProfile* profile);

} // namespace vc
