// Jump lists: the real automatic jump list of Windows 7's Explorer, DestList
// streams of both layouts made here, custom jump lists made of the real
// shortcuts, and all of them cut and forged.
#include "documents/shell/JumpList.h"
#include "PeakMemory.h"
#include "TestData.h"
#include "documents/shell/DestList.h"
#include "documents/shell/KnownFolders.h"
#include "documents/shell/ShellItemList.h"
#include "platform/QStringPrinting.h"

#include <QDateTime>
#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace vc;
using vc::testing::peakGrowthOf;

namespace {

QByteArray realJumpList() {
    return testDataBytes(QStringLiteral("1b4dd67f29cb1962.automaticDestinations-ms"));
}

// Seconds since 1970 of a FILETIME.
qint64 unixSeconds(quint64 fileTime) {
    return qint64(fileTime / 10000000ULL) - 11644473600LL;
}

qint64 utc(int y, int mo, int d, int h, int mi, int s) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch();
}

template <typename T> void put(QByteArray& bytes, qsizetype at, T value) {
    qToLittleEndian<T>(value, bytes.data() + at);
}

// A DestList stream of the given layout version with entries (number,
// path, count); times are 2020-01-0N 00:00:00.
QByteArray destList(quint32 version, quint32 declared,
                    const QList<std::tuple<quint32, QString, quint32>>& entries) {
    const bool v1 = version < 3;
    QByteArray stream(32, '\0');
    put<quint32>(stream, 0, version);
    put<quint32>(stream, 4, declared);
    int day = 1;
    for (const auto& [number, path, count] : entries) {
        const qsizetype pathSize = v1 ? 112 : 128;
        QByteArray e(pathSize + 2 + 2 * path.size() + (v1 ? 0 : 4), '\0');
        e.replace(72, 6, "host-1");
        put<quint32>(e, 88, number);
        if (v1) {
            const float f = float(count);
            quint32 bits;
            std::memcpy(&bits, &f, 4);
            put<quint32>(e, 96, bits);
        } else {
            put<quint32>(e, 116, count);
        }
        put<quint64>(e, 100, quint64(utc(2020, 1, day++, 0, 0, 0) + 11644473600LL) * 10000000ULL);
        put<qint32>(e, 108, number == 2 ? 0 : -1);
        put<quint16>(e, pathSize, quint16(path.size()));
        for (qsizetype i = 0; i < path.size(); ++i)
            put<quint16>(e, pathSize + 2 + 2 * i, path.at(i).unicode());
        stream += e;
    }
    return stream;
}

// A custom jump list as Windows writes one: header, one category of tasks,
// each a shell link's class id followed by the link, the footer.
QByteArray customList(const QList<QByteArray>& links) {
    QByteArray file(12, '\0');
    put<quint32>(file, 0, 2);
    put<quint32>(file, 4, 1);
    QByteArray category(8, '\0');
    put<quint32>(category, 0, 2);
    put<quint32>(category, 4, quint32(links.size()));
    file += category;
    for (const QByteArray& link : links) {
        file += QByteArray::fromHex("0114020000000000c000000000000046");
        file += link;
    }
    file += QByteArray::fromHex("abfbbfba");
    return file;
}

} // namespace

