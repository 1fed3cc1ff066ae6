#pragma once

#include "browsers/BrowserSources.h"
#include "tables/TableModel.h"

#include <QByteArray>
#include <QList>

#include <vector>

namespace vc {

class RecallConditionSet;
class RowSink;

// Builds the rows of one browser table and hands those that pass the row
// filter to the sink. A reader fills the cells of a row, then calls write();
// the last five cells (browser, browser profile, source file, the files
// read, the browser's place) are set from the current source. The cell buffers are reused from
// row to row.
class BrowserRowWriter {
public:
    // accessTimeColumn: the date column the filter's date conditions test.
    BrowserRowWriter(RowSink& sink, const RecallConditionSet* filter,
                     std::vector<TableColumn> columns, int accessTimeColumn);

    void setSource(const BrowserDatabase& database, const QString& readFrom);

    // A cell of the current row, empty at the start of each row.
    QByteArray& cell(int column) { return m_cells[column]; }
    // Control characters become spaces (a cell holds no tab or line break;
    // a zero byte ends it), then the row goes to the filter and the sink.
    void write();

    // Rows delivered to the sink so far.
    int rows() const { return m_rows; }

private:
    QByteArray wholeRowText() const;

    RowSink& m_sink;
    const RecallConditionSet* m_filter;
    std::vector<TableColumn> m_columns;
    int m_accessTimeColumn;
    int m_sourceColumn;    // first of the five source cells
    bool m_recode = false; // the filter compares code-page bytes
    QList<QByteArray> m_cells;
    int m_rows = 0;
};

} // namespace vc
