#include "tables/RowFilter.h"

#include "language/InterfaceTexts.h"
#include "language/TextIds.h"
#include "platform/CodePage.h"
#include "platform/TimeValue.h"

#include <algorithm>
#include <cstring>

namespace vc {

namespace {

bool isAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

RowFilter::RowFilter(const TableModel& table, const QString& text) : m_table(table) {
    for (int i = 0; i < 256; ++i)
        m_fold[i] = (i >= 'a' && i <= 'z') ? (unsigned char)(i - 'a' + 'A') : (unsigned char)i;
    const int columns = table.columns();
    if (int(table.shownColumns().size()) != columns) {
        m_shownColumns.assign(size_t(columns), 0);
        for (int c : table.shownColumns())
            m_shownColumns[size_t(c)] = 1;
    }
    if (text.isEmpty())
        return;
    if (table.cellEncoding() == CellEncoding::Utf8 && !isAscii(text)) {
        m_decoded = true;
        m_text = text;
        return;
    }
    if (table.cellEncoding() == CellEncoding::SourceCodePage) {
        // The code page's letters whose other case is one byte too.
        for (int b = 0x80; b < 0x100; ++b) {
            const QString letter = decodeEvidence(QByteArray(1, char(b)));
            if (letter.size() != 1 || !letter[0].isLetter())
                continue;
            const QString upper = letter.toUpper();
            const QByteArray back = encodeEvidence(upper);
            if (upper != letter && back.size() == 1 && decodeEvidence(back) == upper)
                m_fold[b] = static_cast<unsigned char>(back[0]);
        }
    }
    m_needle = table.encodeText(text);
    for (char& c : m_needle)
        c = char(m_fold[static_cast<unsigned char>(c)]);
    // Horspool's shifts: how far the window moves when its last byte is b.
    const size_t n = size_t(m_needle.size());
    std::fill(std::begin(m_shift), std::end(m_shift), n);
    for (size_t i = 0; i + 1 < n; ++i)
        m_shift[static_cast<unsigned char>(m_needle[qsizetype(i)])] = n - 1 - i;
}

bool RowFilter::holdsNeedle(const char* text, size_t size) const {
    const size_t n = size_t(m_needle.size());
    if (size < n)
        return false;
    const auto* hay = reinterpret_cast<const unsigned char*>(text);
    const auto* needle = reinterpret_cast<const unsigned char*>(m_needle.constData());
    const unsigned char last = needle[n - 1];
    for (size_t at = 0; at + n <= size;) {
        const unsigned char c = m_fold[hay[at + n - 1]];
        if (c == last) {
            size_t i = 0;
            while (i + 1 < n && m_fold[hay[at + i]] == needle[i])
                ++i;
            if (i + 1 >= n)
                return true;
        }
        at += m_shift[c];
    }
    return false;
}

bool RowFilter::cellsHold(QByteArrayView row) const {
    if (m_decoded) {
        // Hidden cells are emptied so that they cannot match.
        if (m_shownColumns.empty())
            return m_table.decodeText(row).contains(m_text, Qt::CaseInsensitive);
        QByteArray shown;
        qsizetype at = 0;
        for (size_t column = 0; at <= row.size(); ++column) {
            qsizetype end = row.indexOf('\0', at);
            if (end < 0)
                end = row.size();
            if (column < m_shownColumns.size() && m_shownColumns[column])
                shown.append(row.sliced(at, end - at));
            shown.append('\0');
            at = end + 1;
        }
        return m_table.decodeText(shown).contains(m_text, Qt::CaseInsensitive);
    }
    // The text holds no zero byte, so a match never spans two cells.
    if (m_shownColumns.empty())
        return holdsNeedle(row.data(), size_t(row.size()));
    const char* p = row.data();
    const char* const end = p + row.size();
    for (size_t column = 0; column < m_shownColumns.size(); ++column) {
        const char* cellEnd = static_cast<const char*>(memchr(p, '\0', size_t(end - p)));
        if (!cellEnd)
            cellEnd = end;
        if (m_shownColumns[column] && holdsNeedle(p, size_t(cellEnd - p)))
            return true;
        if (cellEnd == end)
            break;
        p = cellEnd + 1;
    }
    return false;
}

bool RowFilter::matches(QByteArrayView packedRow) const {
    if (isEmpty())
        return true;
    // Time cells as their texts: the row as it is shown.
    if (packedRow.contains(kTimeCellMark))
        return cellsHold(expandTimeCells(packedRow));
    return cellsHold(packedRow);
}

std::vector<int> filteredRows(const TableModel& table, const QString& text) {
    const RowFilter filter(table, text);
    std::vector<int> rows;
    const int stored = table.storedRows();
    for (int r = 0; r < stored; ++r)
        if (filter.matches(table.storedPackedRow(r)))
            rows.push_back(r);
    return rows;
}

QString shownRowCount(const TableModel& table) {
    if (!table.isFiltered())
        return QString::number(table.rows());
    return tx(TextShownOfAll).arg(table.rows()).arg(table.storedRows());
}

} // namespace vc
