#include "timeline/TimelineExport.h"

#include "evidence/Sources.h"
#include "language/InterfaceTexts.h"
#include "platform/Progress.h"
#include "timeline/ByteBuffer.h"
#include "timeline/CivilTime.h"

#include <QHash>

#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>

namespace vc {

namespace {

constexpr qint64 kMicrosecondsPerSecond = 1000000;
// 1700-01-01 00:00:00 and 9999-12-31 23:59:59.999999 UTC.
constexpr qint64 kFirstExportable = -8520336000LL * kMicrosecondsPerSecond;
constexpr qint64 kLastExportable = 253402300800LL * kMicrosecondsPerSecond - 1;
constexpr qsizetype kFlushSize = 1 << 20;

using Out = ByteBuffer;

char* digits(char* p, int value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        p[i] = char('0' + value % 10);
        value /= 10;
    }
    return p + count;
}

// "00" to "99".
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233"
    "34353637383940414243444546474849505152535455565758596061626364656667"
    "6869707172737475767778798081828384858687888990919293949596979899";

// Two digits of a value from 0 to 99.
char* twoDigits(char* p, int value) {
    std::memcpy(p, kDigitPairs + 2 * value, 2);
    return p + 2;
}

template <class Buffer> void putNumber(qint64 value, Buffer& out) {
    char buffer[24];
    char* end = buffer + sizeof buffer;
    char* p = end;
    const bool negative = value < 0;
    quint64 v = negative ? quint64(0) - quint64(value) : quint64(value);
    while (v >= 100) {
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * (v % 100), 2);
        v /= 100;
    }
    if (v >= 10) {
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * v, 2);
    } else {
        *--p = char('0' + v);
    }
    if (negative)
        *--p = '-';
    out.append(p, end - p);
}

// The calendar time of moments (microseconds since 1970 UTC) that mostly
// fall on the day of the one before, as the events of a timeline do: the
// date and its text are worked out once a day.
class CivilClock {
public:
    void set(qint64 microseconds) {
        constexpr qint64 kMicro = 1000000;
        const qint64 seconds = floorDivide(microseconds, kMicro);
        const qint64 days = floorDivide(seconds, 86400);
        if (!m_known || days != m_day) {
            m_date = civilDateOf(days);
            m_day = days;
            m_known = true;
            char* p = digits(m_dateText, m_date.year, 4);
            *p++ = '-';
            p = twoDigits(p, m_date.month);
            *p++ = '-';
            p = twoDigits(p, m_date.day);
            *p = 'T';
        }
        const int inDay = int(seconds - days * 86400);
        m_hour = inDay / 3600;
        m_minute = inDay / 60 % 60;
        m_second = inDay % 60;
        m_microsecond = int(microseconds - seconds * kMicro);
    }

    const CivilDate& date() const { return m_date; }
    int hour() const { return m_hour; }
    int minute() const { return m_minute; }
    int second() const { return m_second; }

    // "2012-03-04T05:06:07" at out (19 bytes); returns its end.
    char* isoSeconds(char* out) const {
        std::memcpy(out, m_dateText, sizeof m_dateText);
        char* p = twoDigits(out + sizeof m_dateText, m_hour);
        *p++ = ':';
        p = twoDigits(p, m_minute);
        *p++ = ':';
        return twoDigits(p, m_second);
    }
    // "2012-03-04T05:06:07.123456+00:00" at out (32 bytes); returns its end.
    char* isoTime(char* out) const {
        char* p = isoSeconds(out);
        *p++ = '.';
        p = twoDigits(p, m_microsecond / 10000);
        p = twoDigits(p, m_microsecond / 100 % 100);
        p = twoDigits(p, m_microsecond % 100);
        std::memcpy(p, "+00:00", 6);
        return p + 6;
    }

private:
    bool m_known = false;
    qint64 m_day = 0;
    CivilDate m_date{};
    char m_dateText[11] = {};
    int m_hour = 0;
    int m_minute = 0;
    int m_second = 0;
    int m_microsecond = 0;
};

// The longest time text an export writes.
constexpr int kIsoTimeLength = 32;

