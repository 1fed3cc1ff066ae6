#include "tables/RowCopy.h"
#include "tables/ExportTarget.h"
#include "tables/TableColumns.h"

#include <gtest/gtest.h>

using namespace vc;

TEST(RowCopy, CaptionsThenRowsAsShownOneLineEach) {
    TableModel table(QStringLiteral("t"), tempColumns());
    table.appendRow({"a.txt", "txt", "t1", "t2", "C:\\a.txt"});
    table.appendRow({"b\tc", "", "", "", "line\r\nbreak"});
    table.appendRow({"last"});
    const QString text = rowsAsTabText(table, {2, 1, 7, -1});
    const QStringList lines = text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("Name\tFile Ext\tCreation Time\tLast Access\tFile Path"));
    EXPECT_EQ(lines[1], QStringLiteral("last\t\t\t\t")); // every row has every field
    EXPECT_EQ(lines[2], QStringLiteral("b c\t\t\t\tline  break"));
    EXPECT_TRUE(lines[3].isEmpty());
}

TEST(RowCopy, CellsAreDecodedWithTheTablesEncoding) {
    // The same bytes are "é" in a UTF-8 table and two characters in a
    // table of the source code page.
    TableModel utf8(QStringLiteral("u"), linksColumns());
    utf8.setCellEncoding(CellEncoding::Utf8);
    utf8.appendRow({"caf\xc3\xa9"});
    EXPECT_TRUE(rowsAsTabText(utf8, {0}).contains(QStringLiteral("caf\u00e9\t")));
    TableModel codePage(QStringLiteral("c"), linksColumns());
    codePage.appendRow({"caf\xc3\xa9"});
    EXPECT_EQ(rowsAsTabText(codePage, {0}).section(QLatin1Char('\n'), 1, 1).section('\t', 0, 0),
              codePage.cellText(0, 0));
    EXPECT_NE(codePage.cellText(0, 0), QStringLiteral("caf\u00e9"));
}

TEST(ExportSuggestion, TabCaptionAndDateWithoutForbiddenCharacters) {
    const QDate day(2026, 12, 8);
    EXPECT_EQ(exportFileSuggestion(QStringLiteral("Internet Explorer: Activity"), day,
                                   QStringLiteral(".xml")),
              QStringLiteral("Internet Explorer - Activity 2026-12-08.xml"));
    EXPECT_EQ(exportFileSuggestion(QStringLiteral("A/B*C?\"<>|\\x"), day, QStringLiteral(".txt")),
              QStringLiteral("A-B-C------x 2026-12-08.txt"));
    EXPECT_EQ(exportFileSuggestion(QString(), day, QStringLiteral(".txt")),
              QStringLiteral("2026-12-08.txt"));
}
