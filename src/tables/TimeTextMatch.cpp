#include "tables/TimeTextMatch.h"

#include "platform/LocalTime.h"
#include "platform/TimePattern.h"
#include "platform/TimeText.h"

#include <cstring>

namespace vc {

namespace {

constexpr size_t kDateSlots = 16384; // more than forty years of days
constexpr qint64 kSecondsPerDay = 86400;

} // namespace

bool TimeTextMatch::applies(const TimeTextWriter& writer, const QByteArray& needle) {
    return writer.pattern() != nullptr && writer.pattern()->splitsAtTimeOfDay() &&
           !needle.isEmpty() && needle.size() <= kLongestText;
}

TimeTextMatch::TimeTextMatch(const TimeTextWriter& writer, const QByteArray& needle,
                             const unsigned char* fold)
    : m_writer(writer), m_needle(needle), m_dates(kDateSlots, 0), m_dateKeys(kDateSlots, -1),
      m_timesOfDay(kSecondsPerDay, 0) {
    std::memcpy(m_fold.data(), fold, m_fold.size());
    m_text.resize(writer.room());
}

bool TimeTextMatch::sameFolded(const char* text, const char* needle, size_t size) const {
    for (size_t i = 0; i < size; ++i)
        if (m_fold[static_cast<unsigned char>(text[i])] != static_cast<unsigned char>(needle[i]))
            return false;
    return true;
}

bool TimeTextMatch::holdsIn(const char* text, size_t size) const {
    const size_t n = size_t(m_needle.size());
    for (size_t at = 0; at + n <= size; ++at)
        if (sameFolded(text + at, m_needle.constData(), n))
            return true;
    return false;
}

TimeTextMatch::Answer TimeTextMatch::dateAnswer(qint64 day) {
    const size_t slot = size_t(day) % kDateSlots;
    if (m_dateKeys[slot] == day)
        return m_dates[slot];
    CalendarFields when;
    utcCalendarFields(day * kSecondsPerDay, when);
    char* const text = m_text.data();
    const size_t size = size_t(m_writer.pattern()->writeDatePart(text, when) - text);
    Answer answer = kKnown | (holdsIn(text, size) ? kHolds : 0);
    const size_t n = size_t(m_needle.size());
    for (size_t k = 1; k < n && k <= size; ++k)
        if (sameFolded(text + size - k, m_needle.constData(), k))
            answer |= Answer(1) << k;
    m_dateKeys[slot] = day;
    m_dates[slot] = answer;
    return answer;
}

TimeTextMatch::Answer TimeTextMatch::timeOfDayAnswer(int second) {
    Answer& answer = m_timesOfDay[size_t(second)];
    if (answer & kKnown)
        return answer;
    CalendarFields when;
    when.hour = second / 3600;
    when.minute = second % 3600 / 60;
    when.second = second % 60;
    char* const text = m_text.data();
    const size_t size = size_t(m_writer.pattern()->writeTimeOfDayPart(text, when) - text);
    answer = kKnown | (holdsIn(text, size) ? kHolds : 0);
    const size_t n = size_t(m_needle.size());
    for (size_t k = 1; k < n; ++k)
        if (n - k <= size && sameFolded(text, m_needle.constData() + k, n - k))
            answer |= Answer(1) << k;
    return answer;
}

bool TimeTextMatch::holds(qint64 secondsSince1970) {
    qint64 wallClock = 0;
    if (!m_writer.wallClock(secondsSince1970, wallClock)) {
        // A time without a date, or on a day the local zone changes its
        // offset: the whole text.
        char* const text = m_text.data();
        return holdsIn(text, size_t(m_writer.write(secondsSince1970, text) - text));
    }
    const Answer date = dateAnswer(wallClock / kSecondsPerDay);
    if (date & kHolds)
        return true;
    const Answer timeOfDay = timeOfDayAnswer(int(wallClock % kSecondsPerDay));
    constexpr Answer kAcross = ~(kKnown | kHolds);
    return (timeOfDay & kHolds) || (date & timeOfDay & kAcross) != 0;
}

} // namespace vc