TEST(JumpLists, RealExplorerListComesInDestListOrderWithItsShortcuts) {
    KnownFolderLocations none;
    const JumpList list = readAutomaticDestinations(realJumpList(), none);
    EXPECT_TRUE(list.problems.isEmpty());
    EXPECT_EQ(list.destListVersion, 1u);
    ASSERT_EQ(list.entries.size(), 7);
    const QStringList streams{"7", "5", "2", "1", "6", "4", "3"};
    const QList<double> counts{4, 4, 4.9, 5, 1, 3.7, 3.8};
    const QStringList targets{
        "C:\\Users\\bperry\\Downloads",
        "C:\\Users\\bperry\\Documents\\Poultry Studies",
        "C:\\Users\\bperry\\AppData\\Roaming\\Microsoft\\Windows\\Libraries\\Pictures.library-ms",
        "C:\\Users\\bperry\\AppData\\Roaming\\Microsoft\\Windows\\Libraries\\Documents.library-ms",
        "C:\\Users\\bperry\\Documents\\Sailing",
        "C:\\Users\\bperry\\AppData\\Roaming\\Microsoft\\Windows\\Libraries\\Videos.library-ms",
        "C:\\Users\\bperry\\AppData\\Roaming\\Microsoft\\Windows\\Libraries\\Music.library-ms"};
    for (int i = 0; i < 7; ++i) {
        const JumpListEntry& e = list.entries[i];
        EXPECT_EQ(e.streamName, streams[i]);
        EXPECT_EQ(e.gap, JumpListEntry::Gap::None);
        ASSERT_TRUE(e.dest.has_value());
        EXPECT_NEAR(e.dest->accessCount, counts[i], 0.001) << i;
        EXPECT_EQ(e.dest->hostName, QStringLiteral("student-pc1"));
        EXPECT_EQ(e.dest->pinPosition, -1);
        EXPECT_EQ(e.link.state, ShortcutFacts::State::Whole);
        EXPECT_EQ(e.link.targetPath, targets[i]) << i;
        EXPECT_EQ(e.link.volumeSerial, 0x885029E6u);
        EXPECT_EQ(e.link.machineId, QStringLiteral("student-pc1"));
    }
    EXPECT_EQ(unixSeconds(list.entries[0].dest->accessTime), utc(2015, 8, 29, 15, 32, 44));
    EXPECT_EQ(unixSeconds(list.entries[4].dest->accessTime), utc(2015, 8, 25, 10, 59, 15));
    EXPECT_EQ(list.entries[2].dest->path,
              QStringLiteral("::{031E4825-7B94-4DC3-B131-E946B44C8DD5}\\Pictures.library-ms"));
    EXPECT_EQ(unixSeconds(list.entries[0].link.modified), utc(2015, 8, 29, 13, 7, 29));
}

TEST(JumpLists, DestListLayoutsAndForgedCounts) {
    const QList<std::tuple<quint32, QString, quint32>> two{{0x1a, QStringLiteral("C:\\a.txt"), 3},
                                                           {2, QStringLiteral("D:\\b"), 12}};
    for (quint32 version : {1u, 3u, 4u}) {
        const DestList list = parseDestList(destList(version, 2, two));
        EXPECT_EQ(list.problem, DestList::Problem::None) << version;
        ASSERT_EQ(list.entries.size(), 2) << version;
        EXPECT_EQ(list.entries[0].streamName(), QStringLiteral("1a"));
        EXPECT_EQ(list.entries[0].path, QStringLiteral("C:\\a.txt"));
        EXPECT_EQ(list.entries[0].accessCount, 3.0);
        EXPECT_EQ(list.entries[0].hostName, QStringLiteral("host-1"));
        EXPECT_EQ(unixSeconds(list.entries[0].accessTime), utc(2020, 1, 1, 0, 0, 0));
        EXPECT_EQ(list.entries[1].path, QStringLiteral("D:\\b"));
        EXPECT_EQ(list.entries[1].accessCount, 12.0);
        EXPECT_EQ(list.entries[1].pinPosition, 0);
    }
    // A header that claims four billion entries: the two there are read.
    const DestList huge = parseDestList(destList(3, 0xFFFFFFFF, two));
    EXPECT_EQ(huge.entries.size(), 2);
    EXPECT_EQ(huge.problem, DestList::Problem::Cut);
    // A path length running past the end ends the list before that entry.
    QByteArray forged = destList(1, 2, two);
    put<quint16>(forged, 32 + 112 + 2 + 16 + 112, 0xFFFF);
    const DestList stopped = parseDestList(forged);
    EXPECT_EQ(stopped.entries.size(), 1);
    EXPECT_EQ(stopped.problem, DestList::Problem::Cut);
    // Every cut gives the whole entries before it.
    const QByteArray whole = destList(4, 2, two);
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        const DestList part = parseDestList(QByteArrayView(whole).first(cut));
        EXPECT_LT(part.entries.size(), 2) << cut;
        EXPECT_NE(part.problem, DestList::Problem::None) << cut;
    }
    // A layout this reader does not know, an access count that is no number.
    EXPECT_EQ(parseDestList(destList(9, 2, two)).problem, DestList::Problem::UnknownVersion);
    EXPECT_TRUE(parseDestList(destList(9, 2, two)).entries.isEmpty());
    QByteArray nan = destList(1, 1, {{1, QStringLiteral("x"), 1}});
    put<quint32>(nan, 32 + 96, 0x7FC00000);
    EXPECT_EQ(parseDestList(nan).entries.value(0).accessCount, 0.0);
}

