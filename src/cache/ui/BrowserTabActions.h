#pragma once

#include "app/WindowLayer.h"

#include <QString>

namespace vc {

class WindowFrame;
enum class TabId;

// The commands of the Internet Explorer menu, each filling its tab.
// "IE Activity": an index file chosen in the file dialog.
void LoadActivityTab(WindowFrame& form);
// "IE History": every index file below the chosen history folder.
void LoadHistoryTab(WindowFrame& form);
// "IE Cookie": the index file of the chosen cookie folder.
void LoadCookieTab(WindowFrame& form);
// "IE Favorites": the files below the Favorites folder.
void LoadLinksTab(WindowFrame& form);
// Inside a disk image the dialogs cannot show its files: the tab is filled
// from every user's own files instead (true), as the recall fills it.
bool LoadedInsideImage(WindowFrame& form, TabId id);

// The Cookie tab's detail pane for a row: the cookie's fields, and its
// cookie file on the file panel.
void ShowCookieRow(WindowFrame& form, int row);
// The cookie file a row of the Cookie tab came from.
QString CookieRowFile(WindowFrame& form, int row);

} // namespace vc
