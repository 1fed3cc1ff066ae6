#pragma once

#include "platform/LoadContext.h"
#include "platform/TimeValue.h"
#include "tables/RowSink.h"
#include "windows/WindowsColumns.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace vc {

class Progress;
class RecallConditionSet;

// What the load of one of the Windows tables came to.
struct WindowsLoadResult {
    int rows = 0;     // rows delivered to the sink (after the row filter)
    int inputs = 0;   // hives, keys, files or databases read
    int failures = 0; // of those, the ones read only in part or not at all

    WindowsLoadResult& operator+=(const WindowsLoadResult& other) {
        rows += other.rows;
        inputs += other.inputs;
        failures += other.failures;
        return *this;
    }
};

// Builds the rows of one of the Windows tables and hands those that pass the
// row filter to the sink. A reader fills the cells of a row, then calls
// write(); the cells start empty for every row. Text cells are UTF-8 with
// control characters turned into spaces; date cells are time cells.
class WindowsRowWriter {
public:
    WindowsRowWriter(WindowsTable table, RowSink& sink, const RecallConditionSet* filter);
    // The same for another table laid out like these (the Thumbnails
    // table): its columns and the date column its filter tests. The note
    // column is the last "Note" column.
    WindowsRowWriter(std::vector<TableColumn> columns, int dateColumn, RowSink& sink,
                     const RecallConditionSet* filter);

    void setText(int column, const QString& text);
    void setNumber(int column, qint64 number);
    // An empty time leaves the cell empty.
    void setTime(int column, const std::optional<TimeValue>& time);
    void setFileTime(int column, quint64 fileTime);
    // A text cell that stays for the following rows too, until set again
    // (the file the rows come from).
    void keepText(int column, const QString& text);
    // Adds a note to the row's note cell (notes are joined by "; "; each once).
    void addNote(const QString& note);

    // The row goes to the filter and, when it passes, to the sink; true when
    // it was delivered.
    bool write();
    int rows() const { return m_rows; }

private:
    QByteArray filterRowText() const;

    RowSink& m_sink;
    const RecallConditionSet* m_filter;
    std::vector<TableColumn> m_columns;
    int m_dateColumn;
    int m_noteColumn;
    bool m_recode = false; // the filter compares code-page bytes
    QList<QByteArray> m_cells;
    QStringList m_notes;
    QList<bool> m_kept;
    int m_rows = 0;
};

// Moves a load's progress bar over its share as the inputs are done.
class LoadSteps {
public:
    LoadSteps(const LoadContext& context, qsizetype count);
    // Input i (from 0) is done.
    void done(qsizetype i);
    // The whole share is done.
    void finish();

private:
    Progress* m_progress;
    int m_start;
    int m_share;
    qsizetype m_count;
};

// The load of one input into one of the tables, in one batch of the sink:
// read(writer) writes the rows and gives the number of inputs it read; the
// bar takes its whole share at the end.
template <typename Read>
WindowsLoadResult loadOneInput(WindowsTable table, const LoadContext& context, RowSink& sink,
                               Read read) {
    RowBatch batch(sink);
    WindowsRowWriter writer(table, sink, context.filter);
    WindowsLoadResult result;
    result.inputs = read(writer);
    context.noteInputRead();
    LoadSteps(context, 1).finish();
    result.rows = writer.rows();
    return result;
}

// "h:mm:ss" of a duration in whole seconds.
QString durationText(quint64 seconds);

// "text:", a line break, the path, and what went wrong on the next line:
// a report of the Windows tables.
QString windowsReport(int text, const QString& path, const QString& detail = QString());

} // namespace vc
