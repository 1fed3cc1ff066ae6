#pragma once

#include "cache/RecordDecoders.h"
#include "platform/Progress.h"
#include "platform/WorkFile.h"
#include "tables/RowSink.h"

#include <QByteArray>
#include <QList>

namespace vc {

// The extension of a file name with its dot, in small letters; empty when
// the name has none.
QByteArray FileExtensionLower(const QByteArray& fileName);

// The cells of the Activity row of one work-file line: the first six fields
// are cut at the first six tabs, the rest of the line is the seventh.
QList<QByteArray> ActivityRowCells(const QByteArray& workFileLine);
// The cells of the Activity row of one record's fields joined by tabs,
// appended to out: the row of a tab-delimited export without a work-file
// line or a cell list in between.
void AppendActivityRowText(const RecordFields& fields, QByteArray& out);

// Delivers the Activity row of one work-file line, the cells of
// ActivityRowCells without a list of copies.
void AppendActivityRow(QByteArrayView workFileLine, RowSink& rows);

// Delivers one Activity row per work-file line (URL, modification time,
// access time, file name, extension, type, directory, header), moving the
// bar from its position by up to share units (to start + share at the end
// when there were lines). The caller starts the fill.
void FillActivityRows(LineSource& lines, RowSink& rows, Progress* progress, int share);

} // namespace vc
