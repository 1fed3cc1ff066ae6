#pragma once

#include "app/WindowLayer.h"

#include <QString>

class QObject;

namespace vc {

class TForm1;

// The commands of the Documents menu, each filling its tab.
// "Recent Documents": the Recent folder's links and the open/save lists.
void LoadRecentTab(TForm1& form);
// "Temporary Files": files left in the temporary and office folders.
void LoadTempTab(TForm1& form);

// The file actions of the tables' popup menu on the current file. sender is
// the menu item that was triggered (its status tip holds the path the menu
// opened on), or nullptr.
void PrepareFileMenu(TForm1& form);
void OpenCurrentFile(TForm1& form, QObject* sender);
void OpenCurrentFileWith(TForm1& form, QObject* sender);
void OpenCurrentFileFolder(TForm1& form, QObject* sender);
void CopyOrMoveCurrentFile(TForm1& form, QObject* sender);
void ShowCurrentFileProperties(TForm1& form, QObject* sender);
// Opens a file or address with its associated program.
void OpenWithAssociatedProgram(TForm1& form, const QString& path);

} // namespace vc
