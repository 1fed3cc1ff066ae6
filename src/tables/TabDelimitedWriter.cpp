#include "tables/TabDelimitedWriter.h"

namespace vc {

bool WriteTabDelimited(const TableModel& table, QIODevice& out, const QByteArray& lineEnd,
                       Progress* progress) {
    const int columns = table.columns();
    QByteArray line;
    for (int c = 0; c < columns; ++c) {
        if (c > 0)
            line.append('\t');
        line.append(table.encodeText(table.caption(c)));
    }
    line.append(lineEnd);
    if (out.write(line) != line.size())
        return false;

    const int rows = table.rows();
    QByteArray chunk;
    const bool utf8 = table.cellEncoding() == CellEncoding::Utf8;
    for (int r = 0; r < rows; ++r) {
        if (utf8) {
            for (int c = 0; c < columns; ++c) {
                if (c > 0)
                    chunk.append('\t');
                table.appendExportCell(c, table.cellView(r, c), chunk);
            }
        } else {
            chunk.append(table.joinedRow(r, '\t'));
        }
        chunk.append(lineEnd);
        if (chunk.size() >= (1 << 16)) {
            if (out.write(chunk) != chunk.size())
                return false;
            chunk.clear();
        }
        if (progress)
            progress->raiseTo(int(double(r) / double(rows + 1) * 100.0));
    }
    return chunk.isEmpty() || out.write(chunk) == chunk.size();
}

} // namespace vc
