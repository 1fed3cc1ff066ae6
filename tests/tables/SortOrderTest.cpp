#include "tables/SortOrder.h"
#include "platform/TimeText.h"
#include "tables/SortState.h"
#include "tables/TimeKey.h"

#include <QLocale>
#include <QRandomGenerator>

#include <memory>
#include <numeric>

#include <gtest/gtest.h>

using namespace vc;

namespace {

const QString kPattern = QStringLiteral("yyyy-MM-dd HH:mm:ss");

DateSortRules rules() {
    return {kPattern, QByteArrayLiteral(" "), QDate(1980, 1, 1)};
}

std::unique_ptr<TableModel> tableOf(const QList<QByteArray>& texts, bool dateColumn) {
    auto table = std::make_unique<TableModel>(
        QStringLiteral("t"), std::vector<TableColumn>{{92, false, 0.5}, {87, dateColumn, 0.0}});
    for (int i = 0; i < texts.size(); ++i)
        table->appendRow({QByteArray::number(i), texts[i]});
    return table;
}

// The texts of column 1 in the given order.
QList<QByteArray> inOrder(const TableModel& table, const std::vector<int>& order) {
    QList<QByteArray> texts;
    for (int row : order)
        texts.append(table.cell(row, 1));
    return texts;
}

} // namespace

TEST(SortOrder, DatesAroundTheSubstituteDates) {
    const QList<QByteArray> texts = {"1980-01-03 00:00:01",
                                     "",
                                     " ",
                                     "not a date",
                                     "1980-01-02 12:00:00",
                                     "1979-12-31 23:59:59",
                                     "2009-05-01 10:00:00",
                                     "1980-01-01 00:00:01",
                                     "1980-01-02 00:00:00",
                                     "2009-05-01 10:00:01",
                                     "1980-01-03 00:00:00"};
    const auto table = tableOf(texts, true);

    // Empty text = 1980-01-01, the unconverted-time text = 1980-01-02, any
    // other unreadable text = 1980-01-03; a real date equal to a substitute
    // keeps its place relative to it (equal keys keep the current order).
    const QList<QByteArray> ascending = {"1979-12-31 23:59:59", "",
                                         "1980-01-01 00:00:01", " ",
                                         "1980-01-02 00:00:00", "1980-01-02 12:00:00",
                                         "not a date",          "1980-01-03 00:00:00",
                                         "1980-01-03 00:00:01", "2009-05-01 10:00:00",
                                         "2009-05-01 10:00:01"};
    EXPECT_EQ(inOrder(*table, sortedRowOrder(*table, 1, true, rules())), ascending);

    const QList<QByteArray> descending = {"2009-05-01 10:00:01",
                                          "2009-05-01 10:00:00",
                                          "1980-01-03 00:00:01",
                                          "not a date",
                                          "1980-01-03 00:00:00",
                                          "1980-01-02 12:00:00",
                                          " ",
                                          "1980-01-02 00:00:00",
                                          "1980-01-01 00:00:01",
                                          "",
                                          "1979-12-31 23:59:59"};
    EXPECT_EQ(inOrder(*table, sortedRowOrder(*table, 1, false, rules())), descending);

    // An unconverted-time text of another kind (the rules name it) and a
    // later base date move the substitutes with them.
    DateSortRules other{kPattern, QByteArrayLiteral("?"), QDate(2000, 1, 1)};
    const auto table2 = tableOf({"?", "1999-12-31 23:59:59", "x", "", "2000-01-02 00:00:01"}, true);
    EXPECT_EQ(inOrder(*table2, sortedRowOrder(*table2, 1, true, other)),
              QList<QByteArray>({"1999-12-31 23:59:59", "", "?", "2000-01-02 00:00:01", "x"}));
}

TEST(SortOrder, TextIgnoresLetterCaseAndKeepsTies) {
    const QList<QByteArray> texts = {"abd", "ABC", "_x", "ab", "Zed", "abc", "\xE9t\xE9", "a"};
    const auto table = tableOf(texts, false);
    // Letters fold to capitals; "_" (after "Z") and bytes above 127 by their
    // code; a prefix first; "ABC" and "abc" are equal and keep their order.
    EXPECT_EQ(inOrder(*table, sortedRowOrder(*table, 1, true, rules())),
              QList<QByteArray>({"a", "ab", "ABC", "abc", "abd", "Zed", "_x", "\xE9t\xE9"}));
    EXPECT_EQ(inOrder(*table, sortedRowOrder(*table, 1, false, rules())),
              QList<QByteArray>({"\xE9t\xE9", "_x", "Zed", "abd", "ABC", "abc", "ab", "a"}));
    EXPECT_EQ(compareTextFolded("abc", "ABC"), 0);
    EXPECT_LT(compareTextFolded("ab", "abc"), 0);
    EXPECT_GT(compareTextFolded("b", "A"), 0);

    // A date column is only sorted as dates when it is marked as one.
    const auto plain = tableOf({"2009-01-01 00:00:00", "", "1999-01-01 00:00:00"}, false);
    EXPECT_EQ(inOrder(*plain, sortedRowOrder(*plain, 1, true, rules())),
              QList<QByteArray>({"", "1999-01-01 00:00:00", "2009-01-01 00:00:00"}));
}

