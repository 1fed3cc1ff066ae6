#pragma once

#include "app/WindowLayer.h"

class QAction;

namespace vc {

class LanguageWindow;

// The Language menu of the main window, built once at the first activation
// from the language files beside the program and in the installed data
// folder: English, then one entry per file named after a locale. No menu
// when there is no language file. Ends by loading and applying the saved
// language (English when its file is gone).
void BuildLanguageMenu(LanguageWindow& form);

// A Language menu entry was chosen: its texts are loaded and applied to
// every window, the entry is marked and the choice saved for the next start.
void ChooseLanguageEntry(LanguageWindow& form, QAction* entry);

// "Help yourself (localization)": the locale list with the user's own
// locale selected, shown modally.
void ShowLocaleList(LanguageWindow& form);

} // namespace vc
