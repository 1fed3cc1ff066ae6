#include "cache/LinksTable.h"

#include "cache/FavoriteFile.h"
#include "documents/LinesToTable.h"
#include "tables/LineFill.h"

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

void FillLinksRows(LineSource& lines, RowSink& rows, Progress* progress, int share,
                   const EvidenceFiles& files) {
    FillRowsFrom(lines, progress, share, EmptyFill::FinishBar, [&](QByteArrayView line) {
        const QByteArray rowLine = line.toByteArray();
        const QList<QByteArray> fields = rowLineCells(rowLine, 5);
        const QByteArray& path = fields[4];
        const QByteArray address = path.toLower().endsWith(".url")
                                       ? FavoriteAddress(QFile::decodeName(path), files)
                                       : QByteArray();
        rows.appendRow(LinksRowCells(rowLine, address));
    });
}

} // namespace vc
