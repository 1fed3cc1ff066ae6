#pragma once

#include <QString>

#include <vector>

namespace vc {

class TableModel;

// Rows of a table as tab-delimited text for the clipboard: the captions of
// the shown columns (in their order) on the first line, then one line per
// shown row in the order given,
// each cell as the table shows it (decoded with the table's cell encoding).
// A tab or line break inside a cell becomes a space, so every row stays one
// line of as many fields as the table shows columns. Rows outside the table
// are left out.
QString rowsAsTabText(const TableModel& table, const std::vector<int>& rows);

} // namespace vc
