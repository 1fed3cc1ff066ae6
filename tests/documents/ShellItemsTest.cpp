// Shell item lists and shortcuts, read through libfwsi and liblnk: the real
// links and hive values against what lnkinfo and regripper show for them,
// then the same bytes cut and spoiled.
#include "PeakMemory.h"
#include "TestData.h"
#include "documents/shell/KnownFolders.h"
#include "documents/shell/PropertyStore.h"
#include "documents/shell/ShellItemFields.h"
#include "documents/shell/ShellItemList.h"
#include "documents/shell/Shortcut.h"
#include "platform/Hive.h"
#include "platform/QStringPrinting.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace vc;
using vc::testing::peakGrowthOf;

namespace {

// The value "0" of OpenSavePidlMRU\* in the real Windows 10 hive: My
// Computer, the Pictures folder, ash.png.
QByteArray openSaveValue() {
    QString error;
    const auto hive = Hive::open(testDataPath(QStringLiteral("ntuser-win10.dat")), &error);
    if (!hive)
        return QByteArray();
    const auto key = hive->findKey(QStringLiteral(
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSavePidlMRU\\*"));
    int type = 0;
    return key ? hive->readBytes(*key, QStringLiteral("0"), &type).value_or(QByteArray())
               : QByteArray();
}

// FILETIME of a UTC time, to the second.
quint64 fileTime(int y, int mo, int d, int h, int mi, int s) {
    const QDateTime t(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
    return quint64(t.toSecsSinceEpoch() + 11644473600LL) * 10000000ULL;
}

// Spoils a few bytes at random places.
QByteArray spoiled(QByteArray bytes, QRandomGenerator& random) {
    const int changes = 1 + int(random.bounded(6));
    for (int i = 0; i < changes; ++i) {
        const int at = int(random.bounded(quint32(bytes.size())));
        static const char kBytes[] = {0x00, char(0xFF), 0x1F, 0x2E, 0x2F, 0x31, 0x32, 0x61, 0x74};
        bytes[at] = random.bounded(2) ? char(random.bounded(256))
                                      : kBytes[random.bounded(int(sizeof kBytes))];
    }
    return bytes;
}

} // namespace

TEST(ShellItems, DialogListResolvesKnownFoldersAsExplorerDoes) {
    const QByteArray value = openSaveValue();
    ASSERT_FALSE(value.isEmpty());

    // Without the hive's folder locations: the folder's name below My
    // Computer (regripper shows "My Computer\CLSID_Pictures\ash.png").
    const ShellItemPath bare = readShellItemList(value, KnownFolderLocations());
    EXPECT_EQ(bare.path, QStringLiteral("My Computer\\Pictures\\ash.png"));
    EXPECT_EQ(bare.lastName, QStringLiteral("ash.png"));
    EXPECT_EQ(bare.items, 3);
    EXPECT_TRUE(bare.complete());

    // With them: the drive path the address bar gives.
    KnownFolderLocations locations;
    locations.setShellFolder(QStringLiteral("My Pictures"),
                             QStringLiteral("C:\\Users\\bperry\\Pictures"));
    EXPECT_EQ(readShellItemList(value, locations).path,
              QStringLiteral("C:\\Users\\bperry\\Pictures\\ash.png"));

    // Jump lists name shell folders as "::{GUID}".
    EXPECT_EQ(withKnownFolderNames(
                  QStringLiteral("::{031E4825-7B94-4DC3-B131-E946B44C8DD5}\\Pictures.library-ms"),
                  locations),
              QStringLiteral("Libraries\\Pictures.library-ms"));
    EXPECT_EQ(withKnownFolderNames(
                  QStringLiteral("::{3ADD1653-EB32-4CB0-BBD7-DFA0ABB5ACCA}\\a.png"), locations),
              QStringLiteral("C:\\Users\\bperry\\Pictures\\a.png"));
    EXPECT_EQ(withKnownFolderNames(QStringLiteral("::{not a guid}\\x"), locations),
              QStringLiteral("::{not a guid}\\x"));
}

TEST(ShellItems, ListsCutOrSpoiledGiveWhatPrecedesTheDamage) {
    const QByteArray value = openSaveValue();
    ASSERT_FALSE(value.isEmpty());
    const KnownFolderLocations none;
    // The first item (My Computer) is 20 bytes, the second 20 more.
    for (qsizetype cut = 0; cut < value.size() - 2; ++cut) {
        const ShellItemPath path = readShellItemList(QByteArrayView(value).first(cut), none);
        EXPECT_FALSE(path.whole && path.items == 3) << "cut at " << cut;
        if (cut >= 40) {
            EXPECT_TRUE(path.path.startsWith(QStringLiteral("My Computer\\Pictures")))
                << "cut at " << cut << ": " << path.path.toStdString();
        } else if (cut >= 20) {
            EXPECT_EQ(path.path, QStringLiteral("My Computer")) << "cut at " << cut;
        }
    }
    // A size that runs past the end, a size too small to hold an item.
    QByteArray forged = value;
    forged[20] = char(0xFF);
    forged[21] = char(0x7F);
    const ShellItemPath past = readShellItemList(forged, none);
    EXPECT_FALSE(past.whole);
    EXPECT_EQ(past.items, 1);
    EXPECT_EQ(readShellItemList(QByteArray("\x02\x00\x02\x00", 4), none).items, 0);
    // An item of a kind this reader cannot name keeps its place as "?".
    QByteArray unknown = value;
    unknown[22] = 0x00; // the Pictures folder item becomes one of no known class
    const ShellItemPath odd = readShellItemList(unknown, none);
    EXPECT_FALSE(odd.named);
    EXPECT_EQ(odd.path, QStringLiteral("My Computer\\?\\ash.png"));

    // libfwsi 20181227 reads one kind of item as another when asked for the
    // wrong kind's fields; spoiled lists must still read without a crash.
    QRandomGenerator random(14);
    const QByteArray nero = testDataBytes(QStringLiteral("NeroInfoTool.lnk"));
    const QByteArray neroList = nero.mid(0x4E, 541);
    for (int i = 0; i < 20000; ++i) {
        const ShellItemPath p = readShellItemList(spoiled(i % 2 ? value : neroList, random), none);
        EXPECT_LE(p.items, kMaxShellItems);
    }
}

// The items of Windows 7 to 11 that libfwsi knows by kind only, read from
// real hive values (usrclass.dat's shell bags) and from lists made after the
// published layouts (tests/tools/make-reader-files.py).
TEST(ShellItems, KnownFoldersPropertyViewsUrisAndControlPanelItemsAreNamed) {
    const auto list = [](const char* name) {
        return testDataBytes(QStringLiteral("shell-items/") + QLatin1String(name));
    };
    const KnownFolderLocations none;
    KnownFolderLocations placed;
    placed.setProfilePath(QStringLiteral("C:\\Users\\bperry"));
    placed.setShellFolder(QStringLiteral("{374DE290-123F-4565-9164-39C4925E467B}"),
                          QStringLiteral("C:\\Users\\bperry\\Downloads"));

    // Libraries, the Pictures library, a folder and a file whose property
    // stores hold their paths: the path the file's store gives.
    const ShellItemPath library = readShellItemList(list("library-file.bin"), none);
    EXPECT_EQ(library.path, QStringLiteral("C:\\Users\\joe\\Pictures\\Holiday\\beach.jpg"));
    EXPECT_EQ(library.lastName, QStringLiteral("beach.jpg"));
    EXPECT_EQ(library.items, 4);
    EXPECT_TRUE(library.complete());
    // Without the stores' paths the names are joined below the library.
    QByteArray namesOnly = list("library-file.bin");
    namesOnly.replace(QByteArray::fromHex("a66a6328") /* the parsing path's set */,
                      QByteArray::fromHex("00000000"));
    EXPECT_EQ(readShellItemList(namesOnly, none).path,
              QStringLiteral("Libraries\\Pictures\\Holiday\\beach.jpg"));

    // A known-folder item: the hive's location for Downloads, else its name.
    EXPECT_EQ(readShellItemList(list("known-downloads.bin"), placed).path,
              QStringLiteral("C:\\Users\\bperry\\Downloads\\ash.png"));
    EXPECT_EQ(readShellItemList(list("known-downloads.bin"), none).path,
              QStringLiteral("User's Files\\Downloads\\ash.png"));

    // A URI item starts the path anew at its address.
    const ShellItemPath uri = readShellItemList(list("uri.bin"), none);
    EXPECT_EQ(uri.path, QStringLiteral("http://www.example.com/start"));
    EXPECT_TRUE(uri.complete());

    // usrclass.dat's bag 0\0\0\0: regripper's shellbags plugin shows
    // "Control Panel\Appearance/Personalization\CLSID_Personalization\Desktop
    // Background"; Explorer names the category "Appearance and Personalization".
    const ShellItemPath bag = readShellItemList(list("bag-control-panel.bin"), none);
    EXPECT_EQ(bag.path, QStringLiteral("Control Panel\\Appearance and "
                                       "Personalization\\Personalization\\Desktop Background"));
    EXPECT_TRUE(bag.complete());

    // The delegate item of class 0x74 that wraps a file entry.
    const ShellItemPath delegate = readShellItemList(list("delegate.bin"), none);
    EXPECT_TRUE(delegate.named);
    EXPECT_TRUE(delegate.path.endsWith(QStringLiteral("AppData"))) << delegate.path.toStdString();

    // Cut anywhere, spoiled anywhere: what precedes the damage keeps its
    // names, and a name comes only from the bytes.
    QRandomGenerator random(20);
    for (const char* name : {"library-file.bin", "known-downloads.bin", "uri.bin",
                             "bag-control-panel.bin", "delegate.bin"}) {
        const QByteArray whole = list(name);
        ASSERT_FALSE(whole.isEmpty()) << name;
        const ShellItemPath full = readShellItemList(whole, placed);
        for (qsizetype cut = 0; cut < whole.size() - 2; ++cut) {
            const ShellItemPath part = readShellItemList(QByteArrayView(whole).first(cut), placed);
            EXPECT_FALSE(part.whole && part.items == full.items) << name << " cut at " << cut;
        }
        for (int i = 0; i < 3000; ++i)
            EXPECT_LE(readShellItemList(spoiled(whole, random), placed).items, kMaxShellItems);
    }
}

TEST(PropertyStores, TextValuesAreFoundAndForgedSizesStopTheReading) {
    // The real property view of the bag: three storages, "Desktop
    // Background" the name Explorer shows.
    const QByteArray bag = testDataBytes(QStringLiteral("shell-items/bag-control-panel.bin"));
    const qsizetype at = bag.indexOf(QByteArray::fromHex("0000fd0000eeebbe")) - 2;
    ASSERT_GT(at, 0);
    const QByteArrayView item = QByteArrayView(bag).sliced(at, 0x103);
    const std::optional<PropertyViewItem> view = readPropertyViewItem(item);
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->signature, 0xBEEBEE00u);
    EXPECT_EQ(view->name, QStringLiteral("Desktop Background"));
    EXPECT_TRUE(view->path.isEmpty());
    EXPECT_TRUE(view->storeWhole);
    const PropertyStore store = PropertyStore::read(item.sliced(18, 0xEF));
    EXPECT_TRUE(store.whole());
    EXPECT_EQ(store.size(), 3);
    EXPECT_EQ(store.text(property_keys::kItemNameDisplay), QStringLiteral("Desktop Background"));

    // Sizes that run past the end: the storage, then a value.
    QByteArray forged = item.sliced(18, 0xEF).toByteArray();
    qToLittleEndian<quint32>(0x7FFFFFFF, forged.data());
    EXPECT_FALSE(PropertyStore::read(forged).whole());
    EXPECT_EQ(PropertyStore::read(forged).size(), 0);
    forged = item.sliced(18, 0xEF).toByteArray();
    qToLittleEndian<quint32>(0xFFFFFF00, forged.data() + 24);
    EXPECT_FALSE(PropertyStore::read(forged).whole());
    // A text longer than its value (the first storage's): the others are
    // still read. A store cut anywhere.
    forged = item.sliced(18, 0xEF).toByteArray();
    qToLittleEndian<quint32>(0x40000000, forged.data() + 24 + 13);
    EXPECT_EQ(PropertyStore::read(forged).size(), 2);
    EXPECT_EQ(PropertyStore::read(forged).text(property_keys::kItemNameDisplay),
              QStringLiteral("Desktop Background"));
    for (qsizetype cut = 0; cut < 0xEF; ++cut)
        EXPECT_LE(PropertyStore::read(item.sliced(18, cut)).size(), 3);
    // An item whose identifier and store sizes claim more than it holds.
    QByteArray big = item.toByteArray();
    qToLittleEndian<quint16>(0xFFFF, big.data() + 10);
    EXPECT_FALSE(readPropertyViewItem(big).has_value());

    // URI items: a data block that claims more than the item, an 8-bit
    // address.
    EXPECT_TRUE(readUriItem(QByteArray::fromHex("0c006100ff7f68747470")).isEmpty());
    EXPECT_EQ(readUriItem(QByteArray::fromHex("0f0061000000687474703a2f2f7800")),
              QStringLiteral("http://x"));
}

TEST(Shortcuts, RealLinksGiveWhatLnkinfoShows) {
    const KnownFolderLocations none;
    // lnkinfo 20181227 on NeroInfoTool.lnk.
    const ShortcutFacts nero =
        readShortcut(testDataBytes(QStringLiteral("NeroInfoTool.lnk")), none);
    EXPECT_EQ(nero.state, ShortcutFacts::State::Whole);
    EXPECT_EQ(nero.targetPath,
              QStringLiteral("C:\\Program Files (x86)\\Nero\\Nero 9\\Nero InfoTool\\InfoTool.exe"));
    EXPECT_EQ(nero.created / 10000000, fileTime(2009, 6, 5, 20, 13, 20) / 10000000);
    EXPECT_EQ(nero.modified / 10000000, fileTime(2009, 6, 5, 20, 13, 20) / 10000000);
    EXPECT_EQ(nero.accessed / 10000000, fileTime(2010, 1, 29, 21, 30, 11) / 10000000);
    EXPECT_EQ(nero.size, 4635160u);
    EXPECT_EQ(nero.volumeLabel, QStringLiteral("OS"));
    EXPECT_EQ(nero.volumeSerial, 0x70ECFA33u);
    EXPECT_EQ(volumeSerialText(*nero.volumeSerial), QStringLiteral("70EC-FA33"));
    EXPECT_EQ(nero.machineId, QStringLiteral("win-3qmdjgkf3g9"));
    EXPECT_EQ(nero.workingFolder,
              QStringLiteral("C:\\Program Files (x86)\\Nero\\Nero 9\\Nero InfoTool"));
    EXPECT_EQ(nero.arguments, QStringLiteral("-ScParameter=30002  "));
    EXPECT_TRUE(nero.description.startsWith(QStringLiteral("Nero InfoTool provides you with")));
    EXPECT_TRUE(nero.description.endsWith(QStringLiteral("and your system configuration.")));
    EXPECT_FALSE(nero.extraDataCut);

    // example.lnk has neither link information nor an item list: the
    // environment variables location names the target.
    const ShortcutFacts example = readShortcut(testDataBytes(QStringLiteral("example.lnk")), none);
    EXPECT_EQ(example.state, ShortcutFacts::State::Whole);
    EXPECT_EQ(example.targetPath, QStringLiteral("%windir%\\system32\\migwiz\\migwiz.exe"));
    EXPECT_EQ(example.created / 10000000, fileTime(2009, 7, 13, 23, 29, 2) / 10000000);
    EXPECT_EQ(example.modified / 10000000, fileTime(2009, 7, 14, 1, 39, 18) / 10000000);
    EXPECT_EQ(example.size, 544768u);
    EXPECT_TRUE(example.volumeLabel.isEmpty());
    EXPECT_FALSE(example.volumeSerial.has_value());
    EXPECT_EQ(example.machineId, QStringLiteral("win-tj9qcsjkags"));
    EXPECT_EQ(example.workingFolder, QStringLiteral("%windir%\\system32\\migwiz"));

    // Without link information (its 110 bytes after the 543 of the item
    // list taken out, its flag cleared), the item list's path serves.
    QByteArray noInfo = testDataBytes(QStringLiteral("NeroInfoTool.lnk"));
    noInfo.remove(0x4E + 543, 110);
    noInfo[0x14] = char(noInfo[0x14] & ~0x02);
    const ShortcutFacts fromItems = readShortcut(noInfo, none);
    ASSERT_EQ(fromItems.state, ShortcutFacts::State::Whole);
    EXPECT_EQ(fromItems.targetPath, nero.targetPath);
}

TEST(Shortcuts, CutOrSpoiledLinksGiveTheirHeaderAndNeverCrash) {
    const KnownFolderLocations none;
    const QByteArray nero = testDataBytes(QStringLiteral("NeroInfoTool.lnk"));
    ASSERT_EQ(nero.size(), 2716);
    for (qsizetype cut = 0; cut < nero.size(); ++cut) {
        const ShortcutFacts facts = readShortcut(QByteArrayView(nero).first(cut), none);
        if (cut < 0x4C) {
            EXPECT_EQ(facts.state, ShortcutFacts::State::NotALink) << "cut at " << cut;
            continue;
        }
        ASSERT_NE(facts.state, ShortcutFacts::State::NotALink) << "cut at " << cut;
        // Whatever else is lost, the header's times and size remain.
        EXPECT_EQ(facts.size, 4635160u) << "cut at " << cut;
        EXPECT_EQ(facts.accessed / 10000000, fileTime(2010, 1, 29, 21, 30, 11) / 10000000);
        // Cut inside the item list, link information or strings: liblnk
        // refuses the link, the header is read directly.
        // liblnk refuses a link cut before the end of its strings (byte
        // 1635); a cut exactly between two extra data blocks reads as a
        // link without the later blocks.
        if (cut < 1635) {
            EXPECT_EQ(facts.state, ShortcutFacts::State::HeaderOnly) << "cut at " << cut;
        }
        // Past the item list the path is the one the items give.
        if (facts.state == ShortcutFacts::State::HeaderOnly && cut >= 0x4E + 543) {
            EXPECT_EQ(facts.targetPath, QStringLiteral("C:\\Program Files (x86)\\Nero\\Nero "
                                                       "9\\Nero InfoTool\\InfoTool.exe"));
        }
    }
    EXPECT_EQ(
        readShortcut(QByteArray("not a link at all, but longer than a header's 76 bytes ......"
                                "..............."),
                     none)
            .state,
        ShortcutFacts::State::NotALink);

    QRandomGenerator random(41);
    const QByteArray example = testDataBytes(QStringLiteral("example.lnk"));
    for (int i = 0; i < 5000; ++i) {
        const QByteArray& original = i % 2 ? nero : example;
        const QByteArray bytes = spoiled(original, random);
        const ShortcutFacts facts = readShortcut(bytes, none);
        // Any link whose first 20 bytes survive is still read as a link.
        if (bytes.left(20) == original.left(20)) {
            EXPECT_NE(facts.state, ShortcutFacts::State::NotALink) << "case " << i;
        }
    }
}

// An 80-byte shortcut whose link information claims 0x6E000000 bytes: liblnk
// would map 1.8 GB for it. The sizes are checked first; the header is read.
TEST(Shortcuts, ForgedSizesNeverReachLiblnk) {
    const KnownFolderLocations none;
    const QByteArray hostile = testDataBytes(QStringLiteral("hostile/linkinfo-size.lnk"));
    ASSERT_EQ(hostile.size(), 80);
    EXPECT_FALSE(linkLayout(hostile).has_value());
    ShortcutFacts facts;
    const qint64 growth = peakGrowthOf([&] { facts = readShortcut(hostile, none); });
    ASSERT_GE(growth, 0);
    EXPECT_LT(growth, qint64(64) << 20);
    EXPECT_EQ(readShortcut(hostile, none).state, ShortcutFacts::State::HeaderOnly);
    EXPECT_EQ(readShortcut(hostile, none).size, 4635160u);

    // An extra data block whose size claims 2 GB: the link is read without
    // it and the blocks after it, and says it was cut there.
    QByteArray nero = testDataBytes(QStringLiteral("NeroInfoTool.lnk"));
    const std::optional<LinkLayout> layout = linkLayout(nero);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->stringsEnd, 1635);
    EXPECT_EQ(layout->extraEnd, nero.size());
    EXPECT_TRUE(layout->terminated);
    qToLittleEndian<quint32>(0x7FFFFFF0, nero.data() + layout->stringsEnd);
    EXPECT_LT(peakGrowthOf([&] { readShortcut(nero, none); }), qint64(64) << 20);
    const ShortcutFacts cut = readShortcut(nero, none);
    EXPECT_EQ(cut.state, ShortcutFacts::State::Whole);
    EXPECT_TRUE(cut.extraDataCut);
    EXPECT_TRUE(cut.machineId.isEmpty()); // the tracking block came after it
    EXPECT_EQ(cut.targetPath,
              QStringLiteral("C:\\Program Files (x86)\\Nero\\Nero 9\\Nero InfoTool\\InfoTool.exe"));
}
