#include "tables/RowCopy.h"

#include "tables/TableModel.h"

namespace vc {

namespace {

void appendField(QString& out, QString text) {
    for (QChar& c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    out += text;
}

} // namespace

QString rowsAsTabText(const TableModel& table, const std::vector<int>& rows) {
    QString out;
    const std::vector<int>& columns = table.shownColumns();
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            out += QLatin1Char('\t');
        appendField(out, table.caption(columns[i]));
    }
    out += QLatin1Char('\n');
    for (int row : rows) {
        if (row < 0 || row >= table.rows())
            continue;
        for (size_t i = 0; i < columns.size(); ++i) {
            if (i > 0)
                out += QLatin1Char('\t');
            appendField(out, table.cellText(row, columns[i]));
        }
        out += QLatin1Char('\n');
    }
    return out;
}

} // namespace vc
