#pragma once

#include "cli/CommandLine.h"
#include "tables/RowSink.h"
#include "tables/TableModel.h"

#include <QFile>

#include <memory>

namespace vc {

// Writes a finished table where the options say: --tsv FILE (CR LF line
// ends), --xml FILE, or tab-delimited to stdout (LF). Returns the exit
// status: 1 when the output cannot be written (the path is named on
// stderr), 2 when the asked format is not available.
int writeTableOutput(const TableModel& table, const CliOptions& options, const QString& title);

// Writes tab-delimited rows as they come, so a large source never has to
// sit in memory as a whole table. Used when no --xml is asked.
class TabRowStream {
public:
    // Opens --tsv FILE or stdout; false after naming the path on stderr.
    bool open(const CliOptions& options);
    void writeHeader(const TableModel& layout);
    void writeRow(const QList<QByteArray>& cells, int columns);
    // One row whose cells appendCells appends to the buffer it is given,
    // joined by tabs.
    template <typename AppendCells> void writeRowWith(AppendCells appendCells) {
        appendCells(m_buffer);
        endRow();
    }
    // Rows already laid out, each with the line end of lineEnd().
    void writeRows(QByteArrayView rows);
    const QByteArray& lineEnd() const { return m_lineEnd; }
    // Flushes; the exit status.
    int finish();

private:
    void endRow();

    QFile m_out;
    QString m_name;
    QByteArray m_lineEnd;
    QByteArray m_buffer;
    bool m_failed = false;
};

// A row sink that writes each row to a stream as it comes, laid out as the
// tab-delimited export of the given table writes it (appendExportCell).
class TabStreamSink : public RowSink {
public:
    TabStreamSink(TabRowStream& out, const TableModel& layout) : m_out(out), m_layout(layout) {}
    void appendRow(const QList<QByteArray>& cells) override;

private:
    TabRowStream& m_out;
    const TableModel& m_layout;
};

} // namespace vc
