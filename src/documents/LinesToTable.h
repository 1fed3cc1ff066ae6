#pragma once

#include <QByteArray>
#include <QList>

namespace vc {

class Progress;
class RowSink;

// Replaces the rows of a table (or starts an output) by one row per row line
// of lines, as one fill: a table clears its sort marks and hint first.
// Cells are taken from the line's tab-separated fields in turn; once no tab
// is left, every later column repeats the rest of the line. The progress bar
// (if any) moves forward by progressShare in all. lines is emptied.
void LinesToTable(QList<QByteArray>& lines, RowSink& rows, Progress* progress, int progressShare);

// The cells of one row line for a table of `columns` columns.
QList<QByteArray> rowLineCells(const QByteArray& line, int columns);

} // namespace vc
