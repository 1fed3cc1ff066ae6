#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <array>
#include <vector>

namespace vc {

class TimeTextWriter;

// Whether the texts of many times hold one text, letters folded as a
// table's filter folds them, without writing each whole text. A usual
// pattern's text is its date part followed by its time-of-day part
// (TimePattern::splitsAtTimeOfDay); the answer is kept for every date and
// every second of the day met (by the wall-clock seconds the writer gives
// where that is cheap; any other time's text is written whole), with how far each part ends (a
// date) or starts (a time of day) with a piece of the text, which finds a
// match that runs across the two parts too. The answers hold for one
// search: the pattern and the zone must not change meanwhile.
class TimeTextMatch {
public:
    // Whether the texts of that writer can be matched so: a fast pattern
    // that splits, a text of 1 to kLongestText bytes.
    static bool applies(const TimeTextWriter& writer, const QByteArray& needle);
    // needle: the text, folded; fold: the byte of each byte, folded.
    TimeTextMatch(const TimeTextWriter& writer, const QByteArray& needle,
                  const unsigned char* fold);

    // Whether the text of that time holds the needle.
    bool holds(qint64 secondsSince1970);

    static constexpr qsizetype kLongestText = 62;

private:
    // A part's answer: bit 0 once it is known, bit 63 when the part holds
    // the needle, bit k (1 <= k < needle size) when a date part ends with
    // the needle's first k bytes, or a time-of-day part starts with the
    // needle from its byte k on.
    using Answer = quint64;
    static constexpr Answer kKnown = 1;
    static constexpr Answer kHolds = Answer(1) << 63;

    // The answer for a day (days since 1970 of the wall-clock time) and for
    // a second of the day.
    Answer dateAnswer(qint64 day);
    Answer timeOfDayAnswer(int second);
    bool holdsIn(const char* text, size_t size) const;
    bool sameFolded(const char* text, const char* needle, size_t size) const;

    const TimeTextWriter& m_writer;
    QByteArray m_needle;
    std::array<unsigned char, 256> m_fold;
    // Answers by date (a slot of the day's number, with the date it holds)
    // and by second of the day.
    std::vector<Answer> m_dates;
    std::vector<qint64> m_dateKeys;
    std::vector<Answer> m_timesOfDay;
    QByteArray m_text; // where a part or a whole text is written
};

} // namespace vc
