#include "platform/LocalTime.h"

#include <array>
#include <atomic>
#include <cstdint>
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

// Days since 1970 of whole seconds, rounded down.
qint64 dayOf(qint64 seconds) {
    return seconds >= 0 ? seconds / kDay : -((-seconds + kDay - 1) / kDay);
}

// The date of one local day, kept small: the table holds thousands of days.
struct LocalDate {
    int32_t year = 1970;
    int8_t month = 1;
    int8_t day = 1;
    int8_t weekday = 4;
};

LocalDate dateOfDay(qint64 day) {
    CalendarFields fields;
    utcCalendarFields(day * kDay, fields);
    return {fields.year, int8_t(fields.month), int8_t(fields.day), int8_t(fields.weekday)};
}

// The offset of one UTC day, learned once per thread, with the dates of the
// two local days the UTC day falls in: a time of the day then needs no
// calendar arithmetic of its own.
struct DayOffset {
    int32_t day = std::numeric_limits<int32_t>::min();
    int32_t offset = 0;
    int32_t firstLocalDay = 0;
    bool steady = false; // the offset holds for the whole day
    LocalDate dates[2];
};

class DayTable {
public:
    const DayOffset& lookUp(int32_t day) {
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
    static DayOffset learn(int32_t day) {
        DayOffset entry;
        entry.day = day;
        const qint64 first = qint64(day) * kDay;
        const qint64 last = first + kDay - 1;
        CalendarFields atFirst, atLast, worked;
        long firstOffset = 0, lastOffset = 0;
        if (!libraryFields(first, atFirst, &firstOffset) ||
            !libraryFields(last, atLast, &lastOffset) || firstOffset != lastOffset ||
            firstOffset <= -kDay || firstOffset >= kDay)
            return entry;
        utcCalendarFields(first + firstOffset, worked);
        if (!sameFields(worked, atFirst))
            return entry;
        utcCalendarFields(last + lastOffset, worked);
        if (!sameFields(worked, atLast))
            return entry;
        entry.offset = int32_t(firstOffset);
        entry.firstLocalDay = int32_t(dayOf(first + firstOffset));
        entry.dates[0] = dateOfDay(entry.firstLocalDay);
        entry.dates[1] = dateOfDay(entry.firstLocalDay + 1);
        entry.steady = true;
        return entry;
    }

    // Ten years of days fit without two sharing a slot.
    std::array<DayOffset, 4096> m_days{};
    unsigned m_generation = 0;
};

// This thread's table, made on first use: threads that format no time carry
// none. The core is loaded when the program starts, so its thread-local
// pointer can sit in the initial block, read without a call.
#if defined(__GNUC__)
#define VC_INITIAL_EXEC_TLS __attribute__((tls_model("initial-exec")))
#else
#define VC_INITIAL_EXEC_TLS
#endif
thread_local DayTable* t_table VC_INITIAL_EXEC_TLS = nullptr;
thread_local std::unique_ptr<DayTable> t_tableOwner;

DayTable& threadTable() {
    if (t_table == nullptr) {
        t_tableOwner = std::make_unique<DayTable>();
        t_table = t_tableOwner.get();
    }
    return *t_table;
}

// Beyond this the days no longer fit the table's numbers; the C library
// answers alone.
constexpr qint64 kLastTabledTime = qint64(std::numeric_limits<int32_t>::max() - 2) * kDay;

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
    if (seconds > kLastTabledTime)
        return libraryFields(seconds, out, nullptr) && out.year >= 1970;
    const DayOffset& day = threadTable().lookUp(int32_t(seconds / kDay));
    if (!day.steady)
        return libraryFields(seconds, out, nullptr) && out.year >= 1970;
    const qint64 local = seconds + day.offset;
    const qint64 localDay = dayOf(local);
    const LocalDate& date = day.dates[localDay == day.firstLocalDay ? 0 : 1];
    const int secondOfDay = int(local - localDay * kDay);
    out.year = date.year;
    out.month = date.month;
    out.day = date.day;
    out.weekday = date.weekday;
    out.hour = secondOfDay / 3600;
    out.minute = secondOfDay % 3600 / 60;
    out.second = secondOfDay % 60;
    return out.year >= 1970;
}

bool steadyLocalSeconds(qint64 seconds, qint64& wallClock) {
    if (seconds < 0 || seconds > kLastTabledTime)
        return false;
    const DayOffset& day = threadTable().lookUp(int32_t(seconds / kDay));
    if (!day.steady)
        return false;
    wallClock = seconds + day.offset;
    return true;
}

void forgetLocalTimeZone() {
    g_zoneGeneration.fetch_add(1, std::memory_order_relaxed);
}

} // namespace vc
