#include "cache/ActivityTable.h"

namespace vc {

QByteArray FileExtensionLower(const QByteArray& fileName) {
    for (qsizetype i = fileName.size() - 1; i >= 0; --i) {
        const char c = fileName[i];
        if (c == '.')
            return fileName.mid(i).toLower();
        if (c == '\\' || c == '/' || c == ':')
            break;
    }
    return QByteArray();
}

QList<QByteArray> ActivityRowCells(const QByteArray& workFileLine) {
    // Six fields end at the first six tabs; the rest of the line is the
    // seventh (the header), whatever it holds.
    QByteArray fields[7];
    qsizetype from = 0;
    int f = 0;
    for (; f < 6; ++f) {
        const qsizetype tab = workFileLine.indexOf('\t', from);
        if (tab < 0)
            break;
        fields[f] = workFileLine.mid(from, tab - from);
        from = tab + 1;
    }
    fields[f] = workFileLine.mid(from);

    // URL, modification time, access time, file name, extension, type,
    // directory, header.
    return {fields[1], fields[2], fields[3], fields[4], FileExtensionLower(fields[4]),
            fields[0], fields[5], fields[6]};
}

void FillActivityRows(const QList<QByteArray>& lines, TableModel& table, Progress* progress,
                      int share) {
    const int start = progressStart(progress);
    const qsizetype n = lines.size();
    table.reserveRows(table.rows() + int(n));
    for (qsizetype k = 0; k < n; ++k) {
        table.appendRow(ActivityRowCells(lines[k]));
        if (progress)
            progress->raiseTo(start + int(double(k) / double(n) * share));
    }
    if (progress && n > 0)
        progress->raiseTo(start + share);
}

} // namespace vc
