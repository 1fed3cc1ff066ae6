#include "tables/RowFilter.h"

#include "language/InterfaceTexts.h"
#include "language/TextIds.h"
#include "platform/CodePage.h"
#include "platform/TimeValue.h"
#include "tables/TimeTextMatch.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <cstring>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    if (comparesDecoded(table, text)) {
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

    // The bytes that fold to the first and to the last byte of the text.
    auto foldingTo = [this](unsigned char target, unsigned char* out) {
        int count = 0;
        for (int b = 0; b < 256; ++b) {
            if (m_fold[b] != target)
                continue;
            if (count < 2)
                out[count] = static_cast<unsigned char>(b);
            ++count;
        }
        if (count == 1)
            out[1] = out[0];
        return count >= 1 && count <= 2;
    };
    m_vectorFind = n > 0 && foldingTo(static_cast<unsigned char>(m_needle.front()), m_firstBytes) &&
                   foldingTo(static_cast<unsigned char>(m_needle.back()), m_lastBytes);
}

RowFilter::~RowFilter() = default;

bool RowFilter::comparesDecoded(const TableModel& table, const QString& text) {
    return table.cellEncoding() == CellEncoding::Utf8 && !isAscii(text);
}

bool RowFilter::middleMatches(const unsigned char* at) const {
    const auto* needle = reinterpret_cast<const unsigned char*>(m_needle.constData());
    const size_t n = size_t(m_needle.size());
    for (size_t i = 1; i + 1 < n; ++i)
        if (m_fold[at[i]] != needle[i])
            return false;
    return true;
}

#if defined(__SSE2__)
namespace {

// The positions among sixteen whose byte is one of two, as bits.
inline unsigned bytesOf(__m128i bytes, __m128i first, __m128i second) {
    return unsigned(_mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi8(bytes, first), _mm_cmpeq_epi8(bytes, second))));
}

} // namespace
#endif

qsizetype RowFilter::findNeedleShifting(const char* text, size_t size, size_t from) const {
    const size_t n = size_t(m_needle.size());
    const auto* hay = reinterpret_cast<const unsigned char*>(text);
    const unsigned char last = static_cast<unsigned char>(m_needle.back());
    for (size_t at = from; at + n <= size;) {
        const unsigned char c = m_fold[hay[at + n - 1]];
        if (c == last && m_fold[hay[at]] == static_cast<unsigned char>(m_needle.front()) &&
            middleMatches(hay + at))
            return qsizetype(at);
        at += m_shift[c];
    }
    return -1;
}

qsizetype RowFilter::findNeedle(const char* text, size_t size, size_t from, size_t readable) const {
    const size_t n = size_t(m_needle.size());
    if (n == 0 || size < n || from > size - n)
        return -1;
#if defined(__SSE2__)
    if (m_vectorFind) {
        const auto* hay = reinterpret_cast<const unsigned char*>(text);
        const __m128i first0 = _mm_set1_epi8(char(m_firstBytes[0]));
        const __m128i first1 = _mm_set1_epi8(char(m_firstBytes[1]));
        const __m128i last0 = _mm_set1_epi8(char(m_lastBytes[0]));
        const __m128i last1 = _mm_set1_epi8(char(m_lastBytes[1]));
        const size_t lastStart = size - n;
        size_t at = from;
        for (; at <= lastStart && at + n + 15 <= std::max(size, readable); at += 16) {
            const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(hay + at));
            const __m128i ends =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(hay + at + n - 1));
            unsigned candidates = bytesOf(starts, first0, first1) & bytesOf(ends, last0, last1);
            // Positions past the last start read the buffer's spare bytes.
            if (lastStart - at < 15)
                candidates &= (2u << (lastStart - at)) - 1;
            while (candidates != 0) {
                const unsigned j = unsigned(__builtin_ctz(candidates));
                if (middleMatches(hay + at + j))
                    return qsizetype(at + j);
                candidates &= candidates - 1;
            }
        }
        if (at > lastStart)
            return -1;
        from = at;
    }
#endif
    (void)readable;
    return findNeedleShifting(text, size, from);
}

bool RowFilter::textCellsHold(QByteArrayView row) const {
    const char* const p = row.data();
    const size_t size = size_t(row.size());
    // The text holds no zero byte, so a match never spans two cells.
    for (qsizetype at = findNeedle(p, size); at >= 0;) {
        const void* before = memrchr(p, '\0', size_t(at));
        const size_t cellStart = before ? size_t(static_cast<const char*>(before) - p) + 1 : 0;
        const void* found = memchr(p + at, '\0', size - size_t(at));
        const size_t cellEnd = found ? size_t(static_cast<const char*>(found) - p) : size;
        bool counts = !isTimeCell(QByteArrayView(p + cellStart, qsizetype(cellEnd - cellStart)));
        if (counts && !m_shownColumns.empty())
            counts = shown(size_t(std::count(p, p + cellStart, '\0')));
        if (counts)
            return true;
        // On past the cell.
        if (cellEnd >= size)
            return false;
        at = findNeedle(p, size, cellEnd + 1);
    }
    return false;
}

