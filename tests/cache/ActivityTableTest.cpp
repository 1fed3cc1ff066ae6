#include "cache/ActivityTable.h"
#include "support/LinesOf.h"
#include "tables/TableModel.h"

#include <gtest/gtest.h>

using namespace vc;

TEST(ActivityTable, RowsFromWorkFileLines) {
    std::vector<TableColumn> columns;
    for (int text = 77; text <= 84; ++text)
        columns.push_back({text, text == 78 || text == 79, 0.1});
    TableModel model(QStringLiteral("ListView1"), columns);
    const QList<QByteArray> lines = {
        "URL\thttp://a/x.GIF\t2015-01-01 00:00:00\t2015-01-02 "
        "00:00:00\tx[1].GIF\tDIR00001\tHTTP/1.1",
        "REDR\thttp://r/\t\t\t\t\t",
        // The seventh field keeps whatever follows the sixth tab.
        "LEAK\tu\tm\ta\tnoext\td\th1\th2",
        // A short line leaves the missing fields empty.
        "URLx\tv",
    };
    CountingProgress progress;
    progress.setPosition(50);
    vc::testing::LinesOf source(lines);
    FillActivityRows(source, model, &progress, 50);
    ASSERT_EQ(model.rows(), 4);
    EXPECT_EQ(model.rowCells(0),
              QList<QByteArray>({"http://a/x.GIF", "2015-01-01 00:00:00", "2015-01-02 00:00:00",
                                 "x[1].GIF", ".gif", "URL", "DIR00001", "HTTP/1.1"}));
    EXPECT_EQ(model.rowCells(1), QList<QByteArray>({"http://r/", "", "", "", "", "REDR", "", ""}));
    EXPECT_EQ(model.rowCells(2),
              QList<QByteArray>({"u", "m", "a", "noext", "", "LEAK", "d", "h1\th2"}));
    EXPECT_EQ(model.rowCells(3), QList<QByteArray>({"v", "", "", "", "", "URLx", "", ""}));
    EXPECT_EQ(progress.position(), 100);
    EXPECT_LE(progress.moves(), 5);

    // Appended after what the table holds; no lines leave the bar alone.
    vc::testing::LinesOf one{"URL\tw\t\t\t\t\t"};
    FillActivityRows(one, model, nullptr, 50);
    EXPECT_EQ(model.rows(), 5);
    EXPECT_EQ(model.cell(4, 0), "w");
    CountingProgress idle;
    idle.setPosition(30);
    vc::testing::LinesOf none{};
    FillActivityRows(none, model, &idle, 50);
    EXPECT_EQ(idle.position(), 30);
    EXPECT_EQ(model.rows(), 5);
}

// The tab-delimited export streams rows without a cell list: each must equal
// the table row's cells joined by tabs, short and odd lines included.
TEST(ActivityTable, StreamedRowTextEqualsTheTableCells) {
    const QList<QByteArray> lines = {
        "URL\thttp://a/x.GIF\t2015-01-01 00:00:00\t2015-01-02 00:00:00\tx[1].GIF\tDIR\tH",
        "REDR\thttp://r/\t\t\t\t\t",
        "LEAK\tu\tm\ta\tA.B.JPEG\td\th1\th2",
        "URLx\tv",
        "",
        "URL\tu\tm\ta\tdir.X\\noext\td\th",
        "URL\tu\tm\ta\t\xC9T\xC9.\xC9X\td\th",
    };
    for (const QByteArray& line : lines) {
        // The fields as the decoders hand them on: cut at the first six tabs.
        RecordFields fields;
        QByteArrayView rest = line;
        for (int f = 0; f < 6 && rest.contains('\t'); ++f) {
            fields[f] = rest.first(rest.indexOf('\t'));
            rest = rest.sliced(rest.indexOf('\t') + 1);
        }
        fields[std::min<qsizetype>(6, std::count(line.begin(), line.end(), '\t'))] = rest;
        QByteArray streamed("prefix");
        AppendActivityRowText(fields, streamed);
        EXPECT_EQ(streamed, "prefix" + ActivityRowCells(line).join('\t')) << line.constData();
    }
}
