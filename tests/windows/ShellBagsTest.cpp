// Folders opened: the shell bags of real hives, checked against regripper's
// shellbags plugin (UsrClass.dat) and the item bytes decoded by hand
// (Windows XP), and of made trees for what the real ones lack.
#include "windows/ShellBags.h"
#include "documents/shell/ShellItemFacts.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"
#include "windows/FoldersLoad.h"
#include "windows/UserHives.h"
#include "windows/WindowsDetails.h"
#include "windows/WindowsTestSupport.h"

#include <QDateTime>
#include <QTemporaryDir>

using namespace vc;
using namespace vc::testing;

namespace {

class ShellBagsTest : public WindowsTablesTest {
protected:
    std::unique_ptr<TableModel> load(const Hive* ntUser, const Hive* usrClass,
                                     const KnownFolderLocations& locations = {}) {
        auto table = makeWindowsTable(WindowsTable::Folders);
        UserHives hives{ntUser, usrClass, locations};
        CollectingReporter report;
        LoadContext context;
        context.report = &report;
        loadFoldersOpened(hives, context, *table);
        EXPECT_TRUE(report.errors.isEmpty());
        return table;
    }
};

const QByteArray kMyComputer = QByteArray::fromHex("14001f50e04fd020ea3a6910a2d808002b30309d0000");
const QByteArray kPicturesOfThisPc =
    QByteArray::fromHex("14002e805316dd3a32ebb04cbbd7dfa0abb5acca0000");

} // namespace

TEST_F(ShellBagsTest, UsrClassOfWindows10AsRegripperReadsIt) {
    const auto usrClass = openTestHive(testDataPath(QStringLiteral("usrclass.dat")));
    const auto ntUser = openTestHive(testDataPath(QStringLiteral("ntuser-win10.dat")));
    ASSERT_TRUE(usrClass && ntUser);
    const auto table = load(ntUser.get(), usrClass.get(),
                            locationsOf(*ntUser, QStringLiteral("C:\\Users\\bperry")));
    // regripper -p shellbags: six folders, depth first, the MRU time on the
    // most recent entry of each key only.
    ASSERT_EQ(table->rows(), 6);
    const QString bag = kUsrClassBagMruKey;
    const struct {
        const char* key;
        int position;
        const char* lastOpened;
    } expected[] = {
        {"\\0", 0, "2016-10-09 20:04:37"},
        {"\\0\\0", 0, "2016-10-09 19:56:55"},
        {"\\0\\0\\0", 0, "2016-10-09 19:56:55"},
        {"\\0\\0\\0\\0", 0, "2016-10-09 19:57:50"},
        {"\\1", 1, ""},
        {"\\1\\0", 0, "2016-10-09 19:59:07"},
    };
    for (int r = 0; r < 6; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(shown(*table, r, kFolderKey), bag + QLatin1String(expected[r].key));
        EXPECT_EQ(shown(*table, r, kFolderMruPosition), QString::number(expected[r].position));
        EXPECT_EQ(shown(*table, r, kFolderLastOpened), QLatin1String(expected[r].lastOpened));
        EXPECT_EQ(shown(*table, r, kFolderHive), usrClass->path());
        // No file entries here: no item times, no file reference.
        EXPECT_TRUE(shown(*table, r, kFolderItemModified).isEmpty());
        EXPECT_TRUE(shown(*table, r, kFolderFileReference).isEmpty());
    }
    // The Control Panel tree and This PC's Pictures, placed where the hive's
    // Shell Folders put it.
    EXPECT_TRUE(shown(*table, 0, kFolderPath).startsWith(QLatin1String("Control Panel")));
    EXPECT_TRUE(shown(*table, 3, kFolderPath).startsWith(QLatin1String("Control Panel\\")));
    EXPECT_EQ(shown(*table, 4, kFolderPath), QStringLiteral("My Computer"));
    EXPECT_EQ(shown(*table, 5, kFolderPath), QStringLiteral("C:\\Users\\bperry\\Pictures"));
    // A folder's own key was written when its entries last changed: key 0
    // and key 1 are the parents of rows 1 and 5, whose times regripper gives.
    EXPECT_EQ(shown(*table, 0, kFolderKeyWritten), QStringLiteral("2016-10-09 19:56:55"));
    EXPECT_EQ(shown(*table, 4, kFolderKeyWritten), QStringLiteral("2016-10-09 19:59:07"));
    // NTUSER.DAT of Windows 10 keeps an empty BagMRU.
    EXPECT_EQ(load(ntUser.get(), nullptr)->rows(), 0);
}

