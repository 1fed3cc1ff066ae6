// The filter box's core: which rows a text keeps, how the table's row
// numbers follow the rows shown (cells, sort, refill, count), and what the
// copy and both exports write of a filtered table with hidden and moved
// columns.
#include "tables/RowFilter.h"
#include "TestData.h"
#include "cache/ActivityLoad.h"
#include "cache/CacheSources.h"
#include "evidence/Sources.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "platform/TimeText.h"
#include "platform/TimeValue.h"
#include "platform/WorkFile.h"
#include "tables/NewestDate.h"
#include "tables/RowCopy.h"
#include "tables/SortOrder.h"
#include "tables/TabDelimitedWriter.h"
#include "tables/XmlSpreadsheetWriter.h"

#include <QBuffer>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace vc;

namespace {

std::vector<TableColumn> fourColumns() {
    return {{92, false, 0.3}, {87, true, 0.2}, {93, false, 0.2}, {95, false, 0.0}};
}

// 2011-05-23 12:34:56 UTC as a FILETIME.
constexpr qint64 kMay2011 = (1306154096LL + 11644473600LL) * 10000000LL;

QByteArray fileTimeCell(qint64 filetime) {
    return timeCell(TimeValue{TimeKind::FileTime, TimeRule::Runtime, filetime});
}

// The shown rows of a table, each as its cells joined by "|".
QStringList shownRows(const TableModel& table) {
    QStringList rows;
    for (int r = 0; r < table.rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < table.columns(); ++c)
            cells << table.cellText(r, c);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QByteArray tabExport(const TableModel& table, ExportEncoding encoding) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteTabDelimited(table, buffer, "\r\n", nullptr, encoding));
    return buffer.data();
}

QByteArray xmlExport(const TableModel& table) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteXmlSpreadsheet(table, buffer,
                                    {QStringLiteral("x.xml"), QStringLiteral("t"), {}}, nullptr));
    return buffer.data();
}

class TimesInUtc : public ::testing::Test {
protected:
    void SetUp() override {
        fillDefaultInterfaceTexts();
        m_pattern = dateTimeFormat();
        m_codePage = sourceCodePage();
        setShowsUtc(true);
        setDateTimeFormat(QStringLiteral("dd MMM yyyy HH:mm:ss"));
    }
    void TearDown() override {
        setDateTimeFormat(m_pattern);
        setSourceCodePage(m_codePage);
    }

private:
    QString m_pattern;
    QString m_codePage;
};

} // namespace

TEST_F(TimesInUtc, FilterAgreesWithAPlainSearchOfTheShownCells) {
    // Random rows of letters of both cases, blanks and time cells; random
    // texts; every column shown, then two of them hidden.
    TableModel table(QStringLiteral("t"), fourColumns());
    QRandomGenerator random(20);
    const char alphabet[] = "abAB x1";
    table.beginBulkUpdate();
    for (int r = 0; r < 600; ++r) {
        QList<QByteArray> cells;
        const int count = int(random.bounded(5)); // rows with fewer cells too
        for (int c = 0; c < count; ++c) {
            QByteArray cell;
            if (c == 1 && random.bounded(2)) {
                cell = fileTimeCell(kMay2011 + qint64(random.bounded(40)) * 86400LL * 10000000LL);
            } else {
                const int length = int(random.bounded(7));
                for (int k = 0; k < length; ++k)
                    cell.append(alphabet[random.bounded(7)]);
            }
            cells.append(cell);
        }
        table.appendRow(cells);
    }
    table.endBulkUpdate();

    const QStringList needles = {
        QStringLiteral("a"),    QStringLiteral("B"),        QStringLiteral("ab"),
        QStringLiteral("Ba A"), QStringLiteral("x1"),       QStringLiteral("1 ab"),
        QStringLiteral("Jun"),  QStringLiteral("may 2011"), QStringLiteral("01 JUN 2011 12"),
        QStringLiteral("abba"), QStringLiteral("aaaaaaaa")};
    for (const std::vector<int>& shown : {std::vector<int>{0, 1, 2, 3}, std::vector<int>{3, 1}}) {
        table.setShownColumns(shown);
        for (const QString& needle : needles) {
            std::vector<int> expected;
            for (int r = 0; r < table.storedRows(); ++r) {
                bool holds = false;
                for (int c : shown)
                    holds = holds || QString::fromLatin1(cellTimeText(table.storedCellView(r, c)))
                                         .contains(needle, Qt::CaseInsensitive);
                if (holds)
                    expected.push_back(r);
            }
            EXPECT_EQ(filteredRows(table, needle), expected)
                << needle.toStdString() << " in " << shown.size() << " columns";
        }
    }
    // A time cell is matched by its text, never by the number it stores,
    // and a text never spans two cells.
    TableModel times(QStringLiteral("t"), fourColumns());
    times.appendRow({"x", fileTimeCell(kMay2011), "ab", "cd"});
    const QByteArray stored = fileTimeCell(kMay2011).mid(3, 6);
    EXPECT_TRUE(filteredRows(times, QString::fromLatin1(stored)).empty()) << stored.constData();
    EXPECT_EQ(filteredRows(times, QStringLiteral("23 May 2011 12:34")), std::vector<int>{0});
    EXPECT_TRUE(filteredRows(times, QStringLiteral("bc")).empty());
}

