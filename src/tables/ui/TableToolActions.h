#pragma once

#include "app/WindowLayer.h"

namespace vc {

class WindowFrame;
class WindowTabs;
struct SortSettings;
enum class TabId;

// The table tools, always on the current table.
// Find: the find window, then the first row holding the text.
void FindInCurrentTable(WindowFrame& form);
// Search Again: the next row holding the text of the last find.
void SearchCurrentTableAgain(WindowFrame& form);
// Go to Line Number.
void GoToLineOfCurrentTable(WindowFrame& form);
// A click on a column header: sorts by that column, the next click on it
// reverses the order. It needs no more of the window than its tabs and
// the sort settings.
void SortTableByColumn(WindowTabs& tabs, const SortSettings& settings, TabId id, int column);
// The two exports.
void ExportCurrentTableToXml(WindowFrame& form);
void ExportCurrentTableToText(WindowFrame& form);

} // namespace vc