TEST_F(ShellBagsTest, WindowsXpKeepsTheFoldersOfThisMachineInShellNoRoam) {
    const auto ntUser = openTestHive(testDataPath(QStringLiteral("ntuser-xp.dat")));
    ASSERT_TRUE(ntUser);
    const auto table = load(ntUser.get(), nullptr);
    ASSERT_EQ(table->rows(), 5);
    const char* paths[] = {"My Computer", "C:\\", "C:\\Documents and Settings",
                           "C:\\Documents and Settings\\Administrator",
                           "C:\\Documents and Settings\\Administrator\\My Documents"};
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(shown(*table, r, kFolderPath), QLatin1String(paths[r]));
        EXPECT_TRUE(shown(*table, r, kFolderKey).startsWith(kNtUserNoRoamBagMruKey));
        EXPECT_TRUE(shown(*table, r, kFolderNote).isEmpty()) << r;
    }
    EXPECT_EQ(shown(*table, 2, kFolderName), QStringLiteral("Documents and Settings"));
    // The items' FAT times, decoded by hand from the value's bytes
    // (04 3B 8C 79: 2009-08-04 15:12:24; 4B 37 F8 6A: 2007-10-11 13:23:48).
    EXPECT_EQ(shown(*table, 2, kFolderItemModified), QStringLiteral("2009-08-04 15:12:24"));
    EXPECT_EQ(shown(*table, 2, kFolderItemCreated), QStringLiteral("2007-10-11 13:23:48"));
    EXPECT_EQ(shown(*table, 2, kFolderItemAccessed), QStringLiteral("2009-08-04 15:12:24"));
    EXPECT_EQ(shown(*table, 3, kFolderItemModified), QStringLiteral("2009-07-13 19:30:24"));
    EXPECT_EQ(shown(*table, 3, kFolderItemCreated), QStringLiteral("2007-10-11 12:48:36"));
    EXPECT_EQ(shown(*table, 3, kFolderItemAccessed), QStringLiteral("2009-08-04 15:10:28"));
    // Extension blocks of version 3 hold no file reference.
    EXPECT_TRUE(shown(*table, 3, kFolderFileReference).isEmpty());
}

TEST_F(ShellBagsTest, PathsAreBuiltDownTheTreeWithTheItemsOwnFacts) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("usrclass.dat"));
    const QString bag = kUsrClassBagMruKey;
    const QByteArray taxes = folderItem(QStringLiteral("Taxes 2016"), fat(2016, 10, 1, 8, 30, 10),
                                        fat(2016, 9, 30, 17, 0, 0), fat(2016, 10, 9, 20, 1, 2),
                                        (quint64(3) << 48) | 43521);
    QByteArray cut = folderItem(QStringLiteral("Cut"), 0, 0, 0, 0);
    cut.chop(20); // its size says more than the value holds
    QString error;
    ASSERT_TRUE(writeHiveKeys(
        testDataPath(QStringLiteral("ntuser-win10.dat")), path,
        {{bag, {mruListEx({0}), binaryValue(QStringLiteral("0"), kMyComputer)}},
         {bag + QStringLiteral("\\0"),
          {mruListEx({0}), binaryValue(QStringLiteral("0"), kPicturesOfThisPc)}},
         // 2 is the most recent, 0 next; 1 is left out of the order.
         {bag + QStringLiteral("\\0\\0"),
          {mruListEx({2, 0}), binaryValue(QStringLiteral("0"), taxes),
           binaryValue(QStringLiteral("1"), cut),
           binaryValue(QStringLiteral("2"), folderItem(QStringLiteral("Trips"), 0, 0, 0, 0))}},
         {bag + QStringLiteral("\\0\\0\\0"),
          {mruListEx({0}),
           binaryValue(QStringLiteral("0"), folderItem(QStringLiteral("Receipts"), 0, 0, 0, 7))}}},
        &error))
        << error.toStdString();
    const auto usrClass = openTestHive(path);
    ASSERT_TRUE(usrClass);
    KnownFolderLocations locations;
    locations.setShellFolder(QStringLiteral("My Pictures"),
                             QStringLiteral("C:\\Users\\jo\\Pictures"));
    const auto table = load(nullptr, usrClass.get(), locations);
    ASSERT_EQ(table->rows(), 6);
    const int taxesRow = rowWith(*table, kFolderName, QStringLiteral("Taxes 2016"));
    ASSERT_GE(taxesRow, 0);
    EXPECT_EQ(shown(*table, taxesRow, kFolderPath),
              QStringLiteral("C:\\Users\\jo\\Pictures\\Taxes 2016"));
    EXPECT_EQ(shown(*table, taxesRow, kFolderMruPosition), QStringLiteral("1"));
    EXPECT_TRUE(shown(*table, taxesRow, kFolderLastOpened).isEmpty());
    EXPECT_EQ(shown(*table, taxesRow, kFolderItemModified), QStringLiteral("2016-10-01 08:30:10"));
    EXPECT_EQ(shown(*table, taxesRow, kFolderItemCreated), QStringLiteral("2016-09-30 17:00:00"));
    EXPECT_EQ(shown(*table, taxesRow, kFolderItemAccessed), QStringLiteral("2016-10-09 20:01:02"));
    EXPECT_EQ(shown(*table, taxesRow, kFolderFileReference), QStringLiteral("43521-3"));
    // Its subfolder follows it, with the whole path.
    EXPECT_EQ(shown(*table, taxesRow + 1, kFolderPath),
              QStringLiteral("C:\\Users\\jo\\Pictures\\Taxes 2016\\Receipts"));
    EXPECT_EQ(shown(*table, taxesRow + 1, kFolderKey), bag + QStringLiteral("\\0\\0\\0\\0"));
    EXPECT_EQ(shown(*table, taxesRow + 1, kFolderFileReference), QStringLiteral("7-0"));
    // The most recent of the three has its parent key's time.
    const int trips = rowWith(*table, kFolderName, QStringLiteral("Trips"));
    ASSERT_GE(trips, 0);
    EXPECT_EQ(shown(*table, trips, kFolderMruPosition), QStringLiteral("0"));
    EXPECT_FALSE(shown(*table, trips, kFolderLastOpened).isEmpty());
    // The cut item ends the path where reading stopped and says so.
    const int cutRow = rowWith(*table, kFolderKey, bag + QStringLiteral("\\0\\0\\1"));
    ASSERT_GE(cutRow, 0);
    EXPECT_TRUE(shown(*table, cutRow, kFolderMruPosition).isEmpty());
    EXPECT_TRUE(shown(*table, cutRow, kFolderNote).contains(tx(TextReadInPart)));
    EXPECT_TRUE(shown(*table, cutRow, kFolderNote).contains(tx(TextNotInMruOrder)));
    EXPECT_EQ(shown(*table, cutRow, kFolderPath), QStringLiteral("C:\\Users\\jo\\Pictures"));

    // The pane names every field by its caption.
    const QString pane = windowsRowDetail(WindowsTable::Folders, *table, taxesRow, nullptr);
    EXPECT_TRUE(pane.contains(tx(TextFileReference) + QStringLiteral(": 43521-3")));
    EXPECT_TRUE(pane.contains(tx(TextItemCreated) + QStringLiteral(": 2016-09-30 17:00:00")));
}

