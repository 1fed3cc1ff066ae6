#pragma once

#include "platform/Progress.h"
#include "tables/TableModel.h"

#include <QByteArray>
#include <QList>

namespace vc {

// The extension of a file name with its dot, in small letters; empty when
// the name has none.
QByteArray FileExtensionLower(const QByteArray& fileName);

// The cells of the Activity row of one work-file line: the first six fields
// are cut at the first six tabs, the rest of the line is the seventh.
QList<QByteArray> ActivityRowCells(const QByteArray& workFileLine);
// The same cells joined by tabs, appended to out: the row of a tab-delimited
// export without a cell list per row.
void AppendActivityRowText(QByteArrayView workFileLine, QByteArray& out);

// Appends one Activity row per work-file line (URL, modification time,
// access time, file name, extension, type, directory, header), moving the
// bar from its position by up to share units. The caller runs the bulk
// update and empties the table first.
void FillActivityRows(const QList<QByteArray>& lines, TableModel& table, Progress* progress,
                      int share);

} // namespace vc