TEST_F(TimesInUtc, LettersOfTheCodePageAndOfUtf8IgnoreCase) {
    ASSERT_TRUE(setSourceCodePage(QStringLiteral("windows-1251")));
    TableModel codePage(QStringLiteral("t"), fourColumns());
    codePage.appendRow({encodeEvidence(QStringLiteral("ПРИВЕТ мир")), "", "C:\\x"});
    codePage.appendRow({encodeEvidence(QStringLiteral("пока")), "", "C:\\y"});
    EXPECT_EQ(filteredRows(codePage, QStringLiteral("привет")), std::vector<int>{0});
    EXPECT_EQ(filteredRows(codePage, QStringLiteral("МИР")), std::vector<int>{0});
    EXPECT_EQ(filteredRows(codePage, QStringLiteral("ПОКА")), std::vector<int>{1});
    EXPECT_EQ(filteredRows(codePage, QStringLiteral("c:\\")), (std::vector<int>{0, 1}));

    TableModel utf8(QStringLiteral("t"), fourColumns());
    utf8.setCellEncoding(CellEncoding::Utf8);
    utf8.appendRow({QStringLiteral("Žluťoučký kůň").toUtf8(), fileTimeCell(kMay2011), "x"});
    utf8.appendRow({QByteArray("kun"), "", "Ž"});
    EXPECT_EQ(filteredRows(utf8, QStringLiteral("ŽLUŤOUČKÝ")), std::vector<int>{0});
    EXPECT_EQ(filteredRows(utf8, QStringLiteral("KŮŇ")), std::vector<int>{0});
    EXPECT_EQ(filteredRows(utf8, QStringLiteral("KUN")), std::vector<int>{1});
    // A letter beyond ASCII in a hidden column does not match; the time is
    // matched by its text on this path too.
    utf8.setShownColumns({0, 1});
    EXPECT_TRUE(filteredRows(utf8, QStringLiteral("ž")) == std::vector<int>{0});
    EXPECT_EQ(filteredRows(utf8, QStringLiteral("ň 23")), std::vector<int>{});
    EXPECT_EQ(filteredRows(utf8, QStringLiteral("may 2011")), std::vector<int>{0});
}

