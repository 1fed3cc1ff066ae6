#include "browsers/BrowserRowWriter.h"

#include "cache/IndexFormat.h"
#include "platform/CodePage.h"
#include "recall/RecallConditions.h"
#include "recall/RecallFilter.h"
#include "tables/RowSink.h"

#include <QFile>

namespace vc {

namespace {

bool isAscii(const QByteArray& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

BrowserRowWriter::BrowserRowWriter(RowSink& sink, const RecallConditionSet* filter,
                                   std::vector<TableColumn> columns, int accessTimeColumn)
    : m_sink(sink), m_filter(filter && !filter->isEmpty() ? filter : nullptr),
      m_columns(std::move(columns)), m_accessTimeColumn(accessTimeColumn),
      m_sourceColumn(int(m_columns.size()) - 5), m_cells(qsizetype(m_columns.size())) {
    m_recode = m_filter && sourceCodePage().compare(QLatin1String("utf-8"), Qt::CaseInsensitive);
}

void BrowserRowWriter::setSource(const BrowserDatabase& database, const QString& readFrom) {
    m_cells[m_sourceColumn] = browserName(database.browser).toUtf8();
    m_cells[m_sourceColumn + 1] = database.profileName.toUtf8();
    m_cells[m_sourceColumn + 2] = QFile::encodeName(database.path);
    m_cells[m_sourceColumn + 3] = readFrom.toUtf8();
    m_cells[m_sourceColumn + 4] = database.place.toUtf8();
    for (int c = m_sourceColumn; c < m_sourceColumn + 5; ++c)
        CleanControlChars(m_cells[c]);
}

void BrowserRowWriter::write() {
    // Date cells hold the program's time cells, not the database's text.
    for (int c = 0; c < m_sourceColumn; ++c)
        if (!m_columns[size_t(c)].isDate)
            CleanControlChars(m_cells[c]);
    if (!m_filter ||
        PassesRecallConditions(*m_filter, wholeRowText(), m_cells[m_accessTimeColumn])) {
        m_sink.appendRow(m_cells);
        ++m_rows;
    }
    // Emptied in place: the buffers keep their room for the next row.
    for (int c = 0; c < m_sourceColumn; ++c)
        m_cells[c].resize(0);
}

// The cells joined by single spaces. The filter's phrase is held in the
// source code page, as it is for every other table; the text cells of these
// tables are UTF-8, so they are put into that code page for the comparison
// (the date cells already are in it).
QByteArray BrowserRowWriter::wholeRowText() const {
    QByteArray text;
    for (int c = 0; c < int(m_cells.size()); ++c) {
        if (c > 0)
            text += ' ';
        const QByteArray& cell = m_cells[c];
        if (m_recode && !m_columns[size_t(c)].isDate && !isAscii(cell))
            text += encodeEvidence(QString::fromUtf8(cell));
        else
            text += cell;
    }
    return text;
}

} // namespace vc
