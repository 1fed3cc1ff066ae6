#pragma once

#include "app/WindowLayer.h"

namespace vc {

struct TableTab;

// The row of a tab's table that the user has focused (the current row of
// its view), as a row of the tab's model; -1 when no row is focused. The
// file actions, the detail pane and the copy of rows all start from it.
int focusedRow(const TableTab& t);

// Makes a row of the tab's model the focused row, its only selected row and
// the anchor of a selection the user extends with Shift, gives the table the
// focus and scrolls the row into view. Nothing happens for a row that is not
// there.
void focusRow(TableTab& t, int row);

} // namespace vc