bool validUtf8(QByteArrayView text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = p + text.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more;
        quint32 cp;
        if ((c & 0xE0) == 0xC0) {
            more = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            more = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            more = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= more)
            return false;
        for (int i = 1; i <= more; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        if ((more == 1 && cp < 0x80) || (more == 2 && cp < 0x800) || (more == 3 && cp < 0x10000) ||
            cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        p += more + 1;
    }
    return true;
}

template <class Buffer> void putIsoTime(qint64 microseconds, Buffer& out) {
    CivilClock clock;
    clock.set(microseconds);
    char text[kIsoTimeLength];
    out.append(text, clock.isoTime(text) - text);
}

// How a byte of a JSON string is written: as it is (0), escaped (1), or
// as part of a character beyond ASCII (2).
struct JsonClasses {
    unsigned char of[256];
    JsonClasses() {
        for (int c = 0; c < 256; ++c)
            of[c] = c < 0x20 || c == '"' || c == '\\' ? 1 : c >= 0x80 ? 2 : 0;
    }
};
const JsonClasses kJsonClasses;

// Whether none of 8 bytes needs a look of its own: none below 0x20, no '"',
// no '\\' and, until the text has been checked as UTF-8, none beyond ASCII.
bool plainWord(quint64 w, bool checked) {
    constexpr quint64 kOnes = 0x0101010101010101ULL;
    constexpr quint64 kHighs = 0x8080808080808080ULL;
    const quint64 quote = w ^ (kOnes * '"');
    const quint64 backslash = w ^ (kOnes * '\\');
    quint64 special =
        ((w - kOnes * 0x20) & ~w) | ((quote - kOnes) & ~quote) | ((backslash - kOnes) & ~backslash);
    if (!checked)
        special |= w;
    return (special & kHighs) == 0;
}

// The text of a JSON string without its quotes; invalid UTF-8 is replaced.
template <class Buffer> void putJsonText(QByteArrayView utf8, Buffer& out) {
    static const char kHex[] = "0123456789abcdef";
    const char* p = utf8.data();
    const char* const end = p + utf8.size();
    const char* run = p;
    bool checked = false;
    while (p < end) {
        // Eight plain bytes at a time, then byte by byte.
        if (end - p >= 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            if (plainWord(word, checked)) {
                p += 8;
                continue;
            }
        }
        const unsigned char c = static_cast<unsigned char>(*p);
        const unsigned char kind = kJsonClasses.of[c];
        if (kind == 0) {
            ++p;
            continue;
        }
        if (kind == 2) {
            // The rest is checked once; text that is no UTF-8 is repaired.
            if (!checked && !validUtf8(QByteArrayView(p, end - p))) {
                out.append(run, p - run);
                putJsonText(QString::fromUtf8(QByteArrayView(p, end - p)).toUtf8(), out);
                return;
            }
            checked = true;
            ++p;
            continue;
        }
        out.append(run, p - run);
        if (c == '"' || c == '\\') {
            const char escaped[2] = {'\\', char(c)};
            out.append(escaped, 2);
        } else {
            const char escaped[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
            out.append(escaped, 6);
        }
        run = ++p;
    }
    out.append(run, p - run);
}

template <class Buffer> void putJsonString(QByteArrayView utf8, Buffer& out) {
    out.append('"');
    putJsonText(utf8, out);
    out.append('"');
}

template <class Buffer> void putCsvField(QByteArrayView utf8, Buffer& out) {
    bool quote = false;
    for (char c : utf8)
        if (c == ',' || c == '"' || c == '\n' || c == '\r') {
            quote = true;
            break;
        }
    if (!quote) {
        out.append(utf8);
        return;
    }
    out.append('"');
    const char* run = utf8.data();
    const char* const end = run + utf8.size();
    for (const char* p = run; p != end; ++p)
        if (*p == '"') {
            out.append(run, p + 1 - run);
            run = p;
        }
    out.append(run, end - run);
    out.append('"');
}

// What the exports take from each table, worked out once.
struct ExportTable {
    QByteArray name;        // the source's name ("web-history"), JSON-quoted
    QByteArray nameRaw;     // as it is
    QByteArray nameUpper;   // in capitals (l2tcsv's source)
    QByteArray captionJson; // the source's caption, JSON-quoted
    QByteArray machineJson;
    std::vector<QByteArray> keys;   // "\"visit_count\":" per column; empty: not a field
    std::vector<int> csvSlots;      // the column's place among the CSV's fields; -1
    std::vector<QByteArray> events; // per column: its event text (UTF-8); empty: none
    std::vector<QByteArray> macb;   // per column, for l2tcsv
};

// The fields every export writes before the row's own.
const char* const kReservedFields[] = {"message", "datetime",    "timestamp_desc", "timestamp",
                                       "source",  "source_long", "user",           "machine"};

// plaso's MACB letters for a meaning of a time: modified, accessed, changed
// (the entry or key), born (created).
QByteArray macbOf(int eventText) {
    switch (eventText) {
    case TextEventCachedModified:
    case TextEventTargetModified:
    case TextEventFolderModified:
    case TextEventServerModified:
    case TextEventActivityModified:
        return QByteArrayLiteral("M...");
    case TextEventCachedAccessed:
    case TextEventPageVisited:
    case TextEventCookieAccessed:
    case TextEventFavoriteAccessed:
    case TextEventShortcutAccessed:
    case TextEventTargetAccessed:
    case TextEventTempAccessed:
    case TextEventFolderAccessed:
    case TextEventFolderOpened:
    case TextEventProgramRun:
    case TextEventCacheUsed:
        return QByteArrayLiteral(".A..");
    case TextEventHistoryModified:
    case TextEventFolderEntryChanged:
    case TextEventMruRecorded:
    case TextEventEntryTyped:
        return QByteArrayLiteral("..C.");
    case TextEventCookieCreated:
    case TextEventFavoriteCreated:
    case TextEventShortcutCreated:
    case TextEventTargetCreated:
    case TextEventTempCreated:
    case TextEventFolderCreated:
    case TextEventCacheStored:
        return QByteArrayLiteral("...B");
    default:
        return QByteArrayLiteral("....");
    }
}

class TimelineWriter {
public:
    TimelineWriter(const Timeline& timeline, TimelineFormat format, QIODevice& out)
        : m_timeline(timeline), m_format(format), m_out(out) {
        prepareTables();
        m_buffer.reserve(kFlushSize + 64 * 1024);
    }

    bool header() {
        if (m_format == TimelineFormat::TimesketchCsv) {
            for (size_t i = 0; i < std::size(kReservedFields); ++i) {
                if (i > 0)
                    m_buffer.append(',');
                m_buffer.append(kReservedFields[i]);
            }
            for (const QByteArray& field : m_csvFields) {
                m_buffer.append(',');
                putCsvField(field, m_buffer);
            }
            m_buffer.append('\n');
        } else if (m_format == TimelineFormat::L2tCsv) {
            m_buffer.append("date,time,timezone,MACB,source,sourcetype,type,user,host,short,desc,"
                            "version,filename,inode,notes,format,extra\n");
        }
        return flushIfFull();
    }

    // While holding, the buffer grows until flush() (the chunks formatted on
    // two threads are written in their order).
    void setHolding(bool holding) { m_holding = holding; }

    // One event; false when the device failed.
    bool write(const TimelineEvent& e) {
        if ((e.flags & TimelineEvent::kWallClock) || !exportableTime(e.time)) {
            ++m_summary.leftOut;
            return true;
        }
        const TimelineTable& t = m_timeline.tableOf(e);
        const ExportTable& x = m_tables[e.table];
        splitRow(t.table->storedPackedRow(int(e.row)), t.table->columns(), m_cells);
        writeMessage(t, e);
        m_user.clear();
        m_timeline.appendUser(t, m_cells, m_user);
        m_clock.set(e.time);
        m_eventTimeLength = int(m_clock.isoTime(m_eventTime) - m_eventTime);
        switch (m_format) {
        case TimelineFormat::Jsonl:
            writeJson(e, t, x);
            break;
        case TimelineFormat::TimesketchCsv:
            writeCsv(e, t, x);
            break;
        case TimelineFormat::L2tCsv:
            writeL2t(e, t, x);
            break;
        }
        ++m_summary.written;
        return flushIfFull();
    }

    bool finish() {
        const bool ok = m_buffer.isEmpty() ||
                        m_out.write(m_buffer.constData(), m_buffer.size()) == m_buffer.size();
        // The room stays for the next chunk.
        m_buffer.clear();
        return ok;
    }

    const TimelineExportSummary& summary() const { return m_summary; }

private:
    void prepareTables() {
        QHash<QByteArray, int> csvSlot;
        for (int ti = 0; ti < m_timeline.tableCount(); ++ti) {
            const TimelineTable& t = m_timeline.table(ti);
            ExportTable x;
            x.nameRaw = QByteArray(sourceAt(t.source).name);
            x.nameUpper = x.nameRaw.toUpper();
            putJsonString(x.nameRaw, x.name);
            putJsonString(t.caption, x.captionJson);
            putJsonString(t.machineUtf8, x.machineJson);
            const std::vector<TableColumn>& columns = t.table->columnSpecs();
            QHash<QByteArray, int> seen;
            for (int c = 0; c < int(columns.size()); ++c) {
                QByteArray field;
                if (c != t.userColumn) {
                    field = exportFieldName(columns[size_t(c)].captionText);
                    if (std::find(std::begin(kReservedFields), std::end(kReservedFields), field) !=
                        std::end(kReservedFields))
                        field.prepend("row_");
                    const int twin = ++seen[field];
                    if (twin > 1)
                        field += '_' + QByteArray::number(twin);
                }
                QByteArray key;
                int slot = -1;
                if (!field.isEmpty()) {
                    key.append(',');
                    putJsonString(field, key);
                    key.append(':');
                    const auto at = csvSlot.constFind(field);
                    if (at != csvSlot.constEnd()) {
                        slot = at.value();
                    } else {
                        slot = int(m_csvFields.size());
                        csvSlot.insert(field, slot);
                        m_csvFields.push_back(field);
                    }
                }
                x.keys.push_back(key);
                x.csvSlots.push_back(slot);
                x.events.push_back(m_timeline.eventText(t, c).toByteArray());
                x.macb.push_back(macbOf(Timeline::eventTextOf(t, c)));
            }
            m_tables.push_back(std::move(x));
        }
    }

    bool flushIfFull() {
        if (m_holding || m_buffer.size() < kFlushSize)
            return true;
        const bool ok = m_out.write(m_buffer.constData(), m_buffer.size()) == m_buffer.size();
        // The room stays for the next chunk.
        m_buffer.clear();
        return ok;
    }

    // Address and description as one line, "address (description)", or
    // the one of them there is, or else the event's meaning; the address
    // is its first m_addressLength bytes.
    void writeMessage(const TimelineTable& t, const TimelineEvent& e) {
        m_message.clear();
        m_timeline.appendAddress(t, m_cells, m_message);
        m_addressLength = m_message.size();
        if (m_addressLength > 0) {
            m_message.append(" (", 2);
            const qsizetype at = m_message.size();
            m_timeline.appendDescription(t, m_cells, m_message);
            if (m_message.size() == at)
                m_message.truncate(m_addressLength);
            else
                m_message.append(')');
            return;
        }
        m_timeline.appendDescription(t, m_cells, m_message);
        if (m_message.isEmpty())
            m_message.append(m_timeline.eventText(t, e.column));
    }

    // A time cell as an export writes it, at text (kIsoTimeLength bytes):
    // in UTC (ISO 8601), a local time of a zone not known as its wall-clock
    // time without an offset; nothing for a time that is no date. The
    // event's own time was written once already.
    int timeText(const TimelineEvent& e, int c, QByteArrayView cell, char* text) {
        if (c == e.column) {
            // The time the event was made of: a moment that is no wall-clock
            // time (those are left out) and lies within the years written.
            std::memcpy(text, m_eventTime, size_t(m_eventTimeLength));
            return m_eventTimeLength;
        }
        const std::optional<TimeValue> time = readTimeCell(cell);
        if (!time)
            return 0;
        const std::optional<qint64> moment = eventMoment(*time);
        if (!moment)
            return 0;
        if (time->kind == TimeKind::LocalFileTime) {
            m_fieldClock.set(*moment);
            return int(m_fieldClock.isoSeconds(text) - text);
        }
        if (!exportableTime(*moment))
            return 0;
        m_fieldClock.set(*moment);
        return int(m_fieldClock.isoTime(text) - text);
    }

    // A cell that is no time as UTF-8: the cell itself where it is, else
    // its text made in scratch.
    QByteArrayView textOf(const TimelineTable& t, int c, QByteArrayView cell, Out& scratch) const {
        if (t.table->cellEncoding() == CellEncoding::Utf8 ||
            std::none_of(cell.begin(), cell.end(), [](char b) { return b & 0x80; }))
            return cell;
        scratch.clear();
        appendCellUtf8(*t.table, c, cell, scratch);
        return scratch;
    }

    // A cell of the row as an export writes it: a time in UTC (ISO 8601),
    // a text as UTF-8; text is room for a time, scratch for a text.
    QByteArrayView fieldText(const TimelineEvent& e, const TimelineTable& t, int c,
                             QByteArrayView cell, char* text, Out& scratch) {
        if (isTimeCell(cell))
            return QByteArrayView(text, timeText(e, c, cell, text));
        return textOf(t, c, cell, scratch);
    }

    void writeJson(const TimelineEvent& e, const TimelineTable& t, const ExportTable& x) {
        m_buffer.append("{\"message\":");
        putJsonString(m_message, m_buffer);
        m_buffer.append(",\"datetime\":\"");
        m_buffer.append(m_eventTime, m_eventTimeLength);
        m_buffer.append("\",\"timestamp_desc\":");
        putJsonString(x.events[e.column], m_buffer);
        m_buffer.append(",\"timestamp\":");
        putNumber(e.time, m_buffer);
        m_buffer.append(",\"source\":");
        m_buffer.append(x.name);
        m_buffer.append(",\"source_long\":");
        m_buffer.append(x.captionJson);
        m_buffer.append(",\"user\":");
        putJsonString(m_user, m_buffer);
        m_buffer.append(",\"machine\":");
        m_buffer.append(x.machineJson);
        char text[kIsoTimeLength];
        for (int c = 0; c < int(m_cells.size()); ++c) {
            const QByteArrayView cell = m_cells[c];
            if (cell.isEmpty() || x.keys[size_t(c)].isEmpty())
                continue;
            if (isTimeCell(cell)) {
                // A time text holds nothing JSON escapes.
                const int length = timeText(e, c, cell, text);
                if (length == 0)
                    continue;
                m_buffer.append(x.keys[size_t(c)]);
                char* p = m_buffer.end(length + 2);
                *p = '"';
                std::memcpy(p + 1, text, size_t(length));
                p[length + 1] = '"';
                m_buffer.commit(length + 2);
                continue;
            }
            const QByteArrayView value = textOf(t, c, cell, m_scratch);
            if (value.isEmpty())
                continue;
            m_buffer.append(x.keys[size_t(c)]);
            putJsonString(value, m_buffer);
        }
        m_buffer.append("}\n");
    }

    void writeCsv(const TimelineEvent& e, const TimelineTable& t, const ExportTable& x) {
        putCsvField(m_message, m_buffer);
        m_buffer.append(',');
        m_buffer.append(m_eventTime, m_eventTimeLength);
        m_buffer.append(',');
        putCsvField(x.events[e.column], m_buffer);
        m_buffer.append(',');
        putNumber(e.time, m_buffer);
        m_buffer.append(',');
        putCsvField(x.nameRaw, m_buffer);
        m_buffer.append(',');
        putCsvField(t.caption, m_buffer);
        m_buffer.append(',');
        putCsvField(m_user, m_buffer);
        m_buffer.append(',');
        putCsvField(t.machineUtf8, m_buffer);
        // The row's fields in the places of the header's fields.
        m_slots.assign(m_csvFields.size(), -1);
        for (int c = 0; c < int(m_cells.size()); ++c)
            if (x.csvSlots[size_t(c)] >= 0)
                m_slots[size_t(x.csvSlots[size_t(c)])] = c;
        char text[kIsoTimeLength];
        for (const int c : m_slots) {
            m_buffer.append(',');
            if (c < 0 || m_cells[c].isEmpty())
                continue;
            putCsvField(fieldText(e, t, c, m_cells[c], text, m_scratch), m_buffer);
        }
        m_buffer.append('\n');
    }

    // A field of l2tcsv, which has no quoting: its commas and line ends
    // become spaces.
    void appendL2tField(QByteArrayView text, Out& out) const {
        if (text.isEmpty()) {
            out.append('-');
            return;
        }
        const qsizetype at = out.size();
        out.append(text);
        for (char* p = out.data() + at; p != out.data() + out.size(); ++p)
            if (*p == ',' || *p == '\n' || *p == '\r')
                *p = ' ';
    }

    void writeL2t(const TimelineEvent& e, const TimelineTable& t, const ExportTable& x) {
        const CivilDate& d = m_clock.date();
        char date[20];
        char* p = twoDigits(date, d.month);
        *p++ = '/';
        p = twoDigits(p, d.day);
        *p++ = '/';
        p = digits(p, d.year, 4);
        *p++ = ',';
        p = twoDigits(p, m_clock.hour());
        *p++ = ':';
        p = twoDigits(p, m_clock.minute());
        *p++ = ':';
        p = twoDigits(p, m_clock.second());
        m_buffer.append(date, p - date);
        m_buffer.append(",UTC,");
        m_buffer.append(x.macb[e.column]);
        m_buffer.append(',');
        appendL2tField(x.nameUpper, m_buffer);
        m_buffer.append(',');
        appendL2tField(t.caption, m_buffer);
        m_buffer.append(',');
        appendL2tField(x.events[e.column], m_buffer);
        m_buffer.append(',');
        appendL2tField(m_user, m_buffer);
        m_buffer.append(',');
        appendL2tField(t.machineUtf8, m_buffer);
        m_buffer.append(',');
        // short: the address (or what stands for it) cut to 80 bytes.
        const QByteArrayView message = m_message;
        const QByteArrayView shortText =
            m_addressLength > 0 ? message.first(m_addressLength) : message;
        qsizetype cut = std::min<qsizetype>(shortText.size(), 80);
        while (cut > 0 && cut < shortText.size() &&
               (static_cast<unsigned char>(shortText[cut]) & 0xC0) == 0x80)
            --cut;
        appendL2tField(shortText.first(cut), m_buffer);
        m_buffer.append(',');
        appendL2tField(message, m_buffer);
        m_buffer.append(",2,");
        char text[kIsoTimeLength];
        appendL2tField(
            t.sourceFileColumn >= 0
                ? fieldText(e, t, t.sourceFileColumn, m_cells[t.sourceFileColumn], text, m_scratch)
                : QByteArrayView(),
            m_buffer);
        m_buffer.append(",-,-,vellacord/");
        m_buffer.append(x.nameRaw);
        m_buffer.append(',');
        // extra: every other filled field of the row, "name: value; ...".
        m_extra.clear();
        for (int col = 0; col < int(m_cells.size()); ++col) {
            if (col == e.column || m_cells[col].isEmpty() || x.keys[size_t(col)].isEmpty())
                continue;
            const QByteArrayView value = fieldText(e, t, col, m_cells[col], text, m_scratch);
            if (value.isEmpty())
                continue;
            if (!m_extra.isEmpty())
                m_extra.append("; ", 2);
            m_extra.append(t.captions[size_t(col)]);
            m_extra.append(": ", 2);
            m_extra.append(value);
        }
        appendL2tField(m_extra, m_buffer);
        m_buffer.append('\n');
    }

    const Timeline& m_timeline;
    TimelineFormat m_format;
    QIODevice& m_out;
    std::vector<ExportTable> m_tables;
    std::vector<QByteArray> m_csvFields;
    std::vector<int> m_slots;
    RowCells m_cells;
    Out m_buffer;
    Out m_scratch;
    Out m_message;
    qsizetype m_addressLength = 0;
    Out m_user;
    Out m_extra;
    // The event's time: its calendar (the events come in time order) and
    // its text; the calendar of the row's other times.
    CivilClock m_clock;
    char m_eventTime[kIsoTimeLength] = {};
    int m_eventTimeLength = 0;
    CivilClock m_fieldClock;
    TimelineExportSummary m_summary;
    bool m_holding = false;
};

} // namespace

bool exportableTime(qint64 microseconds) {
    return microseconds >= kFirstExportable && microseconds <= kLastExportable;
}

void appendIsoTime(qint64 microseconds, QByteArray& out) {
    putIsoTime(microseconds, out);
}

void appendJsonString(QByteArrayView utf8, QByteArray& out) {
    putJsonString(utf8, out);
}

void appendCsvField(QByteArrayView utf8, QByteArray& out) {
    putCsvField(utf8, out);
}

QByteArray exportFieldName(int captionText) {
    const QByteArray caption = englishInterfaceText(captionText).toUtf8();
    QByteArray name;
    bool gap = false;
    for (char c : caption) {
        const bool word =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!word) {
            gap = !name.isEmpty();
            continue;
        }
        if (gap)
            name.append('_');
        gap = false;
        name.append(c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c);
    }
    return name.isEmpty() ? QByteArrayLiteral("field") : name;
}

