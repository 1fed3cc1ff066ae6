#pragma once

#include <QString>

namespace vc {

// The sort state a table keeps in its hint: the sorted column in decimal
// digits, "|", and "1" for ascending or "0" for descending. An empty hint
// means the table is unsorted.
struct SortState {
    int column = -1;
    bool ascending = false;
};

// Reads a hint; an empty or unreadable hint gives the unsorted state.
SortState readSortState(const QString& hint);
QString sortStateHint(const SortState& state);

// The state after a click on a column: the same column again reverses the
// direction, any other column starts ascending.
SortState nextSortState(const SortState& current, int clickedColumn);

} // namespace vc
