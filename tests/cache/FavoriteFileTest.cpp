#include "cache/FavoriteFile.h"
#include "TestData.h"
#include "cache/LinksLoad.h"
#include "platform/LoadContext.h"
#include "tables/TableColumns.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vc;

TEST(FavoriteFile, StoredAddressOfTheShortcutSection) {
    // The sample's favorite: BASEURL of [DEFAULT] is not the address.
    EXPECT_EQ(FavoriteAddress(samplesPath(QStringLiteral("profiles/xp/Favorites/Google.url"))),
              QByteArray("http://www.google.com/"));
    EXPECT_EQ(FavoriteAddressOf("[DEFAULT]\r\nURL=http://default/\r\n[InternetShortcut]\r\n"
                                "URL=http://shortcut/\r\n"),
              QByteArray("http://shortcut/"));
    // Names in any letter case, blanks around the line, LF alone.
    EXPECT_EQ(FavoriteAddressOf("  [internetshortcut]\n  url=http://x/?a=b\t\n"),
              QByteArray("http://x/?a=b"));
    // Bytes as they stand; control bytes become spaces.
    EXPECT_EQ(FavoriteAddressOf("[InternetShortcut]\nURL=http://caf\xE9/\x01x\n"),
              QByteArray("http://caf\xE9/ x"));
    // No section, no line, an empty file, another section after it.
    EXPECT_TRUE(FavoriteAddressOf("URL=http://x/\n").isEmpty());
    EXPECT_TRUE(FavoriteAddressOf("[InternetShortcut]\nIconIndex=0\n").isEmpty());
    EXPECT_TRUE(FavoriteAddressOf("").isEmpty());
    EXPECT_TRUE(FavoriteAddressOf("[InternetShortcut]\n[Other]\nURL=http://x/\n").isEmpty());
    EXPECT_TRUE(FavoriteAddress(QStringLiteral("/nonexistent/a.url")).isEmpty());

    // A huge file is read only so far: an address after the first 64 KiB is
    // not found, and nothing is read into memory beyond that.
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.url"));
    QFile f(big);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[InternetShortcut]\n");
    f.write(QByteArray(4 * 1024 * 1024, 'x'));
    f.write("\nURL=http://late/\n");
    f.close();
    EXPECT_TRUE(FavoriteAddress(big).isEmpty());
}

TEST(FavoriteFile, LinksTableCarriesTheStoredAddressLast) {
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("Shop.url")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[InternetShortcut]\r\nURL=https://shop.example/\r\n");
    f.close();
    QFile other(dir.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("[InternetShortcut]\nURL=http://not-read/\n");
    other.close();

    TableModel table(QStringLiteral("ieL_ListView"), linksColumns());
    LoadLinks(dir.path(), LoadContext{}, table);
    ASSERT_EQ(table.rows(), 2);
    ASSERT_EQ(table.columns(), 5);
    EXPECT_EQ(table.caption(4), QStringLiteral("Stored Address"));
    for (int r = 0; r < 2; ++r) {
        if (table.cell(r, 0) == "Shop")
            EXPECT_EQ(table.cell(r, 4), "https://shop.example/");
        else
            EXPECT_EQ(table.cell(r, 4), "") << "only .url files are read";
    }
}
