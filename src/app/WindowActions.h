#pragma once

#include "app/WindowLayer.h"

class QAction;
class QMenu;

namespace vc {

// The main window's commands and menus, by their names. The window makes
// them and binds each to its handler; a feature reaches the few it enables
// or checks through the window's actions().
struct WindowActions {
    QAction* ActionExit = nullptr;
    QAction* ActionOpenProfile = nullptr;
    QAction* ActionOpenVolume = nullptr;
    QAction* ActionOpenImage = nullptr;
    QAction* ActionThisComputer = nullptr;
    QAction* MyCompAction_Total = nullptr;
    QAction* MyCompAction_Cond = nullptr;
    QAction* SearchAction_Find = nullptr;
    QAction* SearchAction_Again = nullptr;
    QAction* SearchAction_GoLine = nullptr;
    QAction* ActionLoadIEActivity = nullptr;
    QAction* Action_ieH = nullptr;
    QAction* ActionIECookie = nullptr;
    QAction* ActionLast_MRU = nullptr;
    QAction* docs_ActionRecent = nullptr;
    QAction* docs_ActionTemp = nullptr;
    QAction* web_ActionHistory = nullptr;
    QAction* web_ActionDownloads = nullptr;
    QAction* web_ActionCookies = nullptr;
    QAction* ExportAction_XLS = nullptr;
    QAction* ExportAction_Tab = nullptr;
    // The timeline for Timesketch or plaso (the Timeline tab only).
    QAction* ExportAction_Timeline = nullptr;
    QAction* ViewAction_Utc = nullptr;
    QAction* ViewAction_Local = nullptr;
    QAction* ViewAction_Machine = nullptr;
    QAction* HelpAction_Manual = nullptr;
    QAction* HelpAction_ShortCut1 = nullptr;
    QAction* HelpAction_ShortCut2 = nullptr;
    QAction* HelpAction_About = nullptr;
    QAction* Helpyourself1 = nullptr;
    QAction* filesPopUp_Open = nullptr;
    QAction* filesPopUp_OpenWith = nullptr;
    QAction* filesPopUp_OpenFolder = nullptr;
    QAction* filesPopUp_CopyTo = nullptr;
    QAction* filesPopUp_MoveTo = nullptr;
    QAction* filesPopUp_Properties = nullptr;
    // Copies the selected rows of the current table (Ctrl+C).
    QAction* EditAction_Copy = nullptr;
    QAction* ColumnsAction_Fit = nullptr;

    QMenu* files_PopupMenu = nullptr;
    QMenu* table_PopupMenu = nullptr; // the file actions and Copy
    QMenu* SearchItem = nullptr;
    QMenu* Export1Item = nullptr;
    // The column headers' menu: lays a table's columns out by their shares
    // again after the user sized them (the table's number is the data).
    QMenu* header_PopupMenu = nullptr;
};

} // namespace vc
