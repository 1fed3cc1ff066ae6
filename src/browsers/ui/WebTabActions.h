#pragma once

#include "app/WindowLayer.h"

#include <QString>

namespace vc {

class WindowFrame;
enum class TabId;

// The commands of the Chrome, Edge and Firefox menu: "Browser History",
// "Browser Downloads" and "Browser Cookies" fill their tab from every
// database of the opened profile (without a profile the tab stays empty).
void LoadWebTab(WindowFrame& form, TabId id);

// The detail pane of a row of one of these tabs: every field of the row by
// its caption (the source file and the files read from the private copy
// among them). The file panel names the address of a visit, the target of a
// download or the database of a cookie; the current file of the file
// actions is the download's target as it lies in the profile (its Windows
// path placed in the profile folder), else the database the row came from.
void ShowWebRow(WindowFrame& form, TabId id, int row);
// The file behind a row of these tabs: a download's target as it lies in
// the profile, else the database the row came from.
QString WebRowFile(WindowFrame& form, TabId id, int row);

} // namespace vc
