#pragma once

#include "app/WindowLayer.h"

namespace vc {

class TForm1;
enum class TabId;

// The table tools, always on the current table.
// Find: the find window, then the first row holding the text.
void FindInCurrentTable(TForm1& form);
// Search Again: the next row holding the text of the last find.
void SearchCurrentTableAgain(TForm1& form);
// Go to Line Number.
void GoToLineOfCurrentTable(TForm1& form);
// A click on a column header: sorts by that column, the next click on it
// reverses the order.
void SortTableByColumn(TForm1& form, TabId id, int column);
// The two exports.
void ExportCurrentTableToXml(TForm1& form);
void ExportCurrentTableToText(TForm1& form);

} // namespace vc