TEST_F(ShellBagsTest, ItemFactsAndFatDateTimes) {
    // Only file entries hold times; Control Panel and property-view items of
    // usrclass.dat are read, without any.
    const ShellItemFacts folder =
        readShellItemFacts(testDataBytes(QStringLiteral("shell-items/xp-folder.bin")));
    EXPECT_TRUE(folder.readable && folder.fileEntry);
    // "My Documents": FF 3A F3 A2 is 2009-07-31 20:23:38.
    EXPECT_EQ(folder.modified, fatDateTimeToFileTime(fat(2009, 7, 31, 20, 23, 38)));
    EXPECT_FALSE(folder.fileReference);
    for (const char* name :
         {"shell-items/win10-property-view.bin", "shell-items/win10-control-panel-category.bin",
          "shell-items/xp-my-computer.bin"}) {
        const ShellItemFacts other = readShellItemFacts(testDataBytes(QLatin1String(name)));
        EXPECT_TRUE(other.readable) << name;
        EXPECT_FALSE(other.fileEntry || other.modified || other.created) << name;
    }
    EXPECT_FALSE(readShellItemFacts(QByteArray("\x02\x00", 2)).readable);

    EXPECT_EQ(fatDateTimeToFileTime(0), std::nullopt);
    // February 30th and hour 25 do not exist.
    EXPECT_EQ(fatDateTimeToFileTime(fat(2016, 2, 30, 1, 0, 0)), std::nullopt);
    EXPECT_EQ(fatDateTimeToFileTime(fat(2016, 2, 1, 25, 0, 0)), std::nullopt);
    // 1980-01-01 00:00:00 is the first FAT time: 119600064000000000.
    EXPECT_EQ(fatDateTimeToFileTime(fat(1980, 1, 1, 0, 0, 0)), 119600064000000000ULL);
    const qint64 last =
        QDateTime(QDate(2107, 12, 31), QTime(23, 59, 58), Qt::UTC).toSecsSinceEpoch();
    EXPECT_EQ(fatDateTimeToFileTime(fat(2107, 12, 31, 23, 59, 58)),
              quint64(last + 11644473600LL) * 10000000ULL);
}
