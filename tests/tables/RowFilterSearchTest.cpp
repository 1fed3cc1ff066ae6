// How the filter searches: rows long enough for the sixteen-byte search,
// tables large enough for several threads, the time texts matched by their
// date and time-of-day parts, a text typed on searching only the rows kept,
// and a zone switch filtering again.
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "platform/TimeText.h"
#include "platform/TimeValue.h"
#include "support/ZoneGuard.h"
#include "tables/RowFilter.h"
#include "tables/TimeTextMatch.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace vc;

namespace {

std::vector<TableColumn> fiveColumns() {
    return {{92, false, 0.3}, {87, true, 0.2}, {93, false, 0.2}, {88, true, 0.1}, {95, false, 0.0}};
}

constexpr qint64 kFileTime1970 = 11644473600LL * 10000000LL;

// A random time cell of 1965 to 2040, of every kind and rule the tables use.
QByteArray randomTimeCell(QRandomGenerator& random) {
    const qint64 seconds = -157766400LL + qint64(random.bounded(2366841600u));
    switch (random.bounded(6)) {
    case 0:
        return timeCell({TimeKind::UnixSeconds, TimeRule::Open, seconds});
    case 1:
        return timeCell(
            {TimeKind::WebKitMicroseconds, TimeRule::Blank, (seconds + 11644473600LL) * 1000000LL});
    case 2:
        return timeCell(
            {TimeKind::LocalFileTime, TimeRule::Runtime, kFileTime1970 + seconds * 10000000LL});
    default:
        return timeCell(
            {TimeKind::FileTime, TimeRule::Runtime, kFileTime1970 + seconds * 10000000LL});
    }
}

class FilterSearch : public ::testing::Test {
protected:
    void SetUp() override {
        fillDefaultInterfaceTexts();
        m_pattern = dateTimeFormat();
        m_codePage = sourceCodePage();
        m_utc = showsUtc();
        setShowsUtc(true);
        setDateTimeFormat(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
        ASSERT_TRUE(setSourceCodePage(QStringLiteral("windows-1252")));
    }
    void TearDown() override {
        setDateTimeFormat(m_pattern);
        setSourceCodePage(m_codePage);
        setShowsUtc(m_utc);
    }

private:
    QString m_pattern;
    QString m_codePage;
    bool m_utc = true;
};

// The stored rows whose shown cells (of those columns) hold the text, by a
// plain search of the texts the table shows.
std::vector<int> plainSearch(const std::vector<QStringList>& shownCells,
                             const std::vector<int>& columns, const QString& text) {
    std::vector<int> rows;
    for (size_t r = 0; r < shownCells.size(); ++r)
        for (int c : columns)
            if (shownCells[r].at(c).contains(text, Qt::CaseInsensitive)) {
                rows.push_back(int(r));
                break;
            }
    return rows;
}

std::vector<int> shownStoredRows(const TableModel& table) {
    std::vector<int> rows;
    for (int r = 0; r < table.rows(); ++r)
        rows.push_back(table.storedRow(r));
    return rows;
}

} // namespace

TEST_F(FilterSearch, ManyLongRowsOnSeveralThreadsAgreeWithAPlainSearch) {
    // Enough rows for two threads or more and for the kept time answers;
    // text cells of up to 120 bytes, so that most are searched sixteen
    // bytes at a time and end in a shorter rest.
    constexpr int kRows = 140000;
    TableModel table(QStringLiteral("t"), fiveColumns());
    QRandomGenerator random(7);
    const QString alphabet = QStringLiteral("aAbB1209.: äÄ");
    std::vector<QStringList> shownCells;
    shownCells.reserve(kRows);
    table.beginBulkUpdate();
    table.reserveRows(kRows);
    for (int r = 0; r < kRows; ++r) {
        QList<QByteArray> cells;
        for (int c = 0; c < 5; ++c) {
            if ((c == 1 || c == 3) && random.bounded(4) != 0) {
                cells.append(randomTimeCell(random));
                continue;
            }
            QString text;
            const int length = int(random.bounded(c == 0 ? 121 : 24));
            for (int k = 0; k < length; ++k)
                text.append(alphabet.at(int(random.bounded(alphabet.size()))));
            cells.append(encodeEvidence(text));
        }
        table.appendRow(cells);
    }
    table.endBulkUpdate();
    for (int r = 0; r < kRows; ++r) {
        QStringList cells;
        for (int c = 0; c < 5; ++c)
            cells << table.decodeCell(c, table.storedCellView(r, c));
        shownCells.push_back(cells);
    }

    const QStringList needles = {QStringLiteral("a"),          QStringLiteral("ä"),
                                 QStringLiteral("bA1"),        QStringLiteral("2011"),
                                 QStringLiteral("23.05.2011"), QStringLiteral("11 0"),
                                 QStringLiteral("9 23:5"),     QStringLiteral(".19"),
                                 QStringLiteral(" "),          QStringLiteral("aab.:"),
                                 QStringLiteral("ÄÄ"),         QStringLiteral("0"),
                                 QStringLiteral("12.1987 0"),  QStringLiteral("b").repeated(70)};
    for (const std::vector<int>& columns :
         {std::vector<int>{0, 1, 2, 3, 4}, std::vector<int>{4, 3, 0}}) {
        table.setShownColumns(columns);
        for (const QString& needle : columns.size() == 5 ? needles : needles.mid(3, 6))
            EXPECT_EQ(filteredRows(table, needle), plainSearch(shownCells, columns, needle))
                << needle.toStdString() << " in " << columns.size() << " columns";
    }

    // The same in the local time of a zone with summer time, whose days of
    // change have times of two offsets.
    const vc::testing::ZoneGuard zone("Europe/Berlin");
    setShowsUtc(false);
    table.setShownColumns({0, 1, 2, 3, 4});
    for (int r = 0; r < kRows; ++r)
        for (int c : {1, 3})
            shownCells[size_t(r)][c] = table.decodeCell(c, table.storedCellView(r, c));
    for (const QString& needle : {QStringLiteral("2011 0"), QStringLiteral("03.2011 02:"),
                                  QStringLiteral("27.03.2011"), QStringLiteral(":00:0")})
        EXPECT_EQ(filteredRows(table, needle), plainSearch(shownCells, {0, 1, 2, 3, 4}, needle))
            << needle.toStdString() << " in local time";
}

TEST_F(FilterSearch, TimeTextsMatchedByTheirPartsAgreeWithTheWrittenTexts) {
    QRandomGenerator random(11);
    std::vector<qint64> times;
    for (int i = 0; i < 20000; ++i)
        times.push_back(qint64(random.bounded(4102444800u))); // 1970 to 2100
    // Every hour around the changes of 2011 and 1996 in Europe, the first
    // and last seconds the runtime converts, and a time beyond them.
    for (qint64 around : {1301187600LL, 1319936400LL, 828234000LL})
        for (int hour = -30; hour <= 30; ++hour)
            times.push_back(around + hour * 3599LL);
    times.insert(times.end(), {0LL, 1LL, 32535215999LL, 32535216000LL, 40000000000LL});

    unsigned char fold[256];
    for (int i = 0; i < 256; ++i)
        fold[i] = (i >= 'a' && i <= 'z') ? (unsigned char)(i - 'a' + 'A') : (unsigned char)i;
    const QStringList needles = {
        QStringLiteral("2011"), QStringLiteral("11 0"), QStringLiteral("1 1:"),
        QStringLiteral(":00"),  QStringLiteral("PM"),   QStringLiteral("SUN 2"),
        QStringLiteral("T0"),   QStringLiteral("7.20"), QStringLiteral("-03-27T02"),
        QStringLiteral(" "),    QStringLiteral("9")};
    for (const bool utc : {true, false}) {
        const vc::testing::ZoneGuard zone("Europe/Berlin");
        setShowsUtc(utc);
        for (const QString& pattern :
             {QStringLiteral("dd.MM.yyyy HH:mm:ss"), QStringLiteral("ddd d MMM yyyy h:mm:ss AP"),
              QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"), QStringLiteral("HH:mm:ss dd.MM.yyyy")}) {
            setDateTimeFormat(pattern);
            const TimeTextWriter writer;
            const bool splits = !pattern.startsWith(QLatin1Char('H'));
            EXPECT_EQ(TimeTextMatch::applies(writer, "2011"), splits) << pattern.toStdString();
            if (!splits)
                continue;
            EXPECT_FALSE(TimeTextMatch::applies(writer, QByteArray(63, '1')));
            for (const QString& needle : needles) {
                const QByteArray folded = needle.toLatin1().toUpper();
                TimeTextMatch match(writer, folded, fold);
                for (const qint64 t : times)
                    ASSERT_EQ(match.holds(t), formatTimeText(t).toUpper().contains(folded))
                        << needle.toStdString() << " in " << formatTimeText(t).constData() << " ("
                        << pattern.toStdString() << (utc ? ", UTC)" : ", local)");
            }
        }
    }
}

TEST_F(FilterSearch, TypingOnSearchesTheRowsKeptAndAZoneSwitchFiltersAgain) {
    TableModel table(QStringLiteral("t"), fiveColumns());
    QRandomGenerator random(3);
    table.beginBulkUpdate();
    for (int r = 0; r < 6000; ++r)
        table.appendRow({"row " + QByteArray::number(random.bounded(100000)),
                         randomTimeCell(random), r % 2 ? "Ab" : "aB"});
    table.endBulkUpdate();
    // Each text holds the one before: the rows kept are those a search of
    // every row keeps, also after a text that holds none of them.
    for (const QString& typed :
         {QStringLiteral("2"), QStringLiteral("20"), QStringLiteral("201"), QStringLiteral("2011"),
          QStringLiteral("2012"), QStringLiteral("2"), QStringLiteral("ab"), QStringLiteral("aB"),
          QStringLiteral("aB "), QStringLiteral("1"), QStringLiteral("1x"), QStringLiteral("1")}) {
        table.setFilterText(typed);
        EXPECT_EQ(shownStoredRows(table), filteredRows(table, typed)) << typed.toStdString();
    }

    // A text compared on decoded rows after one compared byte by byte: the
    // Kelvin sign matches "k" only as decoded text, so the rows the first
    // text kept are not all the second can keep.
    TableModel utf8(QStringLiteral("t"), fiveColumns());
    utf8.setCellEncoding(CellEncoding::Utf8);
    utf8.appendRow({QStringLiteral("\u212Aů").toUtf8()});
    utf8.appendRow({QByteArray("kx")});
    utf8.setFilterText(QStringLiteral("k"));
    EXPECT_EQ(shownStoredRows(utf8), std::vector<int>{1});
    utf8.setFilterText(QStringLiteral("ků"));
    EXPECT_EQ(shownStoredRows(utf8), std::vector<int>{0});

    // 23 May 2011 23:30 UTC is 24 May in Berlin: a filter of that date
    // shows the row only while the times are shown in local time.
    const vc::testing::ZoneGuard zone("Europe/Berlin");
    TableModel times(QStringLiteral("t"), fiveColumns());
    times.appendRow({"x", timeCell({TimeKind::FileTime, TimeRule::Runtime,
                                    kFileTime1970 + 1306193400LL * 10000000LL})});
    times.setFilterText(QStringLiteral("24.05.2011"));
    EXPECT_EQ(times.rows(), 0);
    setShowsUtc(false);
    times.refreshTimes();
    EXPECT_EQ(times.rows(), 1);
    EXPECT_EQ(times.cellText(0, 1), QStringLiteral("24.05.2011 01:30:00"));
    setShowsUtc(true);
    times.refreshTimes();
    EXPECT_EQ(times.rows(), 0);
}
