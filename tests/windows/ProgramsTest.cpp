// Programs run: UserAssist of real Windows XP and 10 hives (checked against
// regripper's userassist plugin, the focus fields decoded by hand from the
// value's bytes) and Prefetch files (checked against sccainfo).
#include "evidence/EvidenceFiles.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"
#include "windows/Prefetch.h"
#include "windows/ProgramsLoad.h"
#include "windows/UserAssistValue.h"
#include "windows/WindowsDetails.h"
#include "windows/WindowsTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace vc;
using namespace vc::testing;

namespace {

class ProgramsTest : public WindowsTablesTest {
protected:
    std::unique_ptr<TableModel> userAssist(const QString& hiveName, const QString& profilePath) {
        const auto hive = openTestHive(testDataPath(hiveName));
        auto table = makeWindowsTable(WindowsTable::Programs);
        if (hive)
            loadUserAssist(*hive, locationsOf(*hive, profilePath), LoadContext{}, *table);
        return table;
    }
};

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

} // namespace

TEST_F(ProgramsTest, ValuesOfBothLayoutsAndNamesInRot13) {
    EXPECT_EQ(rot13(QStringLiteral("HRZR_EHACNGU:P:\\Jvaqbjf")),
              QStringLiteral("UEME_RUNPATH:C:\\Windows"));
    EXPECT_EQ(rot13(rot13(QStringLiteral("Zz 09 {é}"))), QStringLiteral("Zz 09 {é}"));
    // Windows XP: the count starts at 5.
    const UserAssistValue xp =
        parseUserAssistValue(testDataBytes(QStringLiteral("userassist/xp-msn.bin")));
    EXPECT_EQ(xp.layout, UserAssistValue::Layout::Short16);
    EXPECT_EQ(xp.storedCount, 19u);
    EXPECT_EQ(xp.runCount, 14u);
    EXPECT_EQ(xp.lastRun, 0x01ca1515d3f64b54ULL);
    EXPECT_FALSE(xp.focusCount);
    // Below 5 the number stays as it is (counters of the session).
    EXPECT_EQ(parseUserAssistValue(QByteArray(4, '\0') + bytes({2, 0, 0, 0}) + QByteArray(8, '\0'))
                  .runCount,
              2u);
    // Internet Explorer of ntuser-win10.dat: 02 00 00 00, 08 00 00 00,
    // 8C D9 0C 00 and the FILETIME at 60.
    const UserAssistValue win7 = parseUserAssistValue(
        testDataBytes(QStringLiteral("userassist/win10-internet-explorer.bin")));
    EXPECT_EQ(win7.layout, UserAssistValue::Layout::Long72);
    EXPECT_EQ(win7.runCount, 2u);
    EXPECT_EQ(win7.focusCount, 8u);
    EXPECT_EQ(win7.focusMilliseconds, 842124u);
    EXPECT_EQ(win7.lastRun, 0x01d2226770dcf370ULL);
    EXPECT_EQ(
        parseUserAssistValue(testDataBytes(QStringLiteral("userassist/win10-session.bin"))).layout,
        UserAssistValue::Layout::Unknown);
    for (const int size : {0, 8, 15, 17, 71, 73, 1612})
        EXPECT_EQ(parseUserAssistValue(QByteArray(size, '\x7f')).layout,
                  UserAssistValue::Layout::Unknown)
            << size;
}

