#pragma once

#include <QString>

namespace vc {

// The manual "vellacord.pdf": beside the executable (the build tree), else
// in the installed documentation folder. When neither holds it, the path
// beside the executable, so that the failure to open it names where it was
// looked for.
QString manualPath(const QString& exeDir);

// The program's icon for its shortcuts: "vellacord.svg" beside the
// executable, else the installed icon, else the icon theme's name
// "vellacord".
QString programIconPath(const QString& exeDir);

} // namespace vc