TEST(JumpLists, CutOrForgedAutomaticListsGiveFewerEntriesAndSayWhy) {
    const KnownFolderLocations none;
    const QByteArray file = realJumpList();
    ASSERT_EQ(file.size(), 13824);
    for (qsizetype cut = 0; cut < file.size(); cut += (cut < 1024 ? 7 : 61)) {
        const JumpList list = readAutomaticDestinations(QByteArrayView(file).first(cut), none);
        // Past the cut, streams read as zeros: no more than the seven
        // entries the file holds come out as whole shortcuts.
        qsizetype whole = 0;
        for (const JumpListEntry& e : list.entries)
            whole += e.link.state == ShortcutFacts::State::Whole ? 1 : 0;
        EXPECT_LE(whole, 7) << cut;
        EXPECT_LE(list.entries.size(), 14) << cut;
        // The end of the file holds unused sectors; a cut that loses an
        // entry or part of one always says so.
        bool allWhole = list.entries.size() == 7;
        for (const JumpListEntry& e : list.entries)
            allWhole = allWhole && e.link.state == ShortcutFacts::State::Whole;
        if (!allWhole) {
            EXPECT_FALSE(list.problems.isEmpty()) << "cut at " << cut;
        }
    }
    EXPECT_EQ(readAutomaticDestinations(QByteArray(), none).problems,
              QList<JumpList::Problem>{JumpList::Problem::NotACompoundFile});

    // The DestList header claims four billion entries: the seven are read.
    QByteArray huge = file;
    const qsizetype header =
        huge.indexOf(QByteArray::fromHex("0100000007000000000000003333934107"));
    ASSERT_GT(header, 0);
    put<quint32>(huge, header + 4, 0xFFFFFFFF);
    const JumpList claimed = readAutomaticDestinations(huge, none);
    EXPECT_EQ(claimed.entries.size(), 7);
    EXPECT_TRUE(claimed.problems.contains(JumpList::Problem::DestListCut));

    // The first entry names stream "99", which does not exist: the entry is
    // kept with its DestList facts, and stream 7 follows as undescribed.
    QByteArray renamed = file;
    put<quint32>(renamed, header + 32 + 88, 0x99);
    const JumpList gaps = readAutomaticDestinations(renamed, none);
    ASSERT_EQ(gaps.entries.size(), 8);
    EXPECT_EQ(gaps.entries[0].gap, JumpListEntry::Gap::NoStream);
    EXPECT_EQ(gaps.entries[0].dest->path, QStringLiteral("C:\\Users\\bperry\\Downloads"));
    EXPECT_EQ(gaps.entries[7].gap, JumpListEntry::Gap::NoDestListEntry);
    EXPECT_EQ(gaps.entries[7].streamName, QStringLiteral("7"));
    EXPECT_EQ(gaps.entries[7].link.targetPath, QStringLiteral("C:\\Users\\bperry\\Downloads"));
}

TEST(JumpLists, CustomListsAreScannedForTheirShortcuts) {
    const KnownFolderLocations none;
    const QByteArray nero = testDataBytes(QStringLiteral("NeroInfoTool.lnk"));
    const QByteArray example = testDataBytes(QStringLiteral("example.lnk"));
    const QByteArray file = customList({nero, example});
    const JumpList list = readCustomDestinations(file, none);
    EXPECT_TRUE(list.problems.isEmpty());
    ASSERT_EQ(list.entries.size(), 2);
    EXPECT_EQ(list.entries[0].link.targetPath,
              QStringLiteral("C:\\Program Files (x86)\\Nero\\Nero 9\\Nero InfoTool\\InfoTool.exe"));
    EXPECT_EQ(list.entries[1].link.targetPath,
              QStringLiteral("%windir%\\system32\\migwiz\\migwiz.exe"));
    EXPECT_FALSE(list.entries[0].dest.has_value());

    // Cut inside the second link: the first stays whole.
    const qsizetype second = file.indexOf(example.left(20), 40);
    for (qsizetype cut = second + 0x4C; cut < second + 300; ++cut) {
        const JumpList part = readCustomDestinations(QByteArrayView(file).first(cut), none);
        ASSERT_EQ(part.entries.size(), 2) << cut;
        EXPECT_EQ(part.entries[0].link.state, ShortcutFacts::State::Whole);
        EXPECT_EQ(part.entries[1].link.state, ShortcutFacts::State::HeaderOnly) << cut;
        EXPECT_TRUE(part.problems.contains(JumpList::Problem::DamagedLinks));
    }
    EXPECT_TRUE(readCustomDestinations(QByteArray(5000, 'x'), none).entries.isEmpty());
    // Many signatures with nothing after them: bounded.
    QByteArray flood;
    for (int i = 0; i < kMaxCustomLinks + 50; ++i)
        flood += nero.left(20);
    const JumpList flooded = readCustomDestinations(flood, none);
    EXPECT_EQ(flooded.entries.size(), kMaxCustomLinks);
    EXPECT_TRUE(flooded.problems.contains(JumpList::Problem::DamagedStreams));
}

