#include "platform/CodePage.h"
#include "platform/TimeText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

using namespace vc;

namespace {

// Runs the body with TZ set, restoring the earlier zone afterwards.
class ZoneGuard {
public:
    explicit ZoneGuard(const char* zone) {
        const char* old = std::getenv("TZ");
        m_had = old != nullptr;
        if (old)
            m_old = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneGuard() {
        if (m_had)
            setenv("TZ", m_old.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool m_had = false;
    std::string m_old;
};

} // namespace

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

TEST(TimeText, DefaultFormatHasNoZoneLetter) {
    const QString format = defaultDateTimeFormat();
    EXPECT_FALSE(format.contains(QLatin1Char('t'))) << qPrintable(format);
    EXPECT_TRUE(format.contains(QLatin1Char(' ')));
}
