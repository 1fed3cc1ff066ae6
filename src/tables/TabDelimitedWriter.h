#pragma once

#include "platform/Progress.h"
#include "tables/TableModel.h"

#include <QByteArray>
#include <QIODevice>

namespace vc {

// Writes a table as tab-delimited text: the column captions, then one line
// per row in the table's order, cells as the bytes they are (nothing
// escaped), each line ended by lineEnd ("\r\n" in files, "\n" on a
// terminal). The captions are written in the table's cell encoding, so a
// UTF-8 table gives a UTF-8 file (TableModel::appendExportCell). Moves the bar to i / (N + 1) x 100
// as rows go out. False when a write fails.
bool WriteTabDelimited(const TableModel& table, QIODevice& out, const QByteArray& lineEnd,
                       Progress* progress);

} // namespace vc
