#include "documents/LinesToTable.h"

#include "platform/Progress.h"
#include "tables/TableModel.h"

namespace vc {

QList<QByteArray> rowLineCells(const QByteArray& line, int columns) {
    QList<QByteArray> cells;
    cells.reserve(columns);
    qsizetype from = 0;
    for (int c = 0; c < columns; ++c) {
        const qsizetype tab = line.indexOf('\t', from);
        if (tab < 0) {
            // No tab left: the rest is the field, and stays the rest.
            cells.append(line.mid(from));
            continue;
        }
        cells.append(line.mid(from, tab - from));
        from = tab + 1;
    }
    return cells;
}

void LinesToTable(QList<QByteArray>& lines, TableModel& table, Progress* progress,
                  int progressShare) {
    const int start = progressStart(progress);
    table.beginBulkUpdate();
    table.removeAllRows();
    table.clearHeaderImages();
    table.setHint(QString());
    const qsizetype n = lines.size();
    table.reserveRows(int(n));
    const int columns = table.columns();
    for (qsizetype i = 0; i < n; ++i) {
        table.appendRow(rowLineCells(lines.at(i), columns));
        if (progress)
            progress->raiseTo(start + int(double(i) / double(n) * progressShare));
    }
    if (progress)
        progress->raiseTo(start + progressShare);
    table.endBulkUpdate();
    lines.clear();
}

} // namespace vc
