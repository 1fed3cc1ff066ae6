// Moving row lines into a table.
#include "documents/LinesToTable.h"
#include "platform/Progress.h"
#include "tables/TableColumns.h"
#include "tables/TableModel.h"

#include <gtest/gtest.h>

using namespace vc;

TEST(LinesToTable, FieldsFillColumnsAndTheRestRepeatsWhenTabsRunOut) {
    // A table of five columns: the sixth field (the row tag) has none.
    TableModel table(QStringLiteral("docsT_ListView"), tempColumns());
    table.beginBulkUpdate();
    table.appendRow({"old"});
    table.endBulkUpdate();
    table.setHeaderImage(2, 1);
    table.setHint(QStringLiteral("2 up"));

    QList<QByteArray> lines{"a.doc\t.lnk\tc\td\t/p/a.doc.lnk\ttag", "one", "x\ty", "\t\t\t\t\t",
                            "n\te\t\t\t/p\t"};
    CountingProgress progress;
    progress.setPosition(10);
    LinesToTable(lines, table, &progress, 60);

    EXPECT_TRUE(lines.isEmpty());
    ASSERT_EQ(table.rows(), 5);
    EXPECT_EQ(table.rowCells(0),
              (QList<QByteArray>{"a.doc", ".lnk", "c", "d", "/p/a.doc.lnk"})); // tag dropped
    EXPECT_EQ(table.rowCells(1), (QList<QByteArray>{"one", "one", "one", "one", "one"}));
    EXPECT_EQ(table.rowCells(2), (QList<QByteArray>{"x", "y", "y", "y", "y"}));
    EXPECT_EQ(table.rowCells(3), (QList<QByteArray>{"", "", "", "", ""}));
    EXPECT_EQ(table.rowCells(4), (QList<QByteArray>{"n", "e", "", "", "/p"}));
    EXPECT_EQ(table.headerImage(2), -1);
    EXPECT_TRUE(table.hint().isEmpty());
    EXPECT_EQ(progress.position(), 70);
    EXPECT_FALSE(table.inBulkUpdate());
}

TEST(LinesToTable, ProgressOnlyMovesForwardAndAnEmptyListEmptiesTheTable) {
    TableModel table(QStringLiteral("docsT_ListView"), tempColumns());
    QList<QByteArray> lines;
    for (int i = 0; i < 1000; ++i)
        lines << QByteArray::number(i) + "\t\t\t\t/t\t";
    CountingProgress progress;
    progress.setPosition(50); // the fill starts where the bar stands
    LinesToTable(lines, table, &progress, 100);
    EXPECT_EQ(table.rows(), 1000);
    EXPECT_EQ(progress.position(), 150);
    EXPECT_LE(progress.moves(), 101); // set only when it grows

    QList<QByteArray> none;
    LinesToTable(none, table, nullptr, 100);
    EXPECT_EQ(table.rows(), 0);
}
