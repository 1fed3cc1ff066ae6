#pragma once

#include "documents/shell/KnownFolders.h"

namespace vc {

class Hive;

// The hives of one user that the Windows tables read, and where the user's
// folders lay on the original machine (the Shell Folders values of
// NTUSER.DAT and the profile's Windows path), which name the known folders
// of shell items, UserAssist entries and activities. Either hive may be
// missing.
struct UserHives {
    const Hive* ntUser = nullptr;
    const Hive* usrClass = nullptr; // Windows Vista and later
    KnownFolderLocations locations;
};

} // namespace vc
