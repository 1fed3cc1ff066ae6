#pragma once

#include "app/WindowLayer.h"

#include <QString>

namespace vc {

class DetailPane;
class WindowFrame;
class UserProfile;
enum class TabId;

// The file (or address) behind a row of a tab: what the file actions, a
// double-click and the file panel work on. A cached copy, a file of the
// profile, a Windows path placed in the profile where it lies there, a
// browser database, or an address; empty for a row that is not there.
QString FileOfRow(WindowFrame& form, TabId id, int row);
// The file behind the tab's focused row; empty when no row is focused.
QString FocusedFile(WindowFrame& form, TabId id);
// The user a row's "User" cell names; nullptr when it names nobody of what
// is open (a table read from a file the user chose).
const UserProfile* UserNamedByRow(const WindowFrame& form, TabId id, int row);
// Opens a file or address taken from the evidence with its program; an
// address only after the user agreed to visit it from this machine. False
// when nothing was opened for that reason or there was nothing to open.
bool OpenEvidenceTarget(WindowFrame& form, const QString& target);

// A row of a table became the selected row: fills the tab's detail pane and
// previews pictures.
void ShowRowInPane(WindowFrame& form, TabId id, int row);
// A double-click on a row: opens the file or address behind it (a Cache
// row's body, as Open does, from a private copy).
void OpenRowTarget(WindowFrame& form, TabId id);
// A click on a tab's file panel: opens what the panel names.
void OpenFilePanelTarget(WindowFrame& form, TabId id);
// Fills a pane's picture box from a file (folder + name, or fullPath).
void ShowPreview(WindowFrame& form, const QString& folder, const QString& name,
                 const QString& fullPath, DetailPane* pane);
// A click on a picture box that holds a picture: the zoom window on its file.
void Image1Click(WindowFrame& form, DetailPane* pane);

} // namespace vc
