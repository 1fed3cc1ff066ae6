#pragma once

#include <QtGlobal>

namespace vc {

// The proleptic Gregorian calendar of microseconds since 1970 UTC, for the
// timeline's exports and histogram (years 1700 to 9999 and beyond).
struct CivilTime {
    int year, month, day, hour, minute, second, microsecond;
};

inline qint64 floorDivide(qint64 a, qint64 b) {
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The date of a day counted from 1970-01-01.
struct CivilDate {
    int year, month, day;
};

inline CivilDate civilDateOf(qint64 days) {
    const qint64 z = days + 719468;
    const qint64 era = floorDivide(z, 146097);
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    const int day = int(doy - (153 * mp + 2) / 5 + 1);
    const int month = int(mp < 10 ? mp + 3 : mp - 9);
    const int year = int(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

inline CivilTime civilTimeOf(qint64 microseconds) {
    constexpr qint64 kMicro = 1000000;
    const qint64 seconds = floorDivide(microseconds, kMicro);
    const qint64 days = floorDivide(seconds, 86400);
    const qint64 inDay = seconds - days * 86400;
    const CivilDate date = civilDateOf(days);
    return {date.year,
            date.month,
            date.day,
            int(inDay / 3600),
            int(inDay / 60 % 60),
            int(inDay % 60),
            int(microseconds - seconds * kMicro)};
}

// Days since 1970-01-01 of a date.
inline qint64 daysOfCivil(int year, int month, int day) {
    const qint64 y = month <= 2 ? year - 1 : year;
    const qint64 era = floorDivide(y, 400);
    const qint64 yoe = y - era * 400;
    const qint64 doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

} // namespace vc