TEST_F(TimesInUtc, RowNumbersSortRefillAndCountFollowTheRowsShown) {
    TableModel table(QStringLiteral("t"), fourColumns());
    table.beginBulkUpdate();
    for (int i = 0; i < 10; ++i)
        table.appendRow({"row" + QByteArray::number(i) + (i % 3 == 0 ? " keep" : ""),
                         fileTimeCell(kMay2011 - qint64(i) * 86400LL * 10000000LL),
                         QByteArray::number(9 - i), "c"});
    table.endBulkUpdate();

    table.setFilterText(QStringLiteral("KEEP"));
    ASSERT_EQ(table.rows(), 4);
    EXPECT_EQ(table.rowCount(), 4);
    EXPECT_EQ(table.storedRows(), 10);
    EXPECT_EQ(table.cell(1, 0), QByteArray("row3 keep"));
    EXPECT_EQ(table.cellText(1, 1), QStringLiteral("20 May 2011 12:34:56"));
    EXPECT_EQ(table.joinedRow(3, '|'), QByteArray("row9 keep|14 May 2011 12:34:56|0|c"));
    EXPECT_EQ(table.storedRow(2), 6);
    EXPECT_EQ(table.shownRow(6), 2);
    EXPECT_EQ(table.shownRow(5), -1);
    EXPECT_EQ(table.storedRow(4), -1);
    EXPECT_TRUE(table.cell(4, 0).isEmpty());
    EXPECT_EQ(shownRowCount(table), QStringLiteral("4 of 10"));

    // A sort orders every row; the same four stay shown, in the new order,
    // and the whole table is in that order once the filter is emptied.
    const DateSortRules rules{dateTimeFormat(), " ", QDate(1970, 1, 1)};
    table.applyOrder(sortedRowOrder(table, 1, true, rules));
    EXPECT_EQ(shownRows(table).join(QLatin1Char(';')),
              QStringLiteral("row9 keep|14 May 2011 12:34:56|0|c;row6 keep|17 May 2011 "
                             "12:34:56|3|c;row3 keep|20 May 2011 12:34:56|6|c;row0 keep|23 May "
                             "2011 12:34:56|9|c"));
    table.setFilterText(QString());
    EXPECT_EQ(table.rows(), 10);
    EXPECT_EQ(shownRowCount(table), QStringLiteral("10"));
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(table.cell(r, 2), QByteArray::number(r)) << r;

    // The filter stays across a refill and takes rows added one by one.
    table.setFilterText(QStringLiteral("b"));
    table.beginBulkUpdate();
    table.clearRows();
    table.appendRow({"a"});
    table.appendRow({"B"});
    table.appendRow({"c", "", "abc"});
    table.endBulkUpdate();
    EXPECT_EQ(shownRows(table), QStringList({QStringLiteral("B|||"), QStringLiteral("c||abc|")}));
    table.appendRow({"xb"});
    table.appendRow({"xx"});
    EXPECT_EQ(table.rows(), 3);
    EXPECT_EQ(table.cell(2, 0), QByteArray("xb"));
    EXPECT_EQ(shownRowCount(table), QStringLiteral("3 of 5"));
    // Hiding the column that held the text hides its row too.
    table.setShownColumns({0, 1, 3});
    EXPECT_EQ(shownRows(table), QStringList({QStringLiteral("B|||"), QStringLiteral("xb|||")}));
    table.removeAllRows();
    EXPECT_EQ(table.rows(), 0);
    EXPECT_EQ(shownRowCount(table), QStringLiteral("0 of 0"));
}

TEST_F(TimesInUtc, CopyAndExportsWriteTheShownRowsAndColumnsInTheirOrder) {
    TableModel table(QStringLiteral("t"), fourColumns());
    table.appendRow({"http://a.example/", fileTimeCell(kMay2011), "a.htm", "u1"});
    table.appendRow({"http://b.example/", "", "b.htm", "u2"});
    table.appendRow({"http://c.example/", fileTimeCell(kMay2011 + 864000000000LL), "c.gif", "w3"});
    const QByteArray tabBefore = tabExport(table, ExportEncoding::CodePage);
    const QByteArray utf8Before = tabExport(table, ExportEncoding::Utf8);
    const QByteArray xmlBefore = xmlExport(table);

    table.setShownColumns({3, 0, 1}); // the third column hidden
    table.setFilterText(QStringLiteral("U"));
    EXPECT_EQ(tabExport(table, ExportEncoding::CodePage),
              QByteArray("User\tURL\tModified\r\n"
                         "u1\thttp://a.example/\t23 May 2011 12:34:56\r\n"
                         "u2\thttp://b.example/\t\r\n")
                  .replace("User", encodeEvidence(interfaceText(95)))
                  .replace("URL", encodeEvidence(interfaceText(92)))
                  .replace("Modified", encodeEvidence(interfaceText(87))));
    EXPECT_EQ(rowsAsTabText(table, {1, 0, 7}),
              interfaceText(95) + QLatin1Char('\t') + interfaceText(92) + QLatin1Char('\t') +
                  interfaceText(87) +
                  QStringLiteral("\nu2\thttp://b.example/\t\nu1\thttp://a.example/\t23 May 2011 "
                                 "12:34:56\n"));
    const QByteArray xml = xmlExport(table);
    EXPECT_TRUE(xml.contains("ss:ExpandedColumnCount=\"3\" ss:ExpandedRowCount=\"4\""));
    EXPECT_FALSE(xml.contains("a.htm"));
    EXPECT_FALSE(xml.contains("c.example"));
    // The shown order, the date style on the second and fourth sheet
    // column whatever their table column.
    EXPECT_TRUE(xml.contains("<Cell><Data ss:Type=\"String\">u1</Data></Cell>\r\n    <Cell "
                             "ss:StyleID=\"s30\"><Data ss:Type=\"String\">http://a.example/"))
        << xml.right(900).constData();

    // Every column shown again and in its order, every row shown: the same
    // bytes as before anything was hidden or moved.
    table.setFilterText(QString());
    table.setShownColumns({0, 1, 2, 3});
    EXPECT_TRUE(table.allColumnsInOrder());
    EXPECT_EQ(tabExport(table, ExportEncoding::CodePage), tabBefore);
    EXPECT_EQ(tabExport(table, ExportEncoding::Utf8), utf8Before);
    EXPECT_EQ(xmlExport(table), xmlBefore);
}