bool RowFilter::decodedCellsHold(QByteArrayView stored) const {
    // Time cells as their texts: the row as it is shown.
    const QByteArray expanded =
        stored.contains(kTimeCellMark) ? expandTimeCells(stored) : QByteArray();
    const QByteArrayView row = expanded.isNull() ? stored : QByteArrayView(expanded);
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

bool RowFilter::timesCanMatch() const {
    if (m_timesCanMatch < 0) {
        // Worked out at the first time cell met.
        const std::vector<char> timeBytes = timeTextBytes(m_fold);
        m_timesCanMatch = std::all_of(m_needle.begin(), m_needle.end(), [&timeBytes](char c) {
            return timeBytes[static_cast<unsigned char>(c)] != 0;
        });
    }
    return m_timesCanMatch != 0;
}

bool RowFilter::timeHolds(QByteArrayView cell) const {
    const std::optional<TimeValue> time = readTimeCell(cell);
    if (!time)
        return holdsNeedle(cell.data(), size_t(cell.size()));
    // The common kind written in place, as appendTimeValueText would, into
    // a buffer with room to spare for the search.
    if (time->rule == TimeRule::Runtime && time->kind != TimeKind::LocalFileTime &&
        m_times.room() > 0 && m_times.room() <= kTimeTextRoom) {
        if (m_timeMatchState == 1) {
            m_timeMatchState = TimeTextMatch::applies(m_times, m_needle) ? 2 : -1;
            if (m_timeMatchState == 2)
                m_timeMatch = std::make_unique<TimeTextMatch>(m_times, m_needle, m_fold);
        }
        if (m_timeMatchState == 2)
            return m_timeMatch->holds(secondsSince1970(*time));
        char* const text = m_timeText.data();
        const char* end = m_times.write(secondsSince1970(*time), text);
        return findNeedle(text, size_t(end - text), 0, m_timeText.size()) >= 0;
    }
    QByteArray text;
    appendTimeValueText(*time, text);
    return holdsNeedle(text.constData(), size_t(text.size()));
}

bool RowFilter::timeCellsHold(QByteArrayView row) const {
    const char* const p = row.data();
    const char* const end = p + row.size();
    const char* mark = static_cast<const char*>(memchr(p, kTimeCellMark, size_t(row.size())));
    if (!mark || !timesCanMatch())
        return false;
    while (mark) {
        const char* cellEnd = static_cast<const char*>(memchr(mark, '\0', size_t(end - mark)));
        if (!cellEnd)
            cellEnd = end;
        // A time cell starts a cell; its mark is never inside one.
        const QByteArrayView cell(mark, cellEnd - mark);
        if ((mark == p || mark[-1] == '\0') && isTimeCell(cell) &&
            (m_shownColumns.empty() || shown(size_t(std::count(p, mark, '\0')))) && timeHolds(cell))
            return true;
        if (cellEnd == end)
            return false;
        mark = static_cast<const char*>(memchr(cellEnd, kTimeCellMark, size_t(end - cellEnd)));
    }
    return false;
}

bool RowFilter::matches(QByteArrayView packedRow) const {
    if (isEmpty())
        return true;
    if (m_decoded)
        return decodedCellsHold(packedRow);
    return textCellsHold(packedRow) || timeCellsHold(packedRow);
}

namespace {

// Below this many rows a search runs on one thread: starting more costs
// more than they save. From this many on, the answers for times are kept.
constexpr size_t kRowsPerThread = 65536;
constexpr size_t kRowsToRememberTimes = 4096;

// The stored rows among count (the i-th is rowAt(i)) that hold the text.
template <typename RowAt>
std::vector<int> keptRows(const TableModel& table, const QString& text, size_t count, RowAt rowAt) {
    auto keep = [&table, &rowAt](const RowFilter& own, size_t from, size_t to,
                                 std::vector<int>& out) {
        for (size_t i = from; i < to; ++i) {
            const int stored = rowAt(i);
            if (own.matches(table.storedPackedRow(stored)))
                out.push_back(stored);
        }
    };
    // A row source makes each row in one shared buffer: one thread only.
    const size_t threads =
        table.hasRowSource() ? 1
                             : std::min<size_t>({std::max(1u, std::thread::hardware_concurrency()),
                                                 8, std::max<size_t>(1, count / kRowsPerThread)});
    // Each thread has a filter of its own: a filter keeps what it wrote.
    std::vector<std::unique_ptr<RowFilter>> filters;
    for (size_t t = 0; t < threads; ++t) {
        filters.push_back(std::make_unique<RowFilter>(table, text));
        if (count >= kRowsToRememberTimes)
            filters.back()->rememberTimes();
    }
    std::vector<int> rows;
    if (filters.front()->isEmpty()) {
        rows.reserve(count);
        for (size_t i = 0; i < count; ++i)
            rows.push_back(rowAt(i));
        return rows;
    }
    if (threads <= 1) {
        keep(*filters.front(), 0, count, rows);
        return rows;
    }
    std::vector<std::vector<int>> parts(threads);
    {
        std::vector<std::jthread> helpers;
        for (size_t t = 1; t < threads; ++t)
            helpers.emplace_back([&, t] {
                keep(*filters[t], count * t / threads, count * (t + 1) / threads, parts[t]);
            });
        keep(*filters[0], 0, count / threads, parts[0]);
    }
    size_t kept = 0;
    for (const std::vector<int>& part : parts)
        kept += part.size();
    rows.reserve(kept);
    for (const std::vector<int>& part : parts)
        rows.insert(rows.end(), part.begin(), part.end());
    return rows;
}

} // namespace

std::vector<int> filteredRows(const TableModel& table, const QString& text) {
    return keptRows(table, text, size_t(table.storedRows()), [](size_t i) { return int(i); });
}

std::vector<int> filteredRowsAmong(const TableModel& table, const QString& text,
                                   const std::vector<int>& candidates) {
    return keptRows(table, text, candidates.size(),
                    [&candidates](size_t i) { return candidates[i]; });
}

QString shownRowCount(const TableModel& table) {
    if (!table.isFiltered())
        return QString::number(table.rows());
    return tx(TextShownOfAll).arg(table.rows()).arg(table.storedRows());
}

} // namespace vc
