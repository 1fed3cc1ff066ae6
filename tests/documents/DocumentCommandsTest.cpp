// The recent and temp sub-commands, run as the program.
#include "TestData.h"
#include "documents/MruHive.h"
#include "documents/OpenSaveMru.h"
#include "documents/RecentRow.h"
#include "support/RunProgram.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString sample() {
    return QDir(samplesPath(QStringLiteral("profiles/xp"))).absolutePath();
}

} // namespace

TEST(DocumentCommands, RecentAndTempTableTheSampleProfile) {
    const ProgramRun recent = runProgram(
        {QStringLiteral("recent"), QStringLiteral("--profile"), sample(), QStringLiteral("--utc"),
         QStringLiteral("--date-format"), QStringLiteral("yyyy-MM-dd HH:mm:ss")});
    ASSERT_EQ(recent.status, 0) << recent.err.constData();
    QList<QByteArray> lines = recent.out.split('\n');
    // Captions, 37 rows, the final line end: 12 files of the two Recent
    // folders, 11 XP open/save entries, 6 RecentDocs entries, 7 + 1 of the
    // jump lists.
    ASSERT_EQ(lines.size(), 39);
    EXPECT_EQ(lines[0], "Name\tFile Ext\tCreation Time\tLast Access\tLink Address\tSource\t"
                        "MRU Position\tRecorded Time\tAccess Count\tTarget Path\tTarget Created\t"
                        "Target Modified\tTarget Accessed\tTarget Size\tVolume Label\t"
                        "Volume Serial\tMachine ID\tWorking Folder\tNote\tArguments\t"
                        "Description\tCategory\tAdded\tVisited\tApplications\tUser");
    for (int i = 1; i <= 37; ++i)
        EXPECT_EQ(lines[i].count('\t'), 25) << i;
    // A shortcut of the Windows 7 style folder with its target's facts.
    int letter = -1;
    for (int i = 1; i <= 12; ++i)
        if (lines[i].startsWith("letter to bank.doc\t.lnk\t") &&
            lines[i].contains("/AppData/Roaming/Microsoft/Windows/Recent/"))
            letter = i;
    ASSERT_GT(letter, 0);
    const QList<QByteArray> link = lines[letter].split('\t');
    EXPECT_EQ(link[5], "Recent folder");
    EXPECT_EQ(link[9], "C:\\Documents and Settings\\joe\\My Documents\\letter to bank.doc");
    EXPECT_EQ(link[14], "SYSTEM");
    EXPECT_EQ(link[16], "joe-pc");
    EXPECT_EQ(link[17], "C:\\Documents and Settings\\joe\\My Documents");
    // The XP lists follow the folders, each row with its source and place.
    EXPECT_TRUE(lines[13].startsWith("letter to bank.doc\t.doc\t"));
    EXPECT_TRUE(lines[13].contains("\tOpenSaveMRU\\*\t2\t")) << lines[13].constData();
    EXPECT_TRUE(lines[23].contains(
        "\tC:\\Documents and Settings\\joe\\My Documents\\Budget 2008.xls\tOpenSaveMRU\\xls\t0\t"))
        << lines[23].constData();
    // The pictures list: a photograph in the profile (with times), a deleted one.
    EXPECT_TRUE(lines[18].startsWith("beach.jpg\t.jpg\t")) << lines[18].constData();
    EXPECT_FALSE(lines[18].split('\t')[2].isEmpty());
    EXPECT_TRUE(lines[19].startsWith("sunset.jpg\t.jpg\t\t\t")) << lines[19].constData();
    EXPECT_TRUE(lines[24].contains("\tRecentDocs\t0\t2009-08-04 15:19:23\t"))
        << lines[24].constData();
    EXPECT_TRUE(lines[37].contains("\tCustomDestinations\\a7bd71699cd38d1c"));

    // The spreadsheet carries the trailing columns too: the title row, then
    // the captions and every row with 19 cells.
    QTemporaryDir out;
    const QString xml = out.filePath(QStringLiteral("recent.xml"));
    const ProgramRun sheet = runProgram({QStringLiteral("recent"), QStringLiteral("--profile"),
                                         sample(), QStringLiteral("--xml"), xml});
    ASSERT_EQ(sheet.status, 0) << sheet.err.constData();
    QFile file(xml);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    qsizetype at = text.indexOf("<Row");
    QList<int> cells;
    while (at >= 0) {
        const qsizetype end = text.indexOf("</Row>", at);
        ASSERT_GT(end, at);
        cells << int(QByteArrayView(text).sliced(at, end - at).count("<Cell"));
        at = text.indexOf("<Row", end);
    }
    ASSERT_EQ(cells.size(), 1 + 1 + 37);
    for (int i = 1; i < cells.size(); ++i)
        EXPECT_EQ(cells[i], vc::kRecentRowFields + 1) << i; // with "User"
    EXPECT_TRUE(text.contains(">Working Folder<"));
    EXPECT_TRUE(text.contains(">joe-pc<"));

    const ProgramRun temp =
        runProgram({QStringLiteral("temp"), QStringLiteral("--profile"), sample()});
    ASSERT_EQ(temp.status, 0) << temp.err.constData();
    lines = temp.out.split('\n');
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines[0], "Name\tFile Ext\tCreation Time\tLast Access\tFile Path\tUser");
    EXPECT_FALSE(temp.out.contains("Excel11.xlb"));
}

