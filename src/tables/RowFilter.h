#pragma once

#include "platform/TimeText.h"
#include "tables/TableModel.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <memory>
#include <vector>

namespace vc {

class TimeTextMatch;

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
//
// A filter keeps per-search state (the time texts it writes): each thread
// uses its own copy.
class RowFilter {
public:
    RowFilter(const TableModel& table, const QString& text);
    ~RowFilter();
    RowFilter(const RowFilter&) = delete;
    RowFilter& operator=(const RowFilter&) = delete;

    // For a search of many rows: the answers for the times' dates and
    // seconds of the day are kept (about a megabyte), so that most time
    // cells need no text of their own.
    void rememberTimes() {
        if (m_timeMatchState == 0)
            m_timeMatchState = 1;
    }

    bool isEmpty() const { return m_needle.isEmpty() && m_text.isEmpty(); }
    // Whether a stored row (cells separated by zero bytes) holds the text.
    bool matches(QByteArrayView packedRow) const;
    // Whether the text is compared on decoded rows (see above).
    static bool comparesDecoded(const TableModel& table, const QString& text);

private:
    // Where the needle starts in text[from, size), or -1. Candidates are
    // found sixteen at a time by the needle's first and last byte where the
    // fold allows it, else by Horspool's shifts. A text written into a
    // buffer of `readable` bytes (more than size) is compared sixteen
    // positions at a time also where fewer remain.
    qsizetype findNeedle(const char* text, size_t size, size_t from = 0, size_t readable = 0) const;
    qsizetype findNeedleShifting(const char* text, size_t size, size_t from) const;
    bool middleMatches(const unsigned char* at) const;
    bool holdsNeedle(const char* text, size_t size) const { return findNeedle(text, size) >= 0; }
    // The row's text cells: a match inside a hidden column or a time cell
    // (whose stored bytes are no text of the table) does not count.
    bool textCellsHold(QByteArrayView row) const;
    bool decodedCellsHold(QByteArrayView row) const;
    // The row's time cells, each by its text.
    bool timeCellsHold(QByteArrayView row) const;
    bool timeHolds(QByteArrayView cell) const;
    bool timesCanMatch() const;
    bool shown(size_t column) const {
        return m_shownColumns.empty() ||
               (column < m_shownColumns.size() && m_shownColumns[column] != 0);
    }

    const TableModel& m_table;
    // Byte-wise comparison: the folded text, its shift table and the fold.
    QByteArray m_needle;
    unsigned char m_fold[256];
    size_t m_shift[256];
    // The bytes that fold to the needle's first and to its last byte (two
    // each at most, one written twice where only one does); m_vectorFind is
    // false where more fold to one of them.
    unsigned char m_firstBytes[2] = {0, 0};
    unsigned char m_lastBytes[2] = {0, 0};
    bool m_vectorFind = false;
    // The comparison on decoded text (a UTF-8 table, a text with letters
    // beyond ASCII).
    QString m_text;
    bool m_decoded = false;
    // Whether the text can lie in a time text at all: not when it holds a
    // byte that no time text of the current pattern has (a letter where the
    // pattern writes digits only), which spares writing the times.
    mutable int m_timesCanMatch = -1; // -1 until the first time cell
    TimeTextWriter m_times;
    // The kept answers (see rememberTimes): 0 not asked for, 1 asked for
    // and not made yet, 2 made, -1 not possible with this pattern or text.
    mutable std::unique_ptr<TimeTextMatch> m_timeMatch;
    mutable int m_timeMatchState = 0;
    // Where a time's text is written for the search: the longest text a
    // pattern writes in place, and room beyond it that the search may read.
    static constexpr qsizetype kTimeTextRoom = 128;
    mutable std::array<char, kTimeTextRoom + 32> m_timeText{};
    // Shown columns, by column number; empty when every column is shown.
    std::vector<char> m_shownColumns;
};

// The stored indices of the rows a filter of that text keeps, ascending. A
// table of many stored rows is searched on several threads.
std::vector<int> filteredRows(const TableModel& table, const QString& text);
// The same among some stored rows (ascending): where a text holds the text
// of the filter before it, only the rows that filter kept can hold it.
std::vector<int> filteredRowsAmong(const TableModel& table, const QString& text,
                                   const std::vector<int>& candidates);

// The number a count label shows: the rows ("42"), or while a filter is set
// the rows shown of all ("5 of 42").
QString shownRowCount(const TableModel& table);

} // namespace vc
