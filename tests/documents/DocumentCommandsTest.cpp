// The recent and temp sub-commands, run as the program.
#include "TestData.h"
#include "documents/MruHive.h"
#include "documents/OpenSaveMru.h"
#include "support/RunProgram.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString sample() {
    return QDir(samplesPath(QStringLiteral("profiles/xp"))).absolutePath();
}

} // namespace

TEST(DocumentCommands, RecentAndTempTableTheSampleProfile) {
    const ProgramRun recent = runProgram(
        {QStringLiteral("recent"), QStringLiteral("--profile"), sample(), QStringLiteral("--utc")});
    ASSERT_EQ(recent.status, 0) << recent.err.constData();
    QList<QByteArray> lines = recent.out.split('\n');
    ASSERT_EQ(lines.size(), 19); // captions, 17 rows, the final line end
    EXPECT_EQ(lines[0], "Name\tFile Ext\tCreation Time\tLast Access\tLink Address");
    for (int i = 1; i <= 17; ++i)
        EXPECT_EQ(lines[i].count('\t'), 4) << i;
    EXPECT_TRUE(lines[7].startsWith("letter to bank.doc\t.doc\t"));
    // The pictures list: a photograph in the profile (with times), a deleted one.
    EXPECT_TRUE(lines[12].startsWith("beach.jpg\t.jpg\t")) << lines[12].constData();
    EXPECT_FALSE(lines[12].split('\t')[2].isEmpty());
    EXPECT_TRUE(lines[13].startsWith("sunset.jpg\t.jpg\t\t\t")) << lines[13].constData();
    EXPECT_TRUE(
        lines[17].endsWith("\tC:\\Documents and Settings\\joe\\My Documents\\Budget 2008.xls"));

    const ProgramRun temp =
        runProgram({QStringLiteral("temp"), QStringLiteral("--profile"), sample()});
    ASSERT_EQ(temp.status, 0) << temp.err.constData();
    lines = temp.out.split('\n');
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines[0], "Name\tFile Ext\tCreation Time\tLast Access\tFile Path");
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
}
