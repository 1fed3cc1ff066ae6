#pragma once

#include "tables/TableModel.h"

#include <QByteArray>

#include <vector>

namespace vc {

// What a find looks for: a text (in the table's bytes), the columns whose
// cells make up each row's text, and whether letter case counts.
struct RowSearch {
    QByteArray text;
    std::vector<bool> columns; // by column number; missing entries are unchecked
    bool caseSensitive = false;
};

// The first row, from `start` moving by `step` (+1 or -1) while the index
// lies within the table, whose text contains the search text; -1 when none
// does. A row's text is its checked cells joined without any separator, so
// a text spanning two adjacent checked cells matches. Without case
// sensitivity letters a-z match A-Z; other bytes match only themselves.
int findRow(const TableModel& table, const RowSearch& search, int start, int step);

} // namespace vc
