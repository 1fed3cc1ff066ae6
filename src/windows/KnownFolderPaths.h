#pragma once

#include <QString>

namespace vc {

class KnownFolderLocations;

// A path that starts with a known folder's GUID ("{1AC14E77-...}\cmd.exe",
// as UserAssist and the activity timeline store programs, or
// "::{GUID}\...") or, on Windows XP, with a CSIDL ("%csidl2%\Games") with
// that part replaced by the folder's path: the user's folders where the
// hive's Shell Folders place them (and the folders below them, such as
// Quick Launch's User Pinned below AppData), the machine's folders (System,
// Program Files, ProgramData...) where Windows puts them by default. Other
// paths, and folders that cannot be placed, come back unchanged.
QString withKnownFolderPath(const QString& path, const KnownFolderLocations& locations);

} // namespace vc
