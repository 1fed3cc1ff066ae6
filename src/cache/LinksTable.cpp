#include "cache/LinksTable.h"

#include "documents/LinesToTable.h"

namespace vc {

QList<QByteArray> LinksRowCells(const QByteArray& rowLine) {
    // Five fields are taken for the four columns: the second (the
    // extension) is dropped.
    QList<QByteArray> cells = rowLineCells(rowLine, 5);
    cells.removeAt(1);
    return cells;
}

void FillLinksRows(const QList<QByteArray>& lines, TableModel& table, Progress* progress,
                   int share) {
    const int start = progressStart(progress);
    const qsizetype n = lines.size();
    table.reserveRows(table.rows() + int(n));
    for (qsizetype i = 0; i < n; ++i) {
        table.appendRow(LinksRowCells(lines[i]));
        if (progress)
            progress->raiseTo(start + int(double(i) / double(n) * share));
    }
    if (progress)
        progress->raiseTo(start + share);
}

} // namespace vc