// A 525-byte jump list whose header states 0x01000000 allocation-table
// extension sectors: libolecf would map 8.5 GB for it. The header is checked
// against the file first and the file is not handed to libolecf.
TEST(JumpLists, ForgedCompoundHeaderNeverReachesLibolecf) {
    const KnownFolderLocations none;
    const QByteArray hostile =
        testDataBytes(QStringLiteral("hostile/msat-count.automaticDestinations-ms"));
    ASSERT_EQ(hostile.size(), 525);
    EXPECT_FALSE(compoundHeaderFits(hostile));
    JumpList list;
    const qint64 growth = peakGrowthOf([&] { list = readAutomaticDestinations(hostile, none); });
    ASSERT_GE(growth, 0);
    EXPECT_LT(growth, qint64(64) << 20);
    list = readAutomaticDestinations(hostile, none);
    EXPECT_EQ(list.problems, QList<JumpList::Problem>{JumpList::Problem::ForgedHeader});
    EXPECT_TRUE(list.entries.isEmpty());

    // The real list states what it holds, and so does every cut of it that
    // is filled up; with its extension count forged, its seven shortcuts are
    // still found by their signature, without DestList facts.
    const QByteArray file = realJumpList();
    EXPECT_TRUE(compoundHeaderFits(file));
    QByteArray forged = file;
    put<quint32>(forged, 0x48, 0x01000000);
    const JumpList found = readAutomaticDestinations(forged, none);
    EXPECT_TRUE(found.problems.contains(JumpList::Problem::ForgedHeader));
    ASSERT_EQ(found.entries.size(), 7);
    QStringList targets;
    for (const JumpListEntry& e : found.entries) {
        EXPECT_FALSE(e.dest.has_value());
        EXPECT_EQ(e.gap, JumpListEntry::Gap::NoDestListEntry);
        targets << e.link.targetPath;
    }
    EXPECT_TRUE(targets.contains(QStringLiteral("C:\\Users\\bperry\\Documents\\Sailing")))
        << targets.join(QLatin1Char('|')).toStdString();
    // Each of the other counts, and a sector size no compound file has.
    for (const qsizetype field : {0x2C, 0x40, 0x28}) {
        QByteArray counted = file;
        put<quint32>(counted, field, 0x00100000);
        EXPECT_FALSE(compoundHeaderFits(counted)) << field;
    }
    QByteArray shifted = file;
    put<quint16>(shifted, 0x1E, 30);
    EXPECT_FALSE(compoundHeaderFits(shifted));
}

// Internet Explorer's jump list (made by tests/tools/make-reader-files.py):
// the first shortcut names its address by a URI item, the second by an item
// no reader names, where the DestList entry's path holds the address.
TEST(JumpLists, InternetExplorerEntriesKeepTheirAddresses) {
    const KnownFolderLocations none;
    const JumpList list = readAutomaticDestinations(
        testDataBytes(QStringLiteral("28c8b86deab549a1.automaticDestinations-ms")), none);
    EXPECT_TRUE(list.problems.isEmpty());
    EXPECT_EQ(list.destListVersion, 3u);
    ASSERT_EQ(list.entries.size(), 2);
    EXPECT_EQ(list.entries[0].link.targetPath, QStringLiteral("http://www.example.com/news"));
    EXPECT_TRUE(list.entries[0].link.targetComplete);
    EXPECT_EQ(list.entries[1].link.targetPath, QStringLiteral("Internet Explorer\\?"));
    EXPECT_FALSE(list.entries[1].link.targetComplete);
    EXPECT_EQ(list.entries[1].dest->path, QStringLiteral("https://www.example.org/second"));
}

