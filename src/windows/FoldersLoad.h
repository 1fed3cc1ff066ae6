#pragma once

#include "windows/WindowsRowWriter.h"

namespace vc {

class RowSink;
struct LoadContext;
struct UserHives;

// Loads the Folders opened table of one user: the shell bags of NTUSER.DAT
// (Shell\BagMRU, and ShellNoRoam\BagMRU of Windows XP), then those of
// UsrClass.dat, one row per folder (ShellBags.h). Rows are appended to the
// sink (the caller starts the fill); each is offered to the context's
// filter with the folder key's last-written time as its date.
WindowsLoadResult loadFoldersOpened(const UserHives& hives, const LoadContext& context,
                                    RowSink& sink);

} // namespace vc
