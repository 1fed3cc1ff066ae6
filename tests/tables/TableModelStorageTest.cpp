#include "tables/ExportEncoding.h"
#include "tables/TabDelimitedWriter.h"
#include "tables/TableModel.h"

#include <QBuffer>
#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace vc;

namespace {
std::vector<TableColumn> threeColumns() {
    return {{92, false, 0.3}, {87, true, 0.3}, {95, false, 0.0}};
}
} // namespace

TEST(TableModelStorage, CellsRowsAndOrder) {
    TableModel table(QStringLiteral("t"), threeColumns());
    table.beginBulkUpdate();
    table.appendRow({"a", "2001-01-01", "x"});
    table.appendRow({"b"}); // missing cells are empty
    table.appendRow({"c", "", "z", "dropped"});
    table.appendRow({QByteArray("with\0zero", 9), "d", "e"});
    table.endBulkUpdate();
    ASSERT_EQ(table.rows(), 4);
    EXPECT_EQ(table.cell(0, 1), QByteArray("2001-01-01"));
    EXPECT_EQ(table.cell(1, 0), QByteArray("b"));
    EXPECT_EQ(table.cell(1, 2), QByteArray());
    EXPECT_EQ(table.cell(2, 2), QByteArray("z"));
    // A zero byte inside a cell cannot shift the cells after it.
    EXPECT_EQ(table.cell(3, 0), QByteArray("with zero"));
    EXPECT_EQ(table.cell(3, 2), QByteArray("e"));
    EXPECT_EQ(table.cell(9, 0), QByteArray());
    EXPECT_EQ(table.joinedRow(1, ' '), QByteArray("b  "));
    EXPECT_EQ(table.rowCells(0), (QList<QByteArray>{"a", "2001-01-01", "x"}));
    EXPECT_TRUE(table.isDateColumn(1));
    EXPECT_FALSE(table.isDateColumn(0));
    EXPECT_EQ(table.caption(0), QStringLiteral("Name"));

    table.applyOrder({3, 2, 1, 0});
    EXPECT_EQ(table.cell(0, 2), QByteArray("e"));
    EXPECT_EQ(table.cell(3, 0), QByteArray("a"));
    table.applyOrder({0}); // a wrong-sized order changes nothing
    EXPECT_EQ(table.cell(0, 2), QByteArray("e"));

    table.setHeaderImage(1, 1);
    EXPECT_EQ(table.headerImage(1), 1);
    table.clearHeaderImages();
    EXPECT_EQ(table.headerImage(1), -1);
    table.removeAllRows();
    EXPECT_EQ(table.rows(), 0);
}

TEST(TableModelStorage, TabDelimitedLayout) {
    TableModel table(QStringLiteral("t"), threeColumns());
    table.appendRow({"a", "", "x"});
    table.appendRow({"b\xE9", "d", ""});
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteTabDelimited(table, out, "\r\n", nullptr, ExportEncoding::CodePage));
    EXPECT_EQ(out.data(), QByteArray("Name\tCreation Time\tFile Path\r\na\t\tx\r\nb\xE9\td\t\r\n"));
}

TEST(TableModelStorage, MillionRowsFillQuickly) {
    // Not a timing assertion: the figure is printed for the record; the
    // check is that a million rows arrive whole.
    TableModel table(QStringLiteral("t"), threeColumns());
    QElapsedTimer timer;
    timer.start();
    table.beginBulkUpdate();
    table.reserveRows(1000000);
    for (int i = 0; i < 1000000; ++i)
        table.appendRow({QByteArray::number(i), "2009-02-13 23:31:30", "http://example.com/x"});
    table.endBulkUpdate();
    std::printf("[ figure ] 1,000,000 rows filled in %lld ms\n", (long long)timer.elapsed());
    ASSERT_EQ(table.rows(), 1000000);
    EXPECT_EQ(table.cell(999999, 0), QByteArray("999999"));
}

TEST(TableModelStorage, RowsCostTheirTextAndAtMost32BytesEach) {
    // Empty cells: seven columns, one million rows would be 32 MB at most.
    std::vector<TableColumn> seven(7, TableColumn{92, false, 0.1});
    TableModel empty(QStringLiteral("e"), seven);
    const int n = 200000;
    empty.beginBulkUpdate();
    for (int i = 0; i < n; ++i)
        empty.appendRow({"", "", " ", " ", "joe@x[1].txt", "", ""});
    empty.endBulkUpdate();
    const qint64 emptyText = qint64(n) * (2 + 12);
    // The last block of the arena may stand partly unused: 1 MiB at most.
    EXPECT_LE(empty.storageBytes(), emptyText + qint64(n) * 32 + (1 << 20));
    EXPECT_EQ(empty.cell(n - 1, 4), "joe@x[1].txt");
    EXPECT_EQ(empty.cell(n - 1, 6), "");

    // Typical fields, and rows longer than a block of the arena.
    TableModel table(QStringLiteral("t"), threeColumns());
    qint64 text = 0;
    table.beginBulkUpdate();
    for (int i = 0; i < n; ++i) {
        const QByteArray url = "http://www.example.com/p" + QByteArray::number(i * 7919) + ".gif";
        const QByteArray header = i % 50000 == 7 ? QByteArray(3 << 20, 'h') : QByteArray("HTTP");
        table.appendRow({url, "2015-08-25 14:00:00", header});
        text += url.size() + 19 + header.size();
    }
    table.endBulkUpdate();
    EXPECT_LE(table.storageBytes(), text + qint64(n) * 32 + (1 << 20));
    EXPECT_EQ(table.cell(7, 2).size(), 3 << 20);
    EXPECT_EQ(table.cell(8, 0), "http://www.example.com/p" + QByteArray::number(8 * 7919) + ".gif");

    // A new order moves no text; emptying gives the memory back.
    std::vector<int> reversed(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        reversed[size_t(i)] = n - 1 - i;
    const qint64 before = table.storageBytes();
    table.applyOrder(reversed);
    EXPECT_LE(table.storageBytes(), before);
    EXPECT_EQ(table.cell(n - 1 - 8, 0),
              "http://www.example.com/p" + QByteArray::number(8 * 7919) + ".gif");
    EXPECT_EQ(table.cell(n - 1 - 7, 2).size(), 3 << 20);
    table.removeAllRows();
    EXPECT_EQ(table.storageBytes(), 0);
}