bool writeTimeline(const Timeline& timeline, TimelineFormat format, QIODevice& out,
                   TimelineExportSummary* summary, Progress* progress,
                   const std::vector<qsizetype>* only) {
    const qsizetype count = only ? qsizetype(only->size()) : timeline.size();
    // Writes events [from, to) of the list; false when the device failed.
    const auto indexAt = [&](qsizetype i) { return only ? (*only)[size_t(i)] : i; };
    auto writeSpan = [&](TimelineWriter& writer, qsizetype from, qsizetype to) {
        // Events in time order visit their rows in no order at all: the row
        // of an event a few ahead is asked for early, so that its bytes are
        // on their way while this one is written.
        // Where the row lies is asked for further ahead still, so that
        // finding the row's bytes does not wait either.
        constexpr qsizetype kAhead = 8;
        constexpr qsizetype kFarAhead = 16;
        bool ok = true;
        for (qsizetype i = from; i < to && ok; ++i) {
            if (i + kFarAhead < to) {
                const qsizetype far = indexAt(i + kFarAhead);
                if (far >= 0 && far < timeline.size()) {
                    const TimelineEvent& e = timeline.event(far);
                    timeline.tableOf(e).table->prefetchStoredRow(int(e.row));
                }
            }
            if (i + kAhead < to) {
                const qsizetype ahead = indexAt(i + kAhead);
                if (ahead >= 0 && ahead < timeline.size()) {
                    const TimelineEvent& e = timeline.event(ahead);
                    const QByteArrayView row =
                        timeline.tableOf(e).table->storedPackedRow(int(e.row));
                    for (qsizetype at = 0; at < row.size(); at += 64)
                        __builtin_prefetch(row.data() + at);
                }
            }
            const qsizetype index = indexAt(i);
            if (index >= 0 && index < timeline.size())
                ok = writer.write(timeline.event(index));
        }
        return ok;
    };
    auto step = [&](qsizetype done) {
        if (progress)
            progress->raiseTo(int(done * 100 / std::max<qsizetype>(1, count)));
    };
    TimelineWriter first(timeline, format, out);
    bool ok = first.header();
    TimelineExportSummary total;
    // A large timeline is formatted on two threads, chunk by chunk, each
    // chunk written in its order; the tables are only read meanwhile.
    constexpr qsizetype kChunk = 16384;
    if (count < 8 * kChunk || std::thread::hardware_concurrency() < 2) {
        const qsizetype stride = std::max<qsizetype>(1, count / 100);
        for (qsizetype from = 0; from < count && ok; from += stride) {
            ok = writeSpan(first, from, std::min(count, from + stride));
            step(from);
        }
        ok = ok && first.finish();
        total = first.summary();
    } else {
        TimelineWriter second(timeline, format, out);
        first.setHolding(true);
        second.setHolding(true);
        ok = ok && first.finish();
        for (qsizetype from = 0; from < count && ok; from += 2 * kChunk) {
            const qsizetype middle = std::min(count, from + kChunk);
            const qsizetype end = std::min(count, from + 2 * kChunk);
            std::thread helper([&] { writeSpan(second, middle, end); });
            writeSpan(first, from, middle);
            helper.join();
            ok = first.finish() && second.finish();
            step(end);
        }
        total.written = first.summary().written + second.summary().written;
        total.leftOut = first.summary().leftOut + second.summary().leftOut;
    }
    if (progress)
        progress->raiseTo(100);
    if (summary)
        *summary = total;
    return ok;
}

} // namespace vc
