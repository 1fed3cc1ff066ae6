#include "windows/WindowsRowWriter.h"

#include "cache/IndexFormat.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "platform/LoadContext.h"
#include "platform/Progress.h"
#include "recall/RecallConditions.h"
#include "recall/RecallFilter.h"
#include "tables/RowSink.h"

namespace vc {

WindowsRowWriter::WindowsRowWriter(WindowsTable table, RowSink& sink,
                                   const RecallConditionSet* filter)
    : WindowsRowWriter(windowsTableColumns(table), windowsFilterDateColumn(table), sink, filter) {}

WindowsRowWriter::WindowsRowWriter(std::vector<TableColumn> columns, int dateColumn, RowSink& sink,
                                   const RecallConditionSet* filter)
    : m_sink(sink), m_filter(filter && !filter->isEmpty() ? filter : nullptr),
      m_columns(std::move(columns)), m_dateColumn(dateColumn),
      m_noteColumn(int(m_columns.size()) - 1), m_cells(qsizetype(m_columns.size())),
      m_kept(qsizetype(m_columns.size()), false) {
    for (int c = int(m_columns.size()) - 1; c >= 0; --c)
        if (m_columns[size_t(c)].captionText == TextNote) {
            m_noteColumn = c;
            break;
        }
    m_recode = m_filter && sourceCodePage().compare(QLatin1String("utf-8"), Qt::CaseInsensitive);
}

void WindowsRowWriter::setText(int column, const QString& text) {
    QByteArray& cell = m_cells[column];
    cell = text.toUtf8();
    CleanControlChars(cell);
}

void WindowsRowWriter::setNumber(int column, qint64 number) {
    m_cells[column] = QByteArray::number(number);
}

void WindowsRowWriter::setTime(int column, const std::optional<TimeValue>& time) {
    QByteArray& cell = m_cells[column];
    cell.resize(0);
    if (time)
        appendTimeCell(*time, cell);
}

void WindowsRowWriter::setFileTime(int column, quint64 fileTime) {
    setTime(column, fileTimeValue(fileTime));
}

void WindowsRowWriter::keepText(int column, const QString& text) {
    setText(column, text);
    m_kept[column] = true;
}

void WindowsRowWriter::addNote(const QString& note) {
    if (!note.isEmpty() && !m_notes.contains(note))
        m_notes << note;
}

bool WindowsRowWriter::write() {
    if (!m_notes.isEmpty())
        setText(m_noteColumn, m_notes.join(QStringLiteral("; ")));
    bool passes = true;
    if (m_filter)
        passes =
            PassesRecallConditions(*m_filter, filterRowText(), cellTimeText(m_cells[m_dateColumn]));
    if (passes) {
        m_sink.appendRow(m_cells);
        ++m_rows;
    }
    for (qsizetype c = 0; c < m_cells.size(); ++c)
        if (!m_kept[c])
            m_cells[c].resize(0); // the buffers keep their room for the next row
    m_notes.clear();
    return passes;
}

// The cells joined by single spaces, as the filter judges a row: a time as
// its text, and the text cells in the source code page, in which the
// filter holds its phrase (as for every other table).
QByteArray WindowsRowWriter::filterRowText() const {
    QByteArray text;
    for (qsizetype c = 0; c < m_cells.size(); ++c) {
        if (c > 0)
            text += ' ';
        const QByteArray& cell = m_cells[c];
        if (isTimeCell(cell))
            text += cellTimeText(cell);
        else if (m_recode)
            text += encodeEvidence(QString::fromUtf8(cell));
        else
            text += cell;
    }
    return text;
}

LoadSteps::LoadSteps(const LoadContext& context, qsizetype count)
    : m_progress(context.progress), m_start(progressStart(context.progress)),
      m_share(context.share), m_count(count) {}

void LoadSteps::done(qsizetype i) {
    if (m_progress && m_count > 0)
        m_progress->raiseTo(m_start + int(m_share * (i + 1) / m_count));
}

void LoadSteps::finish() {
    if (m_progress)
        m_progress->raiseTo(m_start + m_share);
}

QString durationText(quint64 seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString windowsReport(int text, const QString& path, const QString& detail) {
    QString message = tx(text) + QStringLiteral(":\n") + path;
    if (!detail.isEmpty())
        message += QLatin1Char('\n') + detail;
    return message;
}

} // namespace vc
