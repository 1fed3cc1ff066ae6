#include "tables/TabDelimitedWriter.h"

namespace vc {

bool WriteTabDelimited(const TableModel& table, QIODevice& out, const QByteArray& lineEnd,
                       Progress* progress, ExportEncoding encoding) {
    // The shown columns in their order; the rows shown.
    const std::vector<int>& columns = table.shownColumns();
    QByteArray line;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            line.append('\t');
        line.append(encodeTextAs(table.caption(columns[i]), encoding));
    }
    line.append(lineEnd);
    if (out.write(line) != line.size())
        return false;

    const int rows = table.rows();
    QByteArray chunk;
    // A code-page table in its code page: each row's stored bytes as they are.
    const bool asStored = encoding == ExportEncoding::CodePage &&
                          table.cellEncoding() == CellEncoding::SourceCodePage &&
                          table.allColumnsInOrder();
    for (int r = 0; r < rows; ++r) {
        if (!asStored) {
            for (size_t i = 0; i < columns.size(); ++i) {
                if (i > 0)
                    chunk.append('\t');
                appendCellAs(table, columns[i], table.cellView(r, columns[i]), encoding, chunk);
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
