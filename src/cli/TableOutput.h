#pragma once

#include "cli/CommandLine.h"
#include "tables/ExportEncoding.h"
#include "tables/RowSink.h"
#include "tables/TableModel.h"

#include <QFile>

#include <functional>
#include <memory>

namespace vc {

// Writes a finished table where the options say: --tsv FILE (CR LF line
// ends), --xml FILE, or tab-delimited to stdout (LF). Returns the exit
// status: 1 when the output cannot be written (the path is named on
// stderr), 2 when the asked format is not available.
int writeTableOutput(const TableModel& table, const CliOptions& options, const QString& title);

// The encoding of tab-delimited output: --encoding (encodingOption) when
// given; else UTF-8 on standard output when the locale is UTF-8 (what a
// terminal and the tools it pipes into read); else the table's own.
ExportEncoding outputEncoding(const QString& encodingOption, const TableModel& table,
                              bool toStdout);

// Writes tab-delimited rows as they come, so a large source never has to
// sit in memory as a whole table. Used when no --xml is asked. As a row
// sink it writes each row as the export writes a table's row (missing cells
// empty, cells beyond the columns dropped, a zero byte as a space); it has
// no rows to take back, so clearRows does nothing.
class TabRowStream : public RowSink {
public:
    // Opens --tsv FILE or stdout; false after naming the path on stderr.
    bool open(const CliOptions& options);
    // The captions of the layout's columns; rows have its columns from then
    // on and are written as its tab-delimited export writes them, in the
    // output's encoding (outputEncoding). The layout must outlive the stream.
    void writeHeader(const TableModel& layout);
    // RowSink
    int columns() const override { return m_columns; }
    void appendCells(const QByteArrayView* cells, int count) override;
    void clearRows() override {}
    // One row whose cells appendCells appends to the buffer it is given,
    // joined by tabs.
    template <typename AppendCells> void writeRowWith(AppendCells appendCells) {
        appendCells(m_buffer);
        endRow();
    }
    // Rows already laid out from a code-page table's cells, each with the
    // line end of lineEnd(); converted when the output is UTF-8.
    void writeRows(QByteArrayView rows);
    const QByteArray& lineEnd() const { return m_lineEnd; }
    // Flushes; the exit status.
    int finish();

private:
    void endRow();
    void writeLaidOut(QByteArrayView rows);

    QFile m_out;
    QString m_name;
    QByteArray m_lineEnd;
    QByteArray m_buffer;
    int m_columns = 0;
    const TableModel* m_layout = nullptr;
    QString m_encodingOption;
    bool m_toStdout = false;
    ExportEncoding m_encoding = ExportEncoding::CodePage;
    bool m_failed = false;
};

// Runs a loader into the output the options ask for and writes it: with
// --xml into the table, which is then written whole; otherwise straight into
// a tab-delimited stream, each row written as it comes. load returns false
// when it failed (its failure reported); the exit status is then kExitInput.
// Otherwise the output's exit status.
int writeLoadedRows(TableModel& table, const CliOptions& options, const QString& title,
                    const std::function<bool(RowSink& rows)>& load);

} // namespace vc
