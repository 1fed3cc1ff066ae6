#pragma once

#include "app/WindowLayer.h"

#include "documents/FileServices.h"

#include <QString>

class QObject;

namespace vc {

class WindowFrame;

// The commands of the Documents menu, each filling its tab.
// "Recent Documents": the Recent folder's links and the open/save lists.
void LoadRecentTab(WindowFrame& form);
// "Temporary Files": files left in the temporary and office folders.
void LoadTempTab(WindowFrame& form);

// The file actions of the tables' popup menu on the file behind the focused
// row of the table in front. PrepareFileMenu writes that file into every
// item's status tip and enables the items it allows (none without a focused
// row); the window calls it on every change of the focused row, the tab in
// front or a table's rows. sender is the menu item that was triggered, or
// nullptr.
void PrepareFileMenu(WindowFrame& form);
void OpenCurrentFile(WindowFrame& form, QObject* sender);
void OpenCurrentFileWith(WindowFrame& form, QObject* sender);
void OpenCurrentFileFolder(WindowFrame& form, QObject* sender);
void CopyOrMoveCurrentFile(WindowFrame& form, QObject* sender);
void ShowCurrentFileProperties(WindowFrame& form, QObject* sender);
// Opens a file or address with its associated program; says why when it
// cannot, and offers the choice of a program when none is set for it.
void OpenWithAssociatedProgram(WindowFrame& form, const QString& path);
// No program opens the file: the message says why (followed by the path
// and the advice to choose one), then the open-with window lets the user.
void OfferProgramFor(const QString& why, const QString& path);
// Why a file or address could not be opened: the reason, ":", a line break
// and the target.
QString OpenFailureText(OpenResult result, const QString& target);

} // namespace vc
