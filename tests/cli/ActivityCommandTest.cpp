#include "TestData.h"
#include "support/RunProgram.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ActivityCommand, TablesAFileAndReportsFailures) {
    const QString file = testDataPath(QStringLiteral("content-ie5-index.dat"));
    const ProgramRun ok =
        runProgram({QStringLiteral("activity"), file, QStringLiteral("--date-format"),
                    QStringLiteral("yyyy-MM-dd HH:mm:ss")});
    ASSERT_EQ(ok.status, 0) << ok.err.constData();
    const QList<QByteArray> lines = ok.out.split('\n');
    ASSERT_GT(lines.size(), 2);
    EXPECT_EQ(lines[0], QByteArray("URL Address\tModification Time\tAccess Time\tFile Name\t"
                                   "File Ext\tType\tDirectory\tHTTP Header"));
    EXPECT_FALSE(ok.out.contains('\r')); // LF on standard output
    for (int i = 1; i + 1 < lines.size(); ++i)
        EXPECT_EQ(lines[i].count('\t'), 7) << i;
    EXPECT_TRUE(lines.last().isEmpty());

    // The same rows into a file, with CR LF line ends; the hash walk lists
    // no more rows than the block scan.
    QTemporaryDir dir;
    const QString tsv = dir.filePath(QStringLiteral("out.txt"));
    const ProgramRun toFile =
        runProgram({QStringLiteral("activity"), file, QStringLiteral("--tsv"), tsv,
                    QStringLiteral("--date-format"), QStringLiteral("yyyy-MM-dd HH:mm:ss")});
    ASSERT_EQ(toFile.status, 0);
    QFile written(tsv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_EQ(QByteArray(bytes).replace("\r\n", "\n"), ok.out);
    const ProgramRun hash =
        runProgram({QStringLiteral("activity"), file, QStringLiteral("--hash-walk")});
    ASSERT_EQ(hash.status, 0);
    EXPECT_LE(hash.out.count('\n'), ok.out.count('\n'));
    EXPECT_GT(hash.out.count('\n'), 1);

    // An unreadable input: status 1 and the path on stderr.
    const ProgramRun missing =
        runProgram({QStringLiteral("activity"), QStringLiteral("/no/such/index.dat")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("/no/such/index.dat"));
    // Usage errors: status 2.
    EXPECT_EQ(runProgram({QStringLiteral("activity")}).status, 2);
    EXPECT_EQ(runProgram({QStringLiteral("activity"), file, QStringLiteral("--bogus")}).status, 2);
    EXPECT_EQ(runProgram({QStringLiteral("activity"), file, QStringLiteral("--codepage"),
                          QStringLiteral("nope")})
                  .status,
              2);
    const ProgramRun version = runProgram({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith("vellacord "));
}
