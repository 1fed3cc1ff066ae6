#include "platform/WorkFile.h"
#include "tables/TabDelimitedWriter.h"
#include "tables/TableModel.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFileInfo>

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
    ASSERT_TRUE(WriteTabDelimited(table, out, "\r\n", nullptr));
    EXPECT_EQ(out.data(), QByteArray("Name\tCreation Time\tFile Path\r\na\t\tx\r\nb\xE9\td\t\r\n"));
}

TEST(WorkFile, PrivateFolderLinesAndRemoval) {
    QString path;
    {
        WorkFile work;
        path = work.fileName();
        ASSERT_FALSE(path.isEmpty());
        EXPECT_TRUE(path.endsWith(QStringLiteral("/d!ummy.t~")));
        const QFileInfo folder(QFileInfo(path).absolutePath());
        EXPECT_EQ(folder.permissions() &
                      (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup),
                  QFileDevice::Permissions());
        ASSERT_TRUE(work.createOrEmpty());
        work.device()->write("one\ttwo\nthree\r\n\nlast");
        work.close();
        EXPECT_EQ(work.readLines(), (QList<QByteArray>{"one\ttwo", "three", "", "last"}));
        // Emptying really empties.
        ASSERT_TRUE(work.createOrEmpty());
        work.close();
        EXPECT_TRUE(work.readLines().isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(path).absolutePath()));
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
