#pragma once

#include <QString>

namespace vc {

// Shortcuts to the program are freedesktop desktop entries (".desktop"
// files). The desktop icon goes into the Linux user's desktop folder, the
// quick-launch icon into the user's applications folder, where menus and
// launchers pick it up. Neither is ever written into the Windows profile
// being examined.

enum class ShortcutPlace { Desktop, QuickLaunch };

// The folder for a place, with no trailing "/": the desktop is
// $XDG_DESKTOP_DIR, else the XDG_DESKTOP_DIR of the user's user-dirs.dirs,
// else $HOME/Desktop; the applications folder is $XDG_DATA_HOME/applications
// (default $HOME/.local/share/applications). Empty when there is no home.
QString shortcutFolder(ShortcutPlace place);

// The file name of a shortcut named after the product (text 0 in the current
// language): the name with every "/" and control character replaced by "_",
// and ".desktop". "Vellacord.desktop" for an empty or dot-only name.
QString shortcutFileName(const QString& productName);

// Writes a desktop entry at linkPath that starts target with arguments in
// workingFolder, shown as name (the link's base name) with the icon at
// iconPath (a file, or a name in the icon theme; desktop entries have no
// icon index, so iconIndex is not used; nor are a show command or a hot key).
// The working folder is written without trailing "/". An existing file is
// replaced whole. False when the file cannot be written.
bool CreateShortcut(const QString& linkPath, const QString& target, int iconIndex,
                    const QString& iconPath, int showCommand, int hotKey, const QString& arguments,
                    const QString& workingFolder);

// Why the program's own shortcut was not made.
enum class ShortcutProblem {
    None,
    NoFolder,      // no home: the place has no folder
    FolderMissing, // the desktop folder does not exist (it is never made)
    InsideProfile, // the folder lies inside the Windows profile being examined
    CannotWrite,   // the folder could not be made or the file not written
};

struct ShortcutOutcome {
    ShortcutProblem problem = ShortcutProblem::None;
    QString folder;   // the place's folder (empty for NoFolder)
    QString linkPath; // the shortcut file, written or not
    bool ok() const { return problem == ShortcutProblem::None; }
};

// The program's own shortcut for a place, named productName: target the
// executable exePath, no arguments, working folder its folder. Fails when
// the place has no folder, the folder is missing (the applications folder is
// made when missing, the desktop is not), lies inside protectedFolder (the
// Windows profile being examined; empty for none), or the file cannot be
// written.
ShortcutOutcome createProgramShortcut(ShortcutPlace place, const QString& productName,
                                      const QString& exePath, const QString& iconPath,
                                      const QString& protectedFolder);

} // namespace vc
