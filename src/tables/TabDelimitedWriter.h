#pragma once

#include "platform/Progress.h"
#include "tables/ExportEncoding.h"
#include "tables/TableModel.h"

#include <QByteArray>
#include <QIODevice>

namespace vc {

// Writes a table as tab-delimited text: the captions of the shown columns in
// their order, then one line per shown row in the table's order, nothing escaped, each line ended
// by lineEnd
// ("\r\n" in files, "\n" on a terminal). Captions and cells are written in
// the given encoding: in the table's own (naturalExportEncoding) every cell
// is the bytes it is; in the other, cells are converted (appendCellAs).
// Moves the bar to i / (N + 1) x 100 as rows go out. False when a write
// fails.
bool WriteTabDelimited(const TableModel& table, QIODevice& out, const QByteArray& lineEnd,
                       Progress* progress, ExportEncoding encoding);

} // namespace vc
