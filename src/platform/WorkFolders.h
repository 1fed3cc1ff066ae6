#pragma once

#include <QString>

#include <sys/types.h>

namespace vc {

// The start of the name of a work folder made by process pid
// ("vellacord-PID-"); six random characters follow.
QString workFolderPrefix(pid_t pid);

// The lock file inside a work folder, locked by the folder's process while
// it runs.
inline const QString kWorkFolderLockName = QStringLiteral("lock");

// Removes from tempFolder the work folders this user's processes left when
// they ended without removing them (a crash, a kill): their rows of decoded
// evidence must not stay behind. A folder is removed only when all of these
// hold: its name is "vellacord-PID-XXXXXX"; it is a real folder (not a link)
// owned by this user; no process with that PID runs; its lock file, if it has
// one, is not locked; it holds only files. Anything else (a live process's
// folder, another user's, a folder that holds a folder) is left alone.
// Returns the number of folders removed.
int RemoveStaleWorkFolders(const QString& tempFolder);

} // namespace vc
