#include "documents/LinesToTable.h"

#include "platform/Progress.h"
#include "tables/LineFill.h"
#include "tables/RowSink.h"

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

void LinesToTable(QList<QByteArray>& lines, RowSink& rows, Progress* progress, int progressShare) {
    RowBatch batch(rows);
    rows.clearRows();
    const int columns = rows.columns();
    ListLines source(lines);
    FillRowsFrom(source, progress, progressShare, EmptyFill::FinishBar, [&](QByteArrayView line) {
        rows.appendRow(rowLineCells(line.toByteArray(), columns));
    });
    lines.clear();
}

} // namespace vc