TEST(SortOrder, HintStateAndClicks) {
    EXPECT_EQ(readSortState(QString()).column, -1);
    EXPECT_EQ(readSortState(QStringLiteral("garbage")).column, -1);
    const SortState first = nextSortState(readSortState(QString()), 2);
    EXPECT_EQ(sortStateHint(first), QStringLiteral("2|1"));
    const SortState second = nextSortState(readSortState(sortStateHint(first)), 2);
    EXPECT_EQ(sortStateHint(second), QStringLiteral("2|0"));
    EXPECT_EQ(sortStateHint(nextSortState(second, 2)), QStringLiteral("2|1"));
    EXPECT_EQ(sortStateHint(nextSortState(second, 0)), QStringLiteral("0|1"));
    EXPECT_TRUE(readSortState(QStringLiteral("12|7")).ascending);
    EXPECT_EQ(readSortState(QStringLiteral("12|7")).column, 12);
}

TEST(TimeKeys, ReadBackWhatTheTablesWrite) {
    // Texts written by formatTimeText in several patterns read back as the
    // seconds they were written from; the locale's own parser agrees.
    setShowsUtc(true);
    const QStringList patterns = {
        kPattern, QStringLiteral("dd.MM.yyyy H:mm:ss"), QStringLiteral("M/d/yyyy h:mm:ss AP"),
        QStringLiteral("d MMM yyyy HH:mm:ss"), QStringLiteral("yyyy'y' MM/dd HH'h'mm ss")};
    QRandomGenerator random(1980);
    for (const QString& pattern : patterns) {
        setDateTimeFormat(pattern);
        const TimeKeyReader reader(pattern);
        for (int i = 0; i < 300; ++i) {
            const qint64 seconds = qint64(random.bounded(4000000000u));
            const QByteArray text = formatTimeText(seconds);
            const std::optional<qint64> key = reader.read(text);
            ASSERT_TRUE(key.has_value()) << pattern.toStdString() << " " << text.constData();
            EXPECT_EQ(*key, seconds) << pattern.toStdString() << " " << text.constData();
            const std::optional<QDateTime> parsed = parseTimeText(text);
            ASSERT_TRUE(parsed.has_value()) << text.constData();
            EXPECT_EQ(parsed->toSecsSinceEpoch(), seconds) << text.constData();
        }
    }
    setDateTimeFormat(kPattern);
    setShowsUtc(false);

    const TimeKeyReader reader(kPattern);
    EXPECT_TRUE(reader.compiled());
    EXPECT_FALSE(TimeKeyReader(QStringLiteral("d MMM yyyy HH:mm:ss")).compiled());
    EXPECT_FALSE(reader.read("2009-02-30 10:00:00").has_value()); // no such day
    EXPECT_FALSE(reader.read("2009-01-01 24:00:00").has_value());
    EXPECT_FALSE(reader.read("2009-01-01 10:00:00 ").has_value());
    EXPECT_FALSE(reader.read("2009-01-01").has_value());
    EXPECT_FALSE(reader.read(" ").has_value());
    EXPECT_EQ(*reader.read("1970-01-02 00:00:01"), 86401);
    EXPECT_EQ(*reader.read("1969-12-31 23:59:59"), -1);

    // Twelve-hour times and two-digit years, the way Windows reads them.
    const TimeKeyReader us(QStringLiteral("M/d/yy h:mm:ss AP"));
    EXPECT_TRUE(us.compiled());
    const QString pm = QLocale::system().pmText();
    const QString am = QLocale::system().amText();
    EXPECT_EQ(*us.read(("1/15/09 3:04:05 " + pm).toLatin1()),
              TimeKeyReader::keyOfDate(QDate(2009, 1, 15)) + 15 * 3600 + 4 * 60 + 5);
    EXPECT_EQ(*us.read(("12/31/99 12:00:00 " + am).toLatin1()),
              TimeKeyReader::keyOfDate(QDate(1999, 12, 31)));
    EXPECT_FALSE(us.read(("1/15/09 13:04:05 " + pm).toLatin1()).has_value());
    EXPECT_EQ(expandTwoDigitYear(9), 2009);
    EXPECT_EQ(expandTwoDigitYear(99), 1999);
}

TEST(SortOrder, TextOrderMatchesAPlainStableSortOnManyTexts) {
    // Texts with long shared starts, mixed case, duplicates, prefixes of
    // each other and bytes above 127, sorted both ways and checked against
    // a plain stable sort with the same comparison.
    QRandomGenerator random(7);
    const QList<QByteArray> starts = {"http://www.example.com/",
                                      "HTTP://WWW.EXAMPLE.COM/a",
                                      "http://ad.example.net/ads/x?id=",
                                      "",
                                      "z",
                                      "\xE9"};
    QList<QByteArray> texts;
    for (int i = 0; i < 5000; ++i) {
        QByteArray text = starts[int(random.bounded(starts.size()))];
        const int extra = int(random.bounded(20));
        for (int k = 0; k < extra; ++k)
            text.append("aAbB_\xE9"[random.bounded(6)]);
        texts.append(text);
    }
    const auto table = tableOf(texts, false);
    for (bool ascending : {true, false}) {
        std::vector<int> expected(size_t(texts.size()));
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
            const int d = compareTextFolded(texts[a], texts[b]);
            return ascending ? d < 0 : d > 0;
        });
        EXPECT_EQ(sortedRowOrder(*table, 1, ascending, rules()), expected) << ascending;
    }
}
