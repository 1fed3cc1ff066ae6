#pragma once

#include <QByteArray>
#include <QList>

namespace vc {

class Progress;
class TableModel;

// Replaces the rows of table by one row per row line of lines, inside one
// bulk update: header sort marks and the sort hint are cleared first. Cells
// are taken from the line's tab-separated fields in turn; once no tab is
// left, every later column repeats the rest of the line. The progress bar
// (if any) moves forward by progressShare in all. lines is emptied.
void LinesToTable(QList<QByteArray>& lines, TableModel& table, Progress* progress,
                  int progressShare);

// The cells of one row line for a table of `columns` columns.
QList<QByteArray> rowLineCells(const QByteArray& line, int columns);

} // namespace vc