TEST(JumpLists, CustomListCategoriesAndTheirShortcuts) {
    const KnownFolderLocations none;
    const QByteArray file = testDataBytes(QStringLiteral("custom.customDestinations-ms"));
    const JumpList list = readCustomDestinations(file, none);
    EXPECT_TRUE(list.problems.isEmpty());
    ASSERT_EQ(list.entries.size(), 3);
    EXPECT_EQ(list.entries[0].category, QStringLiteral("Recent Projects"));
    EXPECT_FALSE(list.entries[0].task);
    EXPECT_EQ(list.entries[0].link.arguments, QStringLiteral("-ScParameter=30002  "));
    // The tasks differ only in their arguments.
    EXPECT_TRUE(list.entries[1].task && list.entries[2].task);
    EXPECT_TRUE(list.entries[1].category.isEmpty());
    EXPECT_EQ(list.entries[1].link.arguments, QStringLiteral("/name Microsoft.Personalization"));
    EXPECT_EQ(list.entries[2].link.arguments, QStringLiteral("/name Microsoft.System"));
    EXPECT_EQ(list.entries[1].link.targetPath, list.entries[2].link.targetPath);
    EXPECT_EQ(list.entries[1].link.description, list.entries[0].link.description);
    for (const JumpListEntry& e : list.entries) {
        EXPECT_EQ(e.link.state, ShortcutFacts::State::Whole);
        EXPECT_FALSE(e.link.extraDataCut);
    }

    // A category of a kind the layout does not know: the shortcuts after it
    // are still found, without their category, and the damage is named.
    QByteArray forged = file;
    const qsizetype known = forged.indexOf(QByteArray::fromHex("0100000002000000abfbbfba"));
    ASSERT_GT(known, 0);
    put<quint32>(forged, known, 7);
    const JumpList damaged = readCustomDestinations(forged, none);
    EXPECT_TRUE(damaged.problems.contains(JumpList::Problem::DamagedStreams));
    ASSERT_EQ(damaged.entries.size(), 3);
    EXPECT_EQ(damaged.entries[0].category, QStringLiteral("Recent Projects"));
    EXPECT_FALSE(damaged.entries[1].task);
    EXPECT_EQ(damaged.entries[2].link.arguments, QStringLiteral("/name Microsoft.System"));
    // A name longer than the file, an entry count of four billion: bounded.
    QByteArray named = file;
    put<quint16>(named, 16, 0xFFFF);
    EXPECT_EQ(readCustomDestinations(named, none).entries.size(), 3);
    QByteArray counted = file;
    put<quint32>(counted, 18 + 2 * 15, 0xFFFFFFFF);
    const JumpList many = readCustomDestinations(counted, none);
    EXPECT_LE(many.entries.size(), 3);
    EXPECT_FALSE(many.problems.isEmpty());
}

// The real jump list's shortcuts (its streams, copied out by
// tests/tools/make-reader-files.py) name their targets twice: the link
// information's local path (what lnkinfo shows) and the item list, which on
// Windows 7 runs through Libraries, a library's known-folder item and
// property views whose stores hold the path. Both give the same path; a
// library itself is named as Explorer shows it ("Libraries\Music"), where
// the link information names its .library-ms file.
TEST(JumpLists, LibraryItemListsOfTheRealListGiveTheLocalPaths) {
    const KnownFolderLocations none;
    KnownFolderLocations profile; // where the user's own folder lay
    profile.setProfilePath(QStringLiteral("C:\\Users\\bperry"));
    int throughLibraries = 0;
    for (int stream = 1; stream <= 7; ++stream) {
        const QByteArray link =
            testDataBytes(QStringLiteral("jump-list-streams/%1.lnk").arg(stream));
        ASSERT_GT(link.size(), 0x4E) << stream;
        const ShortcutFacts facts = readShortcut(link, none);
        ASSERT_EQ(facts.state, ShortcutFacts::State::Whole);
        const qsizetype listSize = qFromLittleEndian<quint16>(link.constData() + 0x4C);
        const ShellItemPath items =
            readShellItemList(QByteArrayView(link).sliced(0x4E, listSize), profile);
        EXPECT_TRUE(items.complete()) << stream << ": " << items.path.toStdString();
        if (facts.targetPath.endsWith(QLatin1String(".library-ms"))) {
            const QString library = facts.targetPath.section(QLatin1Char('\\'), -1);
            EXPECT_EQ(items.path, QStringLiteral("Libraries\\") + library.chopped(11)) << stream;
        } else {
            EXPECT_EQ(items.path, facts.targetPath) << stream;
        }
        throughLibraries +=
            link.contains(QByteArray::fromHex("25481e03947bc34db131e946b44c8dd5")) ? 1 : 0;
    }
    EXPECT_GE(throughLibraries, 2);
}