TEST_F(ProgramsTest, UserAssistOfWindowsXp) {
    const auto table = userAssist(QStringLiteral("ntuser-xp.dat"),
                                  QStringLiteral("C:\\Documents and Settings\\joe"));
    const int bcwipe =
        rowWith(*table, kProgramName,
                QStringLiteral("UEME_RUNPATH:C:\\Program Files\\Jetico\\BCWipe\\BCWipeTM.exe"));
    ASSERT_GE(bcwipe, 0);
    EXPECT_EQ(shown(*table, bcwipe, kProgramRunCount), QStringLiteral("1"));
    EXPECT_EQ(shown(*table, bcwipe, kProgramLastRun), QStringLiteral("2009-08-04 15:21:53"));
    EXPECT_EQ(shown(*table, bcwipe, kProgramSource),
              QStringLiteral("UserAssist {75048700-EF1F-11D0-9888-006097DEACF9}"));
    EXPECT_TRUE(shown(*table, bcwipe, kProgramFocusCount).isEmpty());
    EXPECT_EQ(shown(*table, bcwipe, kProgramNote), tx(TextCountFromFive).arg(6));
    // %csidl2% is the user's Programs folder.
    const int msn = rowWith(*table, kProgramName,
                            QStringLiteral("UEME_RUNPIDL:C:\\Documents and Settings\\joe\\Start "
                                           "Menu\\Programs\\MSN.lnk"));
    ASSERT_GE(msn, 0);
    EXPECT_EQ(shown(*table, msn, kProgramRunCount), QStringLiteral("14"));
    EXPECT_EQ(shown(*table, msn, kProgramLastRun), QStringLiteral("2009-08-04 15:11:22"));
    EXPECT_TRUE(
        shown(*table, msn, kProgramNote)
            .contains(tx(TextNameStoredAs).arg(QStringLiteral("UEME_RUNPIDL:%csidl2%\\MSN.lnk"))));
    const int notepad = rowWith(*table, kProgramName,
                                QStringLiteral("UEME_RUNPATH:C:\\WINDOWS\\system32\\NOTEPAD.EXE"));
    ASSERT_GE(notepad, 0);
    EXPECT_EQ(shown(*table, notepad, kProgramRunCount), QStringLiteral("2"));
    EXPECT_EQ(shown(*table, notepad, kProgramLastRun), QStringLiteral("2009-08-04 15:19:23"));
    // The session value of XP has 8 bytes: a row that says it was not read.
    const int session = rowWith(*table, kProgramName, QStringLiteral("UEME_CTLSESSION"));
    ASSERT_GE(session, 0);
    EXPECT_EQ(shown(*table, session, kProgramNote), tx(TextValueNotRead).arg(8));
    EXPECT_TRUE(shown(*table, session, kProgramRunCount).isEmpty());
}

TEST_F(ProgramsTest, UserAssistOfWindows10WithKnownFoldersResolved) {
    const auto table =
        userAssist(QStringLiteral("ntuser-win10.dat"), QStringLiteral("C:\\Users\\bperry"));
    const int ie =
        rowWith(*table, kProgramName, QStringLiteral("Microsoft.InternetExplorer.Default"));
    ASSERT_GE(ie, 0);
    EXPECT_EQ(shown(*table, ie, kProgramRunCount), QStringLiteral("2"));
    EXPECT_EQ(shown(*table, ie, kProgramLastRun), QStringLiteral("2016-10-09 19:58:01"));
    // 08 00 00 00 and 8C D9 0C 00 (842124 ms) of the value.
    EXPECT_EQ(shown(*table, ie, kProgramFocusCount), QStringLiteral("8"));
    EXPECT_EQ(shown(*table, ie, kProgramFocusTime), QStringLiteral("0:14:02"));
    EXPECT_TRUE(shown(*table, ie, kProgramNote).isEmpty());
    // User Pinned lies below AppData, the Start menu of all users in ProgramData.
    const int pinned =
        rowWith(*table, kProgramName,
                QStringLiteral("C:\\Users\\bperry\\AppData\\Roaming\\Microsoft\\Internet "
                               "Explorer\\Quick Launch\\User Pinned\\TaskBar\\Internet "
                               "Explorer.lnk"));
    ASSERT_GE(pinned, 0);
    EXPECT_EQ(shown(*table, pinned, kProgramRunCount), QStringLiteral("2"));
    EXPECT_EQ(shown(*table, pinned, kProgramLastRun), QStringLiteral("2016-10-09 19:58:01"));
    const int store = rowWith(
        *table, kProgramName,
        QStringLiteral(
            "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Windows Store.lnk"));
    ASSERT_GE(store, 0);
    EXPECT_EQ(shown(*table, store, kProgramLastRun), QStringLiteral("2016-10-05 09:50:57"));
    EXPECT_TRUE(
        shown(*table, store, kProgramNote)
            .contains(QStringLiteral("{0139D44E-6AFE-49F2-8690-3DAFCAE6FFB8}\\Windows Store.lnk")));
    const int spotify =
        rowWith(*table, kProgramName,
                QStringLiteral("C:\\Users\\bperry\\AppData\\Roaming\\Spotify\\Spotify.exe"));
    ASSERT_GE(spotify, 0);
    EXPECT_EQ(shown(*table, spotify, kProgramRunCount), QStringLiteral("0"));
    EXPECT_TRUE(shown(*table, spotify, kProgramLastRun).isEmpty());
    EXPECT_EQ(shown(*table, spotify, kProgramFocusCount), QStringLiteral("3"));
}

