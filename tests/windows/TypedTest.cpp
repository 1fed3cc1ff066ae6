// Typed and searched: the lists of real hives and of a hive made from one
// (tests/tools/make-typed-hive.sh), checked against regripper's typedurls,
// typedurlstime, typedpaths, wordwheelquery and runmru plugins.
#include "platform/LoadContext.h"
#include "windows/TypedEntries.h"
#include "windows/TypedLoad.h"
#include "windows/WindowsDetails.h"
#include "windows/WindowsTestSupport.h"

#include <QTemporaryDir>

#include <algorithm>

using namespace vc;
using namespace vc::testing;

namespace {

class TypedTest : public WindowsTablesTest {
protected:
    std::unique_ptr<TableModel> load(const QString& hiveName) {
        const auto hive = openTestHive(testDataPath(hiveName));
        auto table = makeWindowsTable(WindowsTable::Typed);
        if (hive)
            loadTypedEntries(*hive, LoadContext{}, *table);
        return table;
    }
    struct Row {
        const char* text;
        const char* source;
        const char* position;
        const char* time;
        QByteArray timeSource;
    };
    void expectRows(const TableModel& table, std::initializer_list<Row> rows) {
        ASSERT_EQ(table.rows(), int(rows.size()));
        int r = 0;
        for (const Row& row : rows) {
            SCOPED_TRACE(r);
            EXPECT_EQ(shown(table, r, kTypedText), QString::fromUtf8(row.text));
            EXPECT_EQ(shown(table, r, kTypedSource), QLatin1String(row.source));
            EXPECT_EQ(shown(table, r, kTypedMruPosition), QLatin1String(row.position));
            EXPECT_EQ(shown(table, r, kTypedTime), QLatin1String(row.time));
            EXPECT_EQ(shown(table, r, kTypedTimeSource), QString::fromUtf8(row.timeSource));
            ++r;
        }
    }
};

} // namespace

TEST_F(TypedTest, TypedUrlsOfWindowsXpHaveTheKeysTimeOnTheNewestOnly) {
    const auto table = load(QStringLiteral("ntuser-xp.dat"));
    const QByteArray key = tx(TextKeyLastWritten).toUtf8();
    expectRows(*table,
               {{"http://firefox.com/", "TypedURLs", "0", "2009-08-04 15:14:42", key},
                {"http://go.microsoft.com/fwlink/?LinkId=69157", "TypedURLs", "1", "", ""}});
    EXPECT_EQ(shown(*table, 0, kTypedValueName), QStringLiteral("url1"));
    EXPECT_EQ(shown(*table, 0, kTypedKey), kTypedUrlsKey);
    EXPECT_TRUE(shown(*table, 0, kTypedHive).endsWith(QLatin1String("ntuser-xp.dat")));
    // The pane says whose time the key's is.
    EXPECT_TRUE(windowsRowDetail(WindowsTable::Typed, *table, 0, nullptr)
                    .endsWith(tx(TextKeyTimeNewestOnly)));
}

TEST_F(TypedTest, EveryListOfWindows10InItsOrder) {
    const auto table = load(QStringLiteral("ntuser-win10-typed.dat"));
    const char* stored = "TypedURLsTime";
    const QByteArray key = tx(TextKeyLastWritten).toUtf8();
    expectRows(
        *table,
        {// TypedURLsTime gives each its own time; url5's is 0.
         {"http://www.catnews.com/", "TypedURLs", "0", "2016-10-05 09:47:50", stored},
         {"http://spotify.com/", "TypedURLs", "1", "2016-10-05 09:38:22", stored},
         {"http://pintrest.com/", "TypedURLs", "2", "2016-10-05 09:38:16", stored},
         {"http://webmail.student.greendale.xyz/", "TypedURLs", "3", "2016-10-05 09:35:04", stored},
         {"http://go.microsoft.com/fwlink/p/?LinkId=255141", "TypedURLs", "4", "", ""},
         {"C:\\Users\\bperry\\Documents\\Tax", "TypedPaths", "0", "2016-10-09 23:53:19", key},
         {"\\\\fileserver\\share", "TypedPaths", "1", "", ""},
         {"Control Panel", "TypedPaths", "2", "", ""},
         // MRUListEx 2, 0, 1; value 3 is not in it.
         {"tax 2016", "WordWheelQuery", "0", "2016-10-09 23:53:19", key},
         {"invoice", "WordWheelQuery", "1", "", ""},
         {"holiday photos", "WordWheelQuery", "2", "", ""},
         {"forgotten", "WordWheelQuery", "", "", ""},
         // MRUList "cab", without the "\1" at the end.
         {"\\\\fileserver\\c$", "RunMRU", "0", "2016-10-09 19:59:10", key},
         {"cmd", "RunMRU", "1", "", ""},
         {"regedit", "RunMRU", "2", "", ""}});
    EXPECT_EQ(shown(*table, 11, kTypedNote), tx(TextNotInMruOrder));
    EXPECT_EQ(shown(*table, 11, kTypedValueName), QStringLiteral("3"));
    EXPECT_EQ(shown(*table, 12, kTypedValueName), QStringLiteral("c"));
    EXPECT_EQ(shown(*table, 12, kTypedKey), kRunMruKey);
}

TEST_F(TypedTest, ValuesOfTheWrongKindStillGiveARow) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ntuser.dat"));
    QString error;
    ASSERT_TRUE(writeHiveKeys(
        testDataPath(QStringLiteral("ntuser-xp.dat")), path,
        {{kTypedPathsKey,
          {binaryValue(QStringLiteral("url1"), QByteArray("\x01\x02", 2)),
           textValue(QStringLiteral("url10"), QStringLiteral("ten")),
           textValue(QStringLiteral("url2"), QStringLiteral("two")),
           textValue(QStringLiteral("other"), QStringLiteral("no number"))}},
         // No MRUListEx at all, and a text without its NUL.
         {kWordWheelQueryKey, {binaryValue(QStringLiteral("0"), QByteArray("a\0b", 3))}}},
        &error))
        << error.toStdString();
    const auto hive = openTestHive(path);
    ASSERT_TRUE(hive);
    QList<TypedEntry> entries;
    readTypedEntries(*hive, [&](const TypedEntry& e) { entries << e; });
    QStringList texts;
    for (const TypedEntry& e : entries)
        if (e.source == QLatin1String("TypedPaths"))
            texts
                << QStringLiteral("%1@%2%3").arg(e.text).arg(e.position).arg(e.readable ? "" : "!");
    // By number, url10 after url2; a name without a number last.
    EXPECT_EQ(texts, QStringList({QStringLiteral("@0!"), QStringLiteral("two@1"),
                                  QStringLiteral("ten@9"), QStringLiteral("no number@-1")}));
    const auto wheel = std::find_if(entries.begin(), entries.end(), [](const TypedEntry& e) {
        return e.source == QLatin1String("WordWheelQuery");
    });
    ASSERT_NE(wheel, entries.end());
    EXPECT_EQ(wheel->text, QStringLiteral("a"));
    EXPECT_EQ(wheel->position, -1);
}
