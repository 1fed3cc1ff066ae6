#pragma once

#include <QString>

namespace vc {

// Where the program finds the files it comes with. In the build tree (or a
// folder the program was unpacked into) they lie beside the executable; an
// installation keeps the executable in PREFIX/bin and the rest under
// PREFIX/share, found from the executable's own folder so that any prefix
// works. Every folder returned ends in "/".

// PREFIX/share/vellacord/ for an executable in PREFIX/bin/.
QString installedDataFolder(const QString& exeDir);
// PREFIX/share/doc/vellacord/.
QString installedDocFolder(const QString& exeDir);
// PREFIX/share/icons/hicolor/scalable/apps/vellacord.svg.
QString installedIconPath(const QString& exeDir);

} // namespace vc
