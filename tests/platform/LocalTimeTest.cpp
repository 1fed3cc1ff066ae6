// The local calendar fields from the per-thread table of offsets must be
// those of the C library's localtime_r for every second: across every change
// to and from summer time, in zones whose offsets are not whole hours, on
// days a zone skipped, and on threads of their own.
#include "platform/LocalTime.h"
#include "support/ZoneGuard.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include <cstdio>
#include <ctime>
#include <string>
#include <thread>

using namespace vc;
using vc::testing::ZoneGuard;

namespace {

std::string describe(qint64 t, const CalendarFields& f) {
    char text[96];
    std::snprintf(text, sizeof text, "t=%lld: %04d-%02d-%02d %02d:%02d:%02d weekday %d",
                  static_cast<long long>(t), f.year, f.month, f.day, f.hour, f.minute, f.second,
                  f.weekday);
    return text;
}

// What the C library gives, by the same rules (nothing before 1970 local).
bool expectedFields(qint64 t, CalendarFields& out) {
    const time_t when = static_cast<time_t>(t);
    struct tm fields {};
    if (localtime_r(&when, &fields) == nullptr || fields.tm_year < 70)
        return false;
    out = {fields.tm_year + 1900, fields.tm_mon + 1,
           fields.tm_mday,        fields.tm_wday == 0 ? 7 : fields.tm_wday,
           fields.tm_hour,        fields.tm_min,
           fields.tm_sec};
    return true;
}

long offsetAt(qint64 t) {
    const time_t when = static_cast<time_t>(t);
    struct tm fields {};
    localtime_r(&when, &fields);
    return fields.tm_gmtoff;
}

// Compares one time; counts the mismatches (reported on the first few).
void check(qint64 t, int& mismatches) {
    CalendarFields expected, got;
    const bool hasExpected = expectedFields(t, expected);
    const bool hasGot = localCalendarFields(t, got);
    const bool same =
        hasExpected == hasGot && (!hasGot || describe(t, expected) == describe(t, got));
    if (!same && ++mismatches <= 5)
        ADD_FAILURE() << "library " << (hasExpected ? describe(t, expected) : "none") << ", table "
                      << (hasGot ? describe(t, got) : "none");
}

// Every 7 h 13 min from 1970 to 2040 (so every hour of the day comes round),
// and each change of offset found between two samples: the second of the
// change and three on either side.
int compareZone() {
    int mismatches = 0;
    int changes = 0;
    const qint64 step = 7 * 3600 + 13 * 60;
    qint64 previous = 0;
    long previousOffset = offsetAt(0);
    for (qint64 t = 0; t < 2208988800LL; t += step) {
        check(t, mismatches);
        const long offset = offsetAt(t);
        if (offset != previousOffset) {
            qint64 low = previous;
            qint64 high = t;
            while (high - low > 1) {
                const qint64 middle = low + (high - low) / 2;
                (offsetAt(middle) == previousOffset ? low : high) = middle;
            }
            for (qint64 near = high - 3; near <= high + 3; ++near)
                check(near, mismatches);
            ++changes;
        }
        previous = t;
        previousOffset = offset;
    }
    // A table that learned the days of the whole range answers them again.
    for (qint64 t = 3 * step / 2; t < 2208988800LL; t += 11 * step)
        check(t, mismatches);
    return changes;
}

bool zoneInstalled(const char* zone) {
    return QFileInfo::exists(QStringLiteral("/usr/share/zoneinfo/") + QLatin1String(zone));
}

} // namespace

TEST(LocalTime, SameFieldsAsTheCLibraryInEveryZone) {
    // Rules written out, which need no zone files: summer time in the north
    // and the south, half an hour of summer time, offsets that are not whole
    // hours, and none at all.
    const char* rules[] = {"EST5EDT,M3.2.0,M11.1.0",
                           "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0",
                           "NZST-12NZDT,M9.5.0,M4.1.0/3",
                           "<+0545>-5:45",
                           "UTC0",
                           "<-0330>3:30<-0230>,M3.2.0/2,M11.1.0/2"};
    for (const char* zone : rules) {
        const ZoneGuard guard(zone);
        int mismatches = 0;
        const int changes = compareZone();
        check(0, mismatches);
        EXPECT_EQ(mismatches, 0) << zone;
        if (std::string(zone).find(',') != std::string::npos) {
            EXPECT_GT(changes, 100) << zone << ": the comparison met the changes";
        }
    }
    // Zones from the system's files, where installed: changes that moved
    // the zone itself (Caracas, Moscow), a day skipped (Apia, end of 2011),
    // half an hour of summer time (Lord Howe), 5:45 (Kathmandu).
    for (const char* zone : {"Europe/Prague", "America/Caracas", "Europe/Moscow", "Pacific/Apia",
                             "Australia/Lord_Howe", "Asia/Kathmandu", "America/Sao_Paulo"}) {
        if (!zoneInstalled(zone))
            continue;
        const ZoneGuard guard(zone);
        EXPECT_GT(compareZone(), 0) << zone;
    }
}

TEST(LocalTime, EachThreadAndEachZoneChangeStartsAfresh) {
    // A thread's table is its own: another thread in the same zone gives
    // the library's fields too.
    {
        const ZoneGuard guard("EST5EDT,M3.2.0,M11.1.0");
        int changes = 0;
        std::thread other([&changes] { changes = compareZone(); });
        other.join();
        EXPECT_GT(changes, 100);
    }
    // Days learned in one zone are not used in the next: the same day, first
    // in UTC and then five hours behind.
    CalendarFields fields;
    {
        const ZoneGuard guard("UTC0");
        ASSERT_TRUE(localCalendarFields(1700000000, fields));
        EXPECT_EQ(fields.hour, 22);
    }
    {
        const ZoneGuard guard("EST5");
        ASSERT_TRUE(localCalendarFields(1700000000, fields));
        EXPECT_EQ(fields.hour, 17);
        // The first hours after 1970 UTC are still 1969 here: no fields.
        EXPECT_FALSE(localCalendarFields(3600, fields));
        EXPECT_FALSE(localCalendarFields(-1, fields));
    }
}
