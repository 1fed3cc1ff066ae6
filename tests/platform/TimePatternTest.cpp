// The pattern read once must write exactly what QLocale writes for the same
// pattern, in any locale, or step aside.
#include "platform/TimePattern.h"
#include "platform/CodePage.h"
#include "platform/TimeText.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace vc;

namespace {

CalendarFields fieldsOf(const QDateTime& when) {
    return {when.date().year(), when.date().month(),  when.date().day(),   when.date().dayOfWeek(),
            when.time().hour(), when.time().minute(), when.time().second()};
}

QByteArray utf8(const QString& text) {
    return text.toUtf8();
}

} // namespace

TEST(TimePattern, WritesWhatQLocaleWritesForManyTimes) {
    const QStringList patterns = {
        QStringLiteral("dd.MM.yyyy HH:mm:ss"),
        QStringLiteral("M/d/yyyy h:mm:ss AP"),
        QStringLiteral("d MMM yyyy H:m:s"),
        QStringLiteral("dddd, MMMM d, yyyy hh:mm:ss ap"),
        QStringLiteral("ddd yy-M-d h'h'mm 'o''clock' '' Ap"),
        QStringLiteral("yyyyy dddddd MMMMM hhh zzz z a"),
        QStringLiteral("yyy-MM-dd'T'HH:mm:ss.zzz"),
    };
    const char* locales[] = {"C", "en_US", "de_DE", "ru_RU", "ja_JP", "fr_FR", "zh_CN"};
    QRandomGenerator random(20261208);
    for (const char* name : locales) {
        const QLocale locale{QLatin1String(name)};
        for (const QString& text : patterns) {
            TimePattern pattern(text, locale, utf8);
            ASSERT_TRUE(pattern.fast()) << name << " " << text.toStdString();
            for (int k = 0; k < 400; ++k) {
                const qint64 seconds = qint64(random.bounded(32535215999.0));
                const QDateTime when = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
                QByteArray fast("-");
                pattern.append(fast, fieldsOf(when));
                ASSERT_EQ(fast, "-" + utf8(locale.toString(when, text)))
                    << name << " " << text.toStdString() << " " << seconds;
            }
        }
    }
}

TEST(TimePattern, StepsAsideWhereItCannotMatch) {
    // The zone name, and a digit set other than 0-9, go through QLocale.
    EXPECT_FALSE(TimePattern(QStringLiteral("HH:mm t"), QLocale::c(), utf8).fast());
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    if (arabic.zeroDigit() != QStringLiteral("0")) {
        EXPECT_FALSE(TimePattern(QStringLiteral("dd.MM.yyyy"), arabic, utf8).fast());
    }

    // Through formatTimeText: a zone letter still gives QLocale's text.
    setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm 't'"));
    EXPECT_EQ(formatTimeText(1234567890), "2009-02-13 23:31 t");
    // Names are written in the evidence code page, not as UTF-8.
    ASSERT_TRUE(setSourceCodePage(QStringLiteral("windows-1252")));
    setDateTimeFormat(QStringLiteral("'\u00e9t\u00e9' yyyy"));
    EXPECT_EQ(formatTimeText(1234567890), QByteArray("\xE9t\xE9 2009"));
    // A new code page alone re-encodes the pattern's texts.
    ASSERT_TRUE(setSourceCodePage(QStringLiteral("utf-8")));
    EXPECT_EQ(formatTimeText(1234567890), QByteArray("\xC3\xA9t\xC3\xA9 2009"));
    ASSERT_TRUE(setSourceCodePage(QStringLiteral("windows-1252")));
    EXPECT_EQ(formatTimeText(1234567890), QByteArray("\xE9t\xE9 2009"));
    setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(formatTimeText(1234567890), "2009-02-13 23:31:30");
}
