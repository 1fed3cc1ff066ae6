#pragma once

#include <QByteArray>

namespace vc {

// Why a file of the profile could not be read whole.
enum class EvidenceReadStatus {
    Ok,
    Missing,    // not there, or not a regular file
    Unreadable, // there, but opening or reading it failed
    TooLarge,   // larger than the reader accepts
};

// Reads a regular file of the profile whole into *bytes. The path is given
// as the file system's bytes, so names that are not valid UTF-8 still open.
// The file is opened read-only, without changing its last-access time where
// the system allows (the file's owner, or root), and without blocking; a
// pipe or device is never read. A file larger than maxBytes is not read at
// all, so one forged size cannot take the memory.
EvidenceReadStatus readEvidenceFile(const QByteArray& path, qint64 maxBytes, QByteArray* bytes);

} // namespace vc
