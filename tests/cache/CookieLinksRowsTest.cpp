// Cookie and Links rows from work-file and row lines.
#include "cache/CookieTable.h"
#include "cache/LinksTable.h"
#include "support/LinesOf.h"
#include "tables/TableModel.h"

#include <gtest/gtest.h>

namespace vc {
namespace {

TEST(CookieRows, FieldsOfShortAndLongLines) {
    EXPECT_EQ(CutWorkFileFields("a\tb\tc\td\te\tf\tg\th", 6),
              (QList<QByteArray>{"a", "b", "c", "d", "e", "f", "g\th"}));
    // Fewer than six tabs: the fields in order, then empty ones, and the
    // text after the last tab lands in the last column.
    EXPECT_EQ(CutWorkFileFields("URL\tCookie:joe@x/\tlast", 6),
              (QList<QByteArray>{"URL", "Cookie:joe@x/", "", "", "", "", "last"}));
    EXPECT_EQ(CutWorkFileFields("", 6), QList<QByteArray>(7));

    EXPECT_EQ(CookieIndexRowCells("URL\tCookie:joe@site.example/path\tm\ta\tf.txt\tdir\thdr"),
              (QList<QByteArray>{"site.example/path", "", "m", "a", "f.txt", "dir", "hdr"}));
    EXPECT_EQ(CookieIndexRowCells("URL\tCookie:joe@a@b/\t\t\t\t\t")[0], "a@b/");
    EXPECT_EQ(CookieIndexRowCells("URL\thttp://plain/\t\t\t\t\t")[0], "http://plain/");
    EXPECT_EQ(CookieFileRowCells("h/\tn\tc\te\tf.txt\tv\tflags"),
              (QList<QByteArray>{"h/", "n", "c", "e", "f.txt", "v", "flags"}));
}

TEST(CookieRows, DistinctFileNamesAndTheBar) {
    TableModel table(QStringLiteral("ieC_ListView"), {{85, false, 0},
                                                      {86, false, 0},
                                                      {87, true, 0},
                                                      {88, true, 0},
                                                      {80, false, 0},
                                                      {89, false, 0},
                                                      {90, false, 0}});
    QStringList names{QStringLiteral("left over")};
    CountingProgress bar;
    bar.setPosition(50);
    vc::testing::LinesOf lines{"URL\tCookie:j@a/\t\t\tjoe@a[1].txt\t\t",
                               "URL\tCookie:j@b/\t\t\tJOE@A[1].TXT\t\t",
                               "URL\tCookie:j@c/\t\t\tjoe@\xc9t\xc9[1].txt\t\t",
                               "URL\tCookie:j@d/\t\t\tjoe@\xe9t\xe9[1].txt\t\t"};
    FillCookieRowsFromIndex(lines, table, names, &bar, 50);
    EXPECT_EQ(table.rows(), 4);
    // "left over" went; letter case is ignored, also beyond ASCII.
    EXPECT_EQ(names.size(), 2);
    EXPECT_EQ(names.first(), QStringLiteral("joe@a[1].txt"));
    EXPECT_EQ(bar.position(), 100);

    // No lines: the names of the last load stay, rows stay.
    vc::testing::LinesOf none{};
    FillCookieRowsFromIndex(none, table, names, nullptr, 50);
    EXPECT_EQ(names.size(), 2);
    EXPECT_EQ(table.rows(), 4);
}

TEST(LinksRows, ExtensionAndTagHaveNoColumn) {
    EXPECT_EQ(LinksRowCells("Google\t.url\tc\ta\t/p/Google.url\ttag", "http://g/"),
              (QList<QByteArray>{"Google", "c", "a", "/p/Google.url", "http://g/"}));
    // Without tabs the whole line repeats, as the field cut leaves it.
    EXPECT_EQ(LinksRowCells("odd"), (QList<QByteArray>{"odd", "odd", "odd", "odd", ""}));
    TableModel table(QStringLiteral("ieL_ListView"),
                     {{92, false, 0}, {87, true, 0}, {93, true, 0}, {77, false, 0}});
    CountingProgress bar;
    vc::testing::LinesOf links{"a\t.url\t1\t2\t/a.url\t", "b\t.url\t3\t4\t/b.url\t"};
    FillLinksRows(links, table, &bar, 100);
    ASSERT_EQ(table.rows(), 2);
    EXPECT_EQ(table.cell(1, 3), "/b.url");
    EXPECT_EQ(bar.position(), 100);
}

} // namespace
} // namespace vc
