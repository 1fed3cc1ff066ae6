#include "tables/RowFilter.h"

#include "language/InterfaceTexts.h"
#include "language/TextIds.h"
#include "platform/CodePage.h"
#include "platform/TimeValue.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <cstring>

namespace vc {

namespace {

bool isAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// The bytes that time texts of the current pattern hold: every digit, and
// what times of every month, weekday and half-day (and the text of a time
// without a calendar date) give.
std::vector<char> timeTextBytes(const unsigned char* fold) {
    std::vector<char> bytes(256, 0);
    auto add = [&bytes, fold](QByteArrayView text) {
        for (char c : text)
            bytes[fold[static_cast<unsigned char>(c)]] = 1;
    };
    add("0123456789");
    add(kUnconvertedTimeText);
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= 7; ++day)
            for (int hour : {3, 15}) {
                const qint64 seconds =
                    QDateTime(QDate(2011, month, day), QTime(hour, 0), QTimeZone::utc())
                        .toSecsSinceEpoch();
                add(formatTimeText(seconds));
            }
    return bytes;
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

bool RowFilter::timeHolds(QByteArrayView cell) const {
    if (m_timesCanMatch < 0) {
        // Worked out at the first time cell met.
        const std::vector<char> timeBytes = timeTextBytes(m_fold);
        m_timesCanMatch = std::all_of(m_needle.begin(), m_needle.end(), [&timeBytes](char c) {
            return timeBytes[static_cast<unsigned char>(c)] != 0;
        });
    }
    if (!m_timesCanMatch)
        return false;
    const std::optional<TimeValue> time = readTimeCell(cell);
    if (!time)
        return holdsNeedle(cell.data(), size_t(cell.size()));
    // The common kind written in place, as appendTimeValueText would.
    if (time->rule == TimeRule::Runtime && time->kind != TimeKind::LocalFileTime &&
        m_times.room() > 0 && m_times.room() <= 128) {
        char text[128];
        const char* end = m_times.write(secondsSince1970(*time), text);
        return holdsNeedle(text, size_t(end - text));
    }
    QByteArray text;
    appendTimeValueText(*time, text);
    return holdsNeedle(text.constData(), size_t(text.size()));
}

bool RowFilter::cellsWithTimesHold(QByteArrayView row) const {
    const char* p = row.data();
    const char* const end = p + row.size();
    for (size_t column = 0;; ++column) {
        const char* cellEnd = static_cast<const char*>(memchr(p, '\0', size_t(end - p)));
        if (!cellEnd)
            cellEnd = end;
        if (shown(column)) {
            const QByteArrayView cell(p, cellEnd - p);
            if (isTimeCell(cell) ? timeHolds(cell) : holdsNeedle(p, size_t(cell.size())))
                return true;
        }
        if (cellEnd == end)
            return false;
        p = cellEnd + 1;
    }
}

bool RowFilter::matches(QByteArrayView packedRow) const {
    if (isEmpty())
        return true;
    if (!packedRow.contains(kTimeCellMark))
        return cellsHold(packedRow);
    // Time cells as their texts: the row as it is shown.
    if (m_decoded)
        return cellsHold(expandTimeCells(packedRow));
    return cellsWithTimesHold(packedRow);
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
