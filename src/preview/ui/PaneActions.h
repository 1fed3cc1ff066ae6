#pragma once

#include "app/WindowLayer.h"

#include <QString>

namespace vc {

class DetailPane;
class TForm1;
enum class TabId;

// A row of a table became the selected row: fills the tab's detail pane,
// names the current file for the file actions and previews pictures.
void ShowRowInPane(TForm1& form, TabId id, int row);
// A double-click on a row: opens the file or address behind it.
void OpenRowTarget(TForm1& form, TabId id);
// A click on a tab's file panel: opens what the panel names.
void OpenFilePanelTarget(TForm1& form, TabId id);
// Fills a pane's picture box from a file (folder + name, or fullPath).
void ShowPreview(TForm1& form, const QString& folder, const QString& name, const QString& fullPath,
                 DetailPane* pane);
// A click on a picture box that holds a picture: the zoom window on its file.
void Image1Click(TForm1& form, DetailPane* pane);

} // namespace vc
