#include "platform/LocalTime.h"

#include <array>
#include <atomic>
#include <ctime>
#include <limits>
#include <memory>

namespace vc {

namespace {

constexpr qint64 kDay = 86400;

// Bumped by forgetLocalTimeZone: a thread's table from before is dropped.
std::atomic<unsigned> g_zoneGeneration{0};

bool sameFields(const CalendarFields& a, const CalendarFields& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.weekday == b.weekday &&
           a.hour == b.hour && a.minute == b.minute && a.second == b.second;
}

// What the C library says for one time: its fields and its offset.
bool libraryFields(qint64 seconds, CalendarFields& out, long* offset) {
    const time_t t = static_cast<time_t>(seconds);
    struct tm fields {};
    if (localtime_r(&t, &fields) == nullptr)
        return false;
    out.year = fields.tm_year + 1900;
    out.month = fields.tm_mon + 1;
    out.day = fields.tm_mday;
    out.weekday = fields.tm_wday == 0 ? 7 : fields.tm_wday;
    out.hour = fields.tm_hour;
    out.minute = fields.tm_min;
    out.second = fields.tm_sec;
    if (offset)
        *offset = fields.tm_gmtoff;
    return true;
}

// The offset of one UTC day, learned once per thread.
struct DayOffset {
    qint64 day = std::numeric_limits<qint64>::min();
    long offset = 0;
    bool steady = false; // the offset holds for the whole day
};

class DayTable {
public:
    const DayOffset& lookUp(qint64 day) {
        const unsigned generation = g_zoneGeneration.load(std::memory_order_relaxed);
        if (generation != m_generation) {
            m_days.fill(DayOffset());
            m_generation = generation;
        }
        DayOffset& entry = m_days[size_t(day) % m_days.size()];
        if (entry.day != day)
            entry = learn(day);
        return entry;
    }

private:
    static DayOffset learn(qint64 day) {
        DayOffset entry;
        entry.day = day;
        const qint64 first = day * kDay;
        const qint64 last = first + kDay - 1;
        CalendarFields atFirst, atLast, worked;
        long firstOffset = 0, lastOffset = 0;
        if (!libraryFields(first, atFirst, &firstOffset) ||
            !libraryFields(last, atLast, &lastOffset) || firstOffset != lastOffset)
            return entry;
        utcCalendarFields(first + firstOffset, worked);
        if (!sameFields(worked, atFirst))
            return entry;
        utcCalendarFields(last + lastOffset, worked);
        if (!sameFields(worked, atLast))
            return entry;
        entry.offset = firstOffset;
        entry.steady = true;
        return entry;
    }

    // Ten years of days fit without two sharing a slot.
    std::array<DayOffset, 4096> m_days{};
    unsigned m_generation = 0;
};

} // namespace

void utcCalendarFields(qint64 seconds, CalendarFields& out) {
    qint64 days = seconds / kDay;
    qint64 rest = seconds % kDay;
    if (rest < 0) {
        rest += kDay;
        --days;
    }
    out.hour = int(rest / 3600);
    out.minute = int(rest % 3600 / 60);
    out.second = int(rest % 60);
    // 1970-01-01 was a Thursday.
    const qint64 weekday = ((days % 7) + 7 + 3) % 7; // 0 = Monday
    out.weekday = int(weekday) + 1;
    // Days to civil date (proleptic Gregorian), counted from 0000-03-01.
    const qint64 z = days + 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 dayOfEra = z - era * 146097;
    const qint64 yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 mp = (5 * dayOfYear + 2) / 153;
    out.day = int(dayOfYear - (153 * mp + 2) / 5 + 1);
    out.month = int(mp < 10 ? mp + 3 : mp - 9);
    out.year = int(yearOfEra + era * 400 + (out.month <= 2 ? 1 : 0));
}

bool localCalendarFields(qint64 seconds, CalendarFields& out) {
    if (seconds < 0)
        return false;
    // Made on first use: threads that format no time carry no table.
    thread_local std::unique_ptr<DayTable> table;
    if (!table)
        table = std::make_unique<DayTable>();
    const DayOffset& day = table->lookUp(seconds / kDay);
    if (day.steady)
        utcCalendarFields(seconds + day.offset, out);
    else if (!libraryFields(seconds, out, nullptr))
        return false;
    return out.year >= 1970;
}

void forgetLocalTimeZone() {
    g_zoneGeneration.fetch_add(1, std::memory_order_relaxed);
}

} // namespace vc
