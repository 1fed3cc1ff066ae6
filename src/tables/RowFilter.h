#pragma once

#include "platform/TimeText.h"
#include "tables/TableModel.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace vc {

// What a table's filter box keeps: the rows that hold a text in one of the
// shown columns, letter case ignored, each cell as the table shows it (a
// time cell as its time text). A match lies inside one cell: the text never
// spans two.
//
// Letters compare without case in the table's own bytes: a-z as A-Z in
// every table, and in a code-page table also the letters of the source code
// page that have a one-byte other case (Cyrillic, Czech, German letters of
// the Windows code pages). A text with other letters in a UTF-8 table is
// compared on the decoded row, which is slower.
class RowFilter {
public:
    RowFilter(const TableModel& table, const QString& text);

    bool isEmpty() const { return m_needle.isEmpty() && m_text.isEmpty(); }
    // Whether a stored row (cells separated by zero bytes) holds the text.
    bool matches(QByteArrayView packedRow) const;

private:
    bool holdsNeedle(const char* text, size_t size) const;
    bool cellsHold(QByteArrayView row) const;
    // A row with time cells, cell by cell: a time cell by its text.
    bool cellsWithTimesHold(QByteArrayView row) const;
    bool timeHolds(QByteArrayView cell) const;
    bool shown(size_t column) const {
        return m_shownColumns.empty() ||
               (column < m_shownColumns.size() && m_shownColumns[column] != 0);
    }

    const TableModel& m_table;
    // Byte-wise comparison: the folded text, its shift table and the fold.
    QByteArray m_needle;
    unsigned char m_fold[256];
    size_t m_shift[256];
    // The comparison on decoded text (a UTF-8 table, a text with letters
    // beyond ASCII).
    QString m_text;
    bool m_decoded = false;
    // Whether the text can lie in a time text at all: not when it holds a
    // byte that no time text of the current pattern has (a letter where the
    // pattern writes digits only), which spares writing the times.
    mutable int m_timesCanMatch = -1; // -1 until the first time cell
    TimeTextWriter m_times;
    // Shown columns, by column number; empty when every column is shown.
    std::vector<char> m_shownColumns;
};

// The stored indices of the rows a filter of that text keeps, ascending.
std::vector<int> filteredRows(const TableModel& table, const QString& text);

// The number a count label shows: the rows ("42"), or while a filter is set
// the rows shown of all ("5 of 42").
QString shownRowCount(const TableModel& table);

} // namespace vc
