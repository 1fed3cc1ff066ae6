#include "tables/TabDelimitedWriter.h"

namespace vc {

bool WriteTabDelimited(const TableModel& table, QIODevice& out, const QByteArray& lineEnd,
                       Progress* progress, ExportEncoding encoding) {
    const int columns = table.columns();
    QByteArray line;
    for (int c = 0; c < columns; ++c) {
        if (c > 0)
            line.append('\t');
        line.append(encodeTextAs(table.caption(c), encoding));
    }
    line.append(lineEnd);
    if (out.write(line) != line.size())
        return false;

    const int rows = table.rows();
    QByteArray chunk;
    // A code-page table in its code page: each row's stored bytes as they are.
    const bool asStored = encoding == ExportEncoding::CodePage &&
                          table.cellEncoding() == CellEncoding::SourceCodePage;
    for (int r = 0; r < rows; ++r) {
        if (!asStored) {
            for (int c = 0; c < columns; ++c) {
                if (c > 0)
                    chunk.append('\t');
                appendCellAs(table, c, table.cellView(r, c), encoding, chunk);
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
