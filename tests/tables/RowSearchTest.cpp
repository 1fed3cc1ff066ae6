#include "tables/RowSearch.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace vc;

namespace {

// The row text the plain way: checked cells joined, letters folded.
QByteArray joined(const TableModel& table, int row, const std::vector<bool>& columns,
                  bool caseSensitive) {
    QByteArray text;
    for (int c = 0; c < table.columns(); ++c)
        if (columns[size_t(c)])
            text += table.cell(row, c);
    if (!caseSensitive)
        for (char& ch : text)
            if (ch >= 'a' && ch <= 'z')
                ch = char(ch - 'a' + 'A');
    return text;
}

} // namespace

TEST(RowSearch, AgreesWithThePlainRowTextOnRandomTables) {
    TableModel table(QStringLiteral("t"),
                     {{92, false, 0.3}, {87, true, 0.2}, {93, true, 0.2}, {95, false, 0.0}});
    QRandomGenerator random(3);
    const char alphabet[] = "abAB\xE9\xC9 ";
    for (int r = 0; r < 400; ++r) {
        QList<QByteArray> cells;
        const int count = int(random.bounded(5)); // rows with fewer cells too
        for (int c = 0; c < count; ++c) {
            QByteArray cell;
            const int length = int(random.bounded(6));
            for (int k = 0; k < length; ++k)
                cell.append(alphabet[random.bounded(7)]);
            cells.append(cell);
        }
        table.appendRow(cells);
    }
    for (int trial = 0; trial < 300; ++trial) {
        RowSearch search;
        const int length = 1 + int(random.bounded(4));
        for (int k = 0; k < length; ++k)
            search.text.append(alphabet[random.bounded(7)]);
        search.columns.resize(4);
        for (int c = 0; c < 4; ++c)
            search.columns[size_t(c)] = random.bounded(3) != 0;
        search.caseSensitive = random.bounded(2) != 0;
        const int step = random.bounded(2) ? 1 : -1;
        const int start = int(random.bounded(table.rows()));

        QByteArray needle = search.text;
        if (!search.caseSensitive)
            for (char& ch : needle)
                if (ch >= 'a' && ch <= 'z')
                    ch = char(ch - 'a' + 'A');
        int expected = -1;
        for (int row = start; row >= 0 && row < table.rows(); row += step)
            if (joined(table, row, search.columns, search.caseSensitive).contains(needle)) {
                expected = row;
                break;
            }
        EXPECT_EQ(findRow(table, search, start, step), expected)
            << trial << " " << search.text.toHex().constData();
    }
    // No text, no match; a start outside the table finds nothing.
    RowSearch empty;
    empty.columns = {true, true, true, true};
    EXPECT_EQ(findRow(table, empty, 0, 1), -1);
    RowSearch any;
    any.text = " ";
    any.columns = {true, true, true, true};
    EXPECT_EQ(findRow(table, any, table.rows(), 1), -1);
    EXPECT_EQ(findRow(table, any, -1, -1), -1);
}
