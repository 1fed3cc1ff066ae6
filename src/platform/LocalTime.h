#pragma once

#include "platform/TimePattern.h"

#include <QtGlobal>

namespace vc {

// The calendar fields of whole seconds since 1970 counted in a zone without
// changes or leap seconds: UTC, or a local time once its offset is added.
void utcCalendarFields(qint64 seconds, CalendarFields& out);

// The local calendar fields of whole seconds since 1970 (0 or later), as the
// C library's localtime_r gives them; false where it gives none or a year
// before 1970.
//
// The C library reads the zone's rules and takes a process-wide lock for
// every time, and a table of a million rows formats two million of them from
// several threads. Here each thread keeps the zone's offset for the days it
// has met: a day whose two ends have the same offset, and whose ends the
// offset converts exactly as the library does, takes every time of it from
// that offset. A day with a change in it (or a leap second) asks the library
// for each of its times. No zone changes its offset twice within a day (in
// tzdata 2025b the closest two changes after 1970 are 6.9 days apart), so an
// offset equal at both ends holds all day.
bool localCalendarFields(qint64 seconds, CalendarFields& out);

// The wall-clock seconds of a time (0 or later) on a day of one offset, as
// above: the time plus that offset. False for a day with a change in it, or
// beyond the days kept: localCalendarFields answers for those.
bool steadyLocalSeconds(qint64 seconds, qint64& wallClock);

// Forgets the offsets learned so far, on every thread. The C library reads
// the zone once; who changes TZ and calls tzset() calls this too.
void forgetLocalTimeZone();

} // namespace vc