TEST(DocumentCommands, UsageAndInputFailuresHaveTheirExitStatus) {
    const ProgramRun noProfile = runProgram({QStringLiteral("recent")});
    EXPECT_EQ(noProfile.status, 2);
    const ProgramRun missing = runProgram({QStringLiteral("recent"), QStringLiteral("--profile"),
                                           QStringLiteral("/no/such/profile")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("/no/such/profile")) << missing.err.constData();
    const ProgramRun extra = runProgram({QStringLiteral("temp"), QStringLiteral("folder")});
    EXPECT_EQ(extra.status, 2);

    // A non-text MRU value: exit 1, the value named, nothing on stdout.
    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(writeMruHive(testDataPath(QStringLiteral("ntuser-xp.dat")),
                             dir.path() + QStringLiteral("/NTUSER.DAT"), vc::kOpenSaveMruKey,
                             {{QStringLiteral("txt"), {{QStringLiteral("zz"), 3, "\x01"}}}},
                             &error))
        << qPrintable(error);
    const ProgramRun bad =
        runProgram({QStringLiteral("recent"), QStringLiteral("--profile"), dir.path()});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.err.contains("'zz'")) << bad.err.constData();
    EXPECT_TRUE(bad.out.isEmpty());

    // A jump list that is no compound file: exit 1 and the file named, but
    // the table of everything else is written.
    QTemporaryDir other;
    ASSERT_TRUE(QFile::copy(testDataPath(QStringLiteral("ntuser-win10.dat")),
                            other.filePath(QStringLiteral("NTUSER.DAT"))));
    const QString lists =
        QStringLiteral("AppData/Roaming/Microsoft/Windows/Recent/AutomaticDestinations");
    ASSERT_TRUE(QDir(other.path()).mkpath(lists));
    QFile garbage(other.filePath(lists + QStringLiteral("/0123.automaticDestinations-ms")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("no compound file");
    garbage.close();
    const ProgramRun damaged =
        runProgram({QStringLiteral("recent"), QStringLiteral("--profile"), other.path()});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_TRUE(damaged.err.contains("/0123.automaticDestinations-ms")) << damaged.err.constData();
    // Captions, the jump list file itself, the hive's 11 entries, the end.
    EXPECT_EQ(damaged.out.split('\n').size(), 1 + 1 + 11 + 1) << damaged.out.constData();
}