TEST_F(ProgramsTest, PrefetchFilesAsSccainfoReadsThem) {
    QTemporaryDir volume;
    const QString folder = volume.filePath(QStringLiteral("windows/PREFETCH"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char* name : {"CMD.EXE-087B4001.pf", "NOTEPAD.EXE-D8414F97.pf"})
        ASSERT_TRUE(QFile::copy(testDataPath(QStringLiteral("prefetch/") + QLatin1String(name)),
                                folder + QLatin1Char('/') + QLatin1String(name)));
    // Windows 11's format version 31, which libscca 20200717 does not read.
    QByteArray v31(84, '\0');
    v31[0] = 31;
    v31.replace(4, 4, "SCCA");
    const QString exe = QStringLiteral("WINWORD.EXE");
    v31.replace(16, exe.size() * 2,
                QByteArray(reinterpret_cast<const char*>(exe.utf16()), exe.size() * 2));
    v31[76] = 0x78;
    v31[77] = 0x56;
    v31[78] = 0x34;
    v31[79] = 0x12;
    auto write = [&](const char* name, const QByteArray& content) {
        QFile file(folder + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    };
    write("WINWORD.EXE-12345678.PF", v31);
    // A compressed file whose data libscca cannot unpack.
    write("APP.EXE-0000ABCD.pf",
          QByteArray("MAM\x04", 4) + bytes({0, 1, 0, 0}) + QByteArray(64, 'x'));
    write("readme.txt", "not a prefetch file");

    auto table = makeWindowsTable(WindowsTable::Programs);
    CollectingReporter report;
    LoadContext context;
    context.report = &report;
    const WindowsLoadResult result =
        loadPrefetch(localEvidenceFiles(), volume.path().toUtf8(), context, *table);
    EXPECT_TRUE(report.errors.isEmpty()) << report.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(result.inputs, 4);
    ASSERT_EQ(table->rows(), 4);
    // Name order: APP, CMD, NOTEPAD, WINWORD.
    EXPECT_EQ(shown(*table, 0, kProgramName), QStringLiteral("APP.EXE"));
    EXPECT_EQ(shown(*table, 0, kProgramHash), QStringLiteral("0000ABCD"));
    EXPECT_TRUE(shown(*table, 0, kProgramNote).startsWith(tx(TextPrefetchCompressedUnread)));

    EXPECT_EQ(shown(*table, 1, kProgramName),
              QStringLiteral("\\DEVICE\\HARDDISKVOLUME1\\WINDOWS\\SYSTEM32\\CMD.EXE"));
    EXPECT_EQ(shown(*table, 1, kProgramSource), QStringLiteral("Prefetch"));
    EXPECT_EQ(shown(*table, 1, kProgramFormatVersion), QStringLiteral("17"));
    EXPECT_EQ(shown(*table, 1, kProgramHash), QStringLiteral("087B4001"));
    EXPECT_EQ(shown(*table, 1, kProgramRunCount), QStringLiteral("2"));
    EXPECT_EQ(shown(*table, 1, kProgramLastRun), QStringLiteral("2013-03-10 10:11:49"));
    EXPECT_TRUE(shown(*table, 1, kProgramPreviousRun1).isEmpty());
    EXPECT_EQ(shown(*table, 1, kProgramVolumes),
              QStringLiteral("\\DEVICE\\HARDDISKVOLUME1 (24CB074B)"));
    EXPECT_TRUE(shown(*table, 1, kProgramNote).isEmpty());

    EXPECT_EQ(
        shown(*table, 2, kProgramName),
        QStringLiteral("\\VOLUME{01d3096ba3a46863-2ca3d1ae}\\WINDOWS\\SYSTEM32\\NOTEPAD.EXE"));
    EXPECT_EQ(shown(*table, 2, kProgramFormatVersion), QStringLiteral("30"));
    EXPECT_EQ(shown(*table, 2, kProgramHash), QStringLiteral("D8414F97"));
    EXPECT_EQ(shown(*table, 2, kProgramRunCount), QStringLiteral("2"));
    EXPECT_EQ(shown(*table, 2, kProgramLastRun), QStringLiteral("2019-06-05 19:55:04"));
    EXPECT_EQ(shown(*table, 2, kProgramPreviousRun1), QStringLiteral("2019-06-05 19:23:00"));
    EXPECT_TRUE(shown(*table, 2, kProgramPreviousRun1 + 1).isEmpty());
    EXPECT_EQ(shown(*table, 2, kProgramVolumes),
              QStringLiteral("\\VOLUME{01d3096ba3a46863-2ca3d1ae} (2CA3D1AE)"));

    EXPECT_EQ(shown(*table, 3, kProgramName), QStringLiteral("WINWORD.EXE"));
    EXPECT_EQ(shown(*table, 3, kProgramHash), QStringLiteral("12345678"));
    EXPECT_EQ(shown(*table, 3, kProgramFormatVersion), QStringLiteral("31"));
    EXPECT_EQ(shown(*table, 3, kProgramNote), tx(TextPrefetchVersionUnread).arg(31));
    EXPECT_TRUE(shown(*table, 3, kProgramRunCount).isEmpty());

    // The pane reads the file again for its volumes and loaded files.
    const QString pane = windowsRowDetail(WindowsTable::Programs, *table, 1, &localEvidenceFiles());
    EXPECT_TRUE(pane.contains(tx(TextLoadedFiles) + QStringLiteral(" (33):")));
    EXPECT_TRUE(pane.contains(QStringLiteral("  \\DEVICE\\HARDDISKVOLUME1\\$MFT")));
    EXPECT_TRUE(pane.contains(tx(TextCreationTime) + QStringLiteral(": 2013-03-10 10:19:46")));
    EXPECT_TRUE(pane.contains(tx(TextVolumeSerial) + QStringLiteral(": 24CB074B")));
    const QString notepadPane =
        windowsRowDetail(WindowsTable::Programs, *table, 2, &localEvidenceFiles());
    EXPECT_TRUE(notepadPane.contains(tx(TextLoadedFiles) + QStringLiteral(" (56):")));
    EXPECT_TRUE(notepadPane.contains(QStringLiteral(
        "  \\VOLUME{01d3096ba3a46863-2ca3d1ae}\\WINDOWS\\SYSTEM32\\WIN32KFULL.SYS")));
}

TEST_F(ProgramsTest, DamagedPrefetchFilesGiveARowEach) {
    const QByteArray cmd = testDataBytes(QStringLiteral("prefetch/CMD.EXE-087B4001.pf"));
    ASSERT_FALSE(cmd.isEmpty());
    // Every cut of the file: libscca reads it or refuses it, and the name
    // never gets lost.
    for (qsizetype size = 0; size < cmd.size(); size += 97) {
        const PrefetchFile file =
            readPrefetch(cmd.first(size), QStringLiteral("CMD.EXE-087B4001.pf"), true);
        EXPECT_EQ(file.executable, QStringLiteral("CMD.EXE")) << size;
        EXPECT_EQ(file.hash, 0x087B4001u) << size;
        EXPECT_LE(file.loadedFiles.size(), 33) << size;
    }
    // A compressed file claiming to unpack to 4 GiB is not handed to libscca.
    const PrefetchFile huge =
        readPrefetch(QByteArray("MAM\x04\xff\xff\xff\xff", 8) + QByteArray(100, '\0'),
                     QStringLiteral("X.EXE-00000001.pf"), false);
    EXPECT_FALSE(huge.readByLibscca);
    EXPECT_EQ(huge.executable, QStringLiteral("X.EXE"));
    // Names Windows did not make give what they hold.
    EXPECT_EQ(parsePrefetchFileName(QStringLiteral("ODD.pf")).executable, QStringLiteral("ODD"));
    EXPECT_FALSE(parsePrefetchFileName(QStringLiteral("ODD-XYZ.pf")).hash);
}
