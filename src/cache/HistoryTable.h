#pragma once

#include "platform/Progress.h"
#include "platform/WorkFile.h"
#include "tables/RowSink.h"

#include <QByteArray>
#include <QList>

namespace vc {

// Removes pattern where it starts or ends the text and turns every other
// occurrence into replacement, as if the first occurrence were handled
// again and again until none is left (start: removed; end: removed;
// elsewhere: replaced). The replacement must not itself hold the pattern.
// Done in one pass, so an address full of "%20" costs no more than its
// length.
QByteArray ReplaceEscapedSpaces(const QByteArray& text, const QByteArray& pattern = "%20",
                                const QByteArray& replacement = " ");

// The text after the first "@", or the whole text when it has none.
QByteArray AfterFirstAt(const QByteArray& text);

// The cells of the History row of one work-file line (type, URL, modified,
// accessed, file name, directory, header): the URL after its first "@" with
// escaped spaces resolved, the two times, the type, and the rest of the
// line with its tabs (and any other control bytes) turned into spaces.
QList<QByteArray> HistoryRowCells(const QByteArray& workFileLine);

// Delivers one History row per work-file line, moving the bar from its
// position by up to share units (to start + share when there were lines).
// Rows delivered before stay; the caller starts the fill.
void FillHistoryRows(LineSource& lines, RowSink& rows, Progress* progress, int share);

} // namespace vc