TEST(ColumnLayoutExport, ARealActivityTableExportsAsBeforeOnceEveryColumnIsBack) {
    const QString pattern = dateTimeFormat();
    setShowsUtc(true);
    setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const std::unique_ptr<TableModel> table = makeSourceTable(activitySource());
    WorkFile work;
    ASSERT_TRUE(LoadActivity(testDataPath(QStringLiteral("content-ie5-index.dat")), true, work,
                             LoadContext{}, *table)
                    .workFileOpened);
    ASSERT_GT(table->rows(), 10);
    const QByteArray tab = tabExport(*table, ExportEncoding::CodePage);
    const QByteArray utf8 = tabExport(*table, ExportEncoding::Utf8);
    const QByteArray xml = xmlExport(*table);
    const int columns = table->columns();

    // Reversed, then with the first column hidden: each line has the cells
    // of the table's own line in that order.
    std::vector<int> reversed;
    for (int c = columns - 1; c >= 0; --c)
        reversed.push_back(c);
    table->setShownColumns(reversed);
    const QList<QByteArray> lines = tab.split('\n');
    const QList<QByteArray> reversedLines = tabExport(*table, ExportEncoding::CodePage).split('\n');
    ASSERT_EQ(reversedLines.size(), lines.size());
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        QList<QByteArray> cells = lines[i].chopped(1).split('\t');
        std::reverse(cells.begin(), cells.end());
        ASSERT_EQ(reversedLines[i].chopped(1), cells.join('\t')) << i;
    }
    reversed.pop_back();
    table->setShownColumns(reversed);
    EXPECT_EQ(tabExport(*table, ExportEncoding::CodePage).split('\n')[1].count('\t'), columns - 2);

    // A filter that keeps every row and all columns back in order: byte for
    // byte what was written before.
    table->setShownColumns({});
    table->setFilterText(QStringLiteral("/"));
    EXPECT_EQ(table->rows(), table->storedRows());
    EXPECT_EQ(tabExport(*table, ExportEncoding::CodePage), tab);
    EXPECT_EQ(tabExport(*table, ExportEncoding::Utf8), utf8);
    EXPECT_EQ(xmlExport(*table), xml);

    // The newest date shown, none after the bound.
    const QDate newest = newestShownDate(*table, dateTimeFormat(), QDate(2100, 1, 1));
    ASSERT_TRUE(newest.isValid());
    QDate plain;
    for (int r = 0; r < table->rows(); ++r)
        for (int c = 0; c < columns; ++c)
            if (table->isDateColumn(c)) {
                const QDate d = QDate::fromString(table->cellText(r, c).left(10), Qt::ISODate);
                if (d.isValid() && (!plain.isValid() || d > plain))
                    plain = d;
            }
    EXPECT_EQ(newest, plain);
    EXPECT_LT(newestShownDate(*table, dateTimeFormat(), plain.addDays(-1)), plain);
    setDateTimeFormat(pattern);
}
