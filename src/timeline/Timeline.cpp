#include "timeline/Timeline.h"

#include "evidence/Sources.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "timeline/ByteBuffer.h"

#include <algorithm>
#include <cstring>

namespace vc {

namespace {

constexpr qint64 kMicroseconds1601To1970 = 11644473600LL * 1000000;
// The last second the tables show for a time whose rule stops at the year
// 3000, and the last of the year 9999.
constexpr qint64 kLastSecondOf3000 = 32535215999LL;
constexpr qint64 kLastSecondOf9999 = 253402300799LL;

// Where a row's address or path stands, in the order the columns are
// preferred: the first of these a table has and a row fills.
constexpr int kAddressCaptions[] = {
    TextUrlAddress,     TextTargetPath,  TextLinkAddress, TextFilePath,
    TextOriginalPath,   TextFolder,      TextProgram,     TextSite,
    TextContentAddress, TextApplication, TextText,        TextName,
};

// Columns that say where a row was read from, not what happened: no part
// of the short description.
constexpr int kProvenanceCaptions[] = {
    TextBrowserProfile, TextSourceFile,   TextReadFrom,     TextRegistryKey,   TextHive,
    TextIndexFile,      TextCacheFolder,  TextBodyFile,     TextCacheEntry,    TextActivityId,
    TextSidColumn,      TextRecycledFile, TextHttpHeader,   TextFileReference, TextNote,
    TextDirectory,      TextCachedFile,   TextVolumeSerial, TextMachineId,     TextFormatVersion,
};
// How many filled cells make the short description, and how long each may be.
constexpr int kDescriptionCells = 3;
constexpr qsizetype kDescriptionCellLength = 120;

bool contains(const int* begin, const int* end, int value) {
    return std::find(begin, end, value) != end;
}

bool isAscii(QByteArrayView bytes) {
    for (char c : bytes)
        if (c & 0x80)
            return false;
    return true;
}

// Cuts UTF-8 text to at most n bytes, not inside a character.
qsizetype utf8Cut(QByteArrayView text, qsizetype n) {
    if (text.size() <= n)
        return text.size();
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return n;
}

} // namespace

std::optional<qint64> eventMoment(const TimeValue& time) {
    if (time.raw == 0)
        return std::nullopt;
    const qint64 seconds = secondsSince1970(time);
    if (seconds < 0 || seconds > kLastSecondOf9999)
        return std::nullopt;
    const bool wallClock = time.kind == TimeKind::LocalFileTime;
    if ((time.rule != TimeRule::Open || wallClock) && seconds > kLastSecondOf3000)
        return std::nullopt;
    if (time.rule == TimeRule::Runtime && seconds == 0)
        return std::nullopt;
    if (wallClock)
        return qint64(quint64(time.raw) / 10) - kMicroseconds1601To1970;
    return microsecondsSince1970(time);
}

bool isExpiryEvent(int eventText) {
    return eventText == TextEventCookieExpires || eventText == TextEventCacheExpires;
}

void splitRow(QByteArrayView packed, int columns, RowCells& cells) {
    cells.resize(columns);
    const char* p = packed.data();
    const char* const end = p + packed.size();
    int c = 0;
    while (c < columns) {
        const char* cellEnd = static_cast<const char*>(memchr(p, '\0', size_t(end - p)));
        if (!cellEnd)
            cellEnd = end;
        cells[c++] = QByteArrayView(p, cellEnd - p);
        if (cellEnd == end)
            break;
        p = cellEnd + 1;
    }
    for (; c < columns; ++c)
        cells[c] = QByteArrayView();
}

template <class Buffer>
void appendCellUtf8(const TableModel& table, int column, QByteArrayView cell, Buffer& out) {
    if (isTimeCell(cell)) {
        QByteArray text;
        TableModel::appendShown(cell, text);
        out.append(decodeEvidence(text).toUtf8());
    } else if (table.cellEncoding() == CellEncoding::Utf8 || isAscii(cell)) {
        out.append(cell);
    } else {
        out.append(table.decodeCell(column, cell).toUtf8());
    }
}

QString sourceCaption(int source) {
    const SourceSpec& decl = sourceAt(source);
    return tx(decl.groupText) + QStringLiteral(": ") + tx(decl.tabText);
}

void Timeline::addTable(int source, const TableModel* table, const QString& machine) {
    if (!table || source < 0 || source >= sourceCount())
        return;
    TimelineTable t;
    t.source = source;
    t.table = table;
    t.machine = machine;
    t.machineUtf8 = machine.toUtf8();
    const std::vector<TableColumn>& columns = table->columnSpecs();
    for (int c = int(columns.size()) - 1; c >= 0 && t.userColumn < 0; --c)
        if (columns[size_t(c)].captionText == TextUser)
            t.userColumn = c;
    for (const int caption : kAddressCaptions)
        for (int c = 0; c < int(columns.size()); ++c)
            if (columns[size_t(c)].captionText == caption && !columns[size_t(c)].isDate)
                t.addressColumns.push_back(c);
    for (int c = 0; c < int(columns.size()) && c < 256; ++c) {
        const TableColumn& column = columns[size_t(c)];
        if (column.isDate) {
            if (column.eventText != kNoEvent)
                t.eventColumns.push_back({c, column.eventText});
            continue;
        }
        if (column.captionText == TextSourceFile || column.captionText == TextIndexFile ||
            column.captionText == TextCacheFolder)
            if (t.sourceFileColumn < 0)
                t.sourceFileColumn = c;
        if (c == t.userColumn || contains(std::begin(kProvenanceCaptions),
                                          std::end(kProvenanceCaptions), column.captionText))
            continue;
        t.descriptionColumns.push_back(c);
    }
    m_tables.push_back(std::move(t));
    refreshTexts(m_tables.back());
}

void Timeline::refreshTexts(TimelineTable& t) {
    t.captions.clear();
    for (int c = 0; c < t.table->columns(); ++c)
        t.captions.push_back(t.table->caption(c).toUtf8());
    t.eventTexts.clear();
    for (const auto& column : t.eventColumns)
        t.eventTexts.push_back(tx(column.second).toUtf8());
    t.caption = sourceCaption(t.source).toUtf8();
}

void Timeline::refreshTexts() {
    for (TimelineTable& t : m_tables)
        refreshTexts(t);
}

QByteArrayView Timeline::eventText(const TimelineTable& t, int column) const {
    for (size_t i = 0; i < t.eventColumns.size(); ++i)
        if (t.eventColumns[i].first == column)
            return t.eventTexts[i];
    return {};
}

void Timeline::clear() {
    std::vector<TimelineTable>().swap(m_tables);
    std::vector<TimelineEvent>().swap(m_events);
}

void Timeline::build(bool withExpiries) {
    std::vector<TimelineEvent>().swap(m_events);
    // Equal times go by source, then by the order the tables came in.
    std::stable_sort(
        m_tables.begin(), m_tables.end(),
        [](const TimelineTable& a, const TimelineTable& b) { return a.source < b.source; });
    if (m_tables.size() > 0xFFFF)
        m_tables.resize(0xFFFF);
    RowCells cells;
    for (size_t ti = 0; ti < m_tables.size(); ++ti) {
        const TimelineTable& t = m_tables[ti];
        if (t.eventColumns.empty())
            continue;
        const int rows = t.table->storedRows();
        const int lastColumn = t.eventColumns.back().first + 1;
        for (int r = 0; r < rows; ++r) {
            splitRow(t.table->storedPackedRow(r), lastColumn, cells);
            for (const auto& [column, eventText] : t.eventColumns) {
                const QByteArrayView cell = cells[column];
                if (!isTimeCell(cell))
                    continue;
                const std::optional<TimeValue> time = readTimeCell(cell);
                if (!time)
                    continue;
                const std::optional<qint64> moment = eventMoment(*time);
                if (!moment)
                    continue;
                quint8 flags = 0;
                if (time->kind == TimeKind::LocalFileTime)
                    flags |= TimelineEvent::kWallClock;
                if (isExpiryEvent(eventText)) {
                    if (!withExpiries)
                        continue;
                    flags |= TimelineEvent::kExpiry;
                }
                m_events.push_back({*moment, quint32(r), quint16(ti), quint8(column), flags});
            }
        }
    }
    m_events.shrink_to_fit();
    std::sort(m_events.begin(), m_events.end(), [](const TimelineEvent& a, const TimelineEvent& b) {
        if (a.time != b.time)
            return a.time < b.time;
        if (a.table != b.table)
            return a.table < b.table;
        if (a.row != b.row)
            return a.row < b.row;
        return a.column < b.column;
    });
}

qsizetype Timeline::lowerBound(qint64 time) const {
    const auto at = std::lower_bound(m_events.begin(), m_events.end(), time,
                                     [](const TimelineEvent& e, qint64 t) { return e.time < t; });
    return qsizetype(at - m_events.begin());
}

int Timeline::eventTextOf(const TimelineTable& t, int column) {
    for (const auto& [c, text] : t.eventColumns)
        if (c == column)
            return text;
    return kNoEvent;
}

template <class Buffer>
void Timeline::appendAddress(const TimelineTable& t, const RowCells& cells, Buffer& out) const {
    for (const int c : t.addressColumns)
        if (c < cells.size() && !cells[c].isEmpty()) {
            appendCellUtf8(*t.table, c, cells[c], out);
            return;
        }
}

template <class Buffer>
void Timeline::appendDescription(const TimelineTable& t, const RowCells& cells, Buffer& out) const {
    // The address shown beside it is left out.
    int address = -1;
    for (const int c : t.addressColumns)
        if (c < cells.size() && !cells[c].isEmpty()) {
            address = c;
            break;
        }
    int written = 0;
    for (const int c : t.descriptionColumns) {
        if (c == address || c >= cells.size() || cells[c].trimmed().isEmpty())
            continue;
        if (written++ > 0)
            out.append("; ");
        out.append(t.captions[size_t(c)]);
        out.append(": ");
        // The value written in place, then cut to its length.
        const qsizetype at = out.size();
        appendCellUtf8(*t.table, c, cells[c], out);
        const qsizetype cut = utf8Cut(QByteArrayView(out).sliced(at), kDescriptionCellLength);
        if (at + cut < out.size()) {
            out.truncate(at + cut);
            out.append("...");
        }
        if (written == kDescriptionCells)
            break;
    }
}

template <class Buffer>
void Timeline::appendUser(const TimelineTable& t, const RowCells& cells, Buffer& out) const {
    if (t.userColumn >= 0 && t.userColumn < cells.size())
        appendCellUtf8(*t.table, t.userColumn, cells[t.userColumn], out);
}

template void appendCellUtf8(const TableModel&, int, QByteArrayView, QByteArray&);
template void appendCellUtf8(const TableModel&, int, QByteArrayView, ByteBuffer&);
template void Timeline::appendAddress(const TimelineTable&, const RowCells&, QByteArray&) const;
template void Timeline::appendAddress(const TimelineTable&, const RowCells&, ByteBuffer&) const;
template void Timeline::appendDescription(const TimelineTable&, const RowCells&, QByteArray&) const;
template void Timeline::appendDescription(const TimelineTable&, const RowCells&, ByteBuffer&) const;
template void Timeline::appendUser(const TimelineTable&, const RowCells&, QByteArray&) const;
template void Timeline::appendUser(const TimelineTable&, const RowCells&, ByteBuffer&) const;

} // namespace vc
