#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QVarLengthArray>

namespace vc {

// Where a loader delivers its rows, one list of cells each (the bytes of the
// source; missing cells are empty, cells beyond the sink's columns are
// dropped, a zero byte inside a cell reads as a space). A table keeps them;
// a command-line output writes them out as they come.
class RowSink {
public:
    virtual ~RowSink() = default;

    // The number of cells a row has here.
    virtual int columns() const = 0;
    // One row of count cells.
    virtual void appendCells(const QByteArrayView* cells, int count) = 0;
    // Starts a new fill: the rows delivered so far go (a table also forgets
    // its sort marks and hint). A sink that writes rows out as they come has
    // none to take back; loaders start a fill before their first row.
    virtual void clearRows() = 0;
    // Around many rows: a table tells its views once, at the end.
    virtual void beginRows() {}
    virtual void endRows() {}

    void appendRow(const QList<QByteArray>& cells) {
        QVarLengthArray<QByteArrayView, 16> views;
        for (const QByteArray& cell : cells)
            views.append(cell);
        appendCells(views.constData(), int(views.size()));
    }
};

// Keeps a sink inside beginRows and endRows for a scope, also when a step
// throws.
class RowBatch {
public:
    explicit RowBatch(RowSink& rows) : m_rows(rows) { m_rows.beginRows(); }
    ~RowBatch() { m_rows.endRows(); }
    RowBatch(const RowBatch&) = delete;
    RowBatch& operator=(const RowBatch&) = delete;

private:
    RowSink& m_rows;
};

} // namespace vc
