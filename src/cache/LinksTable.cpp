#include "cache/LinksTable.h"

#include "cache/FavoriteFile.h"
#include "documents/LinesToTable.h"

#include <QFile>

namespace vc {

QList<QByteArray> LinksRowCells(const QByteArray& rowLine, const QByteArray& address) {
    // Five fields are taken for the first four columns: the second (the
    // extension) is dropped.
    QList<QByteArray> cells = rowLineCells(rowLine, 5);
    cells.removeAt(1);
    cells.append(address);
    return cells;
}

void FillLinksRows(const QList<QByteArray>& lines, TableModel& table, Progress* progress,
                   int share) {
    const int start = progressStart(progress);
    const qsizetype n = lines.size();
    table.reserveRows(table.rows() + int(n));
    for (qsizetype i = 0; i < n; ++i) {
        const QList<QByteArray> fields = rowLineCells(lines[i], 5);
        const QByteArray& path = fields[4];
        const QByteArray address = path.toLower().endsWith(".url")
                                       ? FavoriteAddress(QFile::decodeName(path))
                                       : QByteArray();
        table.appendRow(LinksRowCells(lines[i], address));
        if (progress)
            progress->raiseTo(start + int(double(i) / double(n) * share));
    }
    if (progress)
        progress->raiseTo(start + share);
}

} // namespace vc
