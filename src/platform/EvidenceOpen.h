#pragma once

#include <QByteArray>
#include <QFile>

namespace vc {

// Opens a file of the evidence for reading only, without changing its
// last-access time where the system allows that (the file's owner, or
// root: O_NOATIME), and quietly as an ordinary read-only open where it does
// not. Returns the descriptor, or -1 with errno set. extraFlags are added to
// O_RDONLY | O_CLOEXEC | O_NOCTTY (O_NONBLOCK, say, so that a pipe never
// blocks).
int openEvidenceDescriptor(const QByteArray& path, int extraFlags = 0);

// The same for a QFile whose name is set, opened read-only with the given
// further modes (Unbuffered, say); false (with the file's error text) when it
// cannot be opened.
bool openWithoutAccessTime(QFile& file, QIODevice::OpenMode modes = {});

} // namespace vc
