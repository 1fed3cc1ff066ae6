#pragma once

#include "app/WindowLayer.h"

#include "extras/Shortcuts.h"

namespace vc {

class WindowFrame;

// The Help menu's commands.
// "Manual" (F1): vellacord.pdf beside the program or in the installed
// documentation folder, opened with its associated program; a missing
// manual is reported with the path where it was looked for.
void OpenManual(WindowFrame& form);
// "Create a Desktop Icon" and "Create a Quick Launch Icon": a desktop entry
// for the program in the Linux user's desktop folder or applications folder,
// never inside the Windows profile (or volume) being examined. Success and
// failure are told in a message box that names the file or the folder.
void CreateProgramShortcutAt(WindowFrame& form, ShortcutPlace place);
// "About...": the about window, shown modally and destroyed when it closes.
void ShowAboutWindow(WindowFrame& form);

} // namespace vc
