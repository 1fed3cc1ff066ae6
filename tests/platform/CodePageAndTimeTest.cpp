#include "platform/CodePage.h"
#include "platform/TimeText.h"
#include "support/ZoneGuard.h"

#include <gtest/gtest.h>

using namespace vc;

using vc::testing::ZoneGuard;

TEST(CodePage, DecodesAndEncodesWindowsPages) {
    ASSERT_TRUE(setSourceCodePage(QStringLiteral("windows-1252")));
    // 0x80 is the euro sign, 0x92 the right single quotation mark, 0xE9 é.
    EXPECT_EQ(decodeEvidence(QByteArray("\x80\x92\xE9", 3)),
              QString(QChar(0x20AC)) + QChar(0x2019) + QChar(0xE9));
    EXPECT_EQ(encodeEvidence(QString(QChar(0x2019))), QByteArray("\x92"));
    // A character the page cannot hold becomes "?".
    EXPECT_EQ(encodeEvidence(QString(QChar(0x0416))), QByteArray("?"));

    ASSERT_TRUE(setSourceCodePage(QStringLiteral("cp1251")));
    EXPECT_EQ(sourceCodePage(), QStringLiteral("windows-1251"));
    EXPECT_EQ(decodeEvidence(QByteArray("\xC6", 1)), QString(QChar(0x0416)));
    EXPECT_EQ(encodeEvidence(QString(QChar(0x0416))), QByteArray("\xC6"));

    ASSERT_TRUE(setSourceCodePage(QStringLiteral("UTF-8")));
    EXPECT_EQ(decodeEvidence(QByteArray("\xC3\xA9")), QString(QChar(0xE9)));

    EXPECT_FALSE(setSourceCodePage(QStringLiteral("no-such-page")));
    EXPECT_EQ(sourceCodePage(), QStringLiteral("utf-8"));
    ASSERT_TRUE(setSourceCodePage(QStringLiteral("windows-1252")));
}

TEST(TimeText, WindowsRuntimeRulesAndZones) {
    setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    setShowsUtc(false);
    {
        ZoneGuard zone("UTC");
        EXPECT_EQ(formatTimeText(0), QByteArray("1970-01-01 00:00:00"));
        EXPECT_EQ(formatTimeText(1234567890), QByteArray("2009-02-13 23:31:30"));
        // After January 2038 the time is still right.
        EXPECT_EQ(formatTimeText(4102444800LL), QByteArray("2100-01-01 00:00:00"));
        // Negative times and times after the year 3000 have no calendar time.
        EXPECT_EQ(formatTimeText(-1), kUnconvertedTimeText);
        EXPECT_EQ(formatTimeText(32535216000LL), kUnconvertedTimeText);
        EXPECT_EQ(formatTimeText(32535215999LL), QByteArray("3000-12-31 23:59:59"));
    }
    {
        // West of Greenwich the first hours after the epoch are local times
        // before 1970: unconvertible, as the Windows runtime has it.
        ZoneGuard zone("EST5");
        EXPECT_EQ(formatTimeText(3600), kUnconvertedTimeText);
        EXPECT_EQ(formatTimeText(18000), QByteArray("1970-01-01 00:00:00"));
        EXPECT_EQ(formatTimeText(1234567890), QByteArray("2009-02-13 18:31:30"));
        // Showing UTC ignores the zone.
        setShowsUtc(true);
        EXPECT_EQ(formatTimeText(1234567890), QByteArray("2009-02-13 23:31:30"));
        setShowsUtc(false);
    }
    {
        ZoneGuard zone("Europe/Berlin");
        // Summer time is applied by the zone rules.
        EXPECT_EQ(formatTimeText(1246406400), QByteArray("2009-07-01 02:00:00"));
    }
    // A time text reads back to the same wall-clock fields.
    const auto back = parseTimeText(QByteArray("2009-02-13 23:31:30"));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->date(), QDate(2009, 2, 13));
    EXPECT_EQ(back->time(), QTime(23, 31, 30));
    EXPECT_FALSE(parseTimeText(QByteArray(" ")).has_value());
    EXPECT_FALSE(parseTimeText(QByteArray()).has_value());
}

TEST(TimeText, UtcFieldsAgreeWithTheCLibraryEverywhere) {
    // UTC is worked out without the C library: every field, weekday
    // included, must be what gmtime gives, across leap years, century
    // years and the whole range up to the year 3000.
    setShowsUtc(true);
    std::vector<qint64> times = {0,         59,           86399,        86400,        951782400,
                                 951868799, 4107542400LL, 4107628799LL, 32535215999LL};
    quint64 seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        times.push_back(qint64(seed >> 20) % 32535216000LL);
    }
    for (qint64 seconds : times) {
        const auto ours = localCalendarTime(seconds);
        ASSERT_TRUE(ours.has_value()) << seconds;
        const time_t t = time_t(seconds);
        struct tm fields {};
        ASSERT_NE(gmtime_r(&t, &fields), nullptr);
        ASSERT_EQ(ours->date(), QDate(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday))
            << seconds;
        ASSERT_EQ(ours->time(), QTime(fields.tm_hour, fields.tm_min, fields.tm_sec)) << seconds;
        ASSERT_EQ(ours->date().dayOfWeek() % 7, fields.tm_wday) << seconds;
    }
    // The weekday of the text itself (the pattern's own field).
    setDateTimeFormat(QStringLiteral("dddd yyyy-MM-dd"));
    for (size_t i = 0; i < times.size(); i += 97) {
        const QDateTime when = QDateTime::fromSecsSinceEpoch(times[i], Qt::UTC);
        ASSERT_EQ(QString::fromLatin1(formatTimeText(times[i])).section(QLatin1Char(' '), 1),
                  when.toString(QStringLiteral("yyyy-MM-dd")));
        ASSERT_EQ(formatTimeText(times[i]).split(' ').first(),
                  QLocale::system().dayName(when.date().dayOfWeek()).toLocal8Bit())
            << times[i];
    }
    setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    setShowsUtc(false);
}

TEST(TimeText, DefaultFormatHasNoZoneLetter) {
    const QString format = defaultDateTimeFormat();
    EXPECT_FALSE(format.contains(QLatin1Char('t'))) << qPrintable(format);
    EXPECT_TRUE(format.contains(QLatin1Char(' ')));
}
