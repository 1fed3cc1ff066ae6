#include "TestData.h"
#include "cache/ActivityTable.h"
#include "cache/CacheSources.h"
#include "cache/IndexLoad.h"
#include "platform/TimeText.h"
#include "platform/WorkFile.h"
#include "support/RunProgram.h"
#include "tables/TableColumns.h"

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
                                   "File Ext\tType\tDirectory\tHTTP Header\tUser"));
    EXPECT_FALSE(ok.out.contains('\r')); // LF on standard output
    for (int i = 1; i + 1 < lines.size(); ++i)
        EXPECT_EQ(lines[i].count('\t'), 8) << i; // the "User" cell of a file alone is empty
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

using namespace vc;

// Tab-delimited output streams records past the work file; its rows must be
// the window's rows, byte for byte, in both walks of a real file.
TEST(ActivityCommand, StreamedRowsEqualTheWindowsTable) {
    const QString file = testDataPath(QStringLiteral("content-ie5-index.dat"));
    setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    for (bool hashWalk : {false, true}) {
        QStringList args{QStringLiteral("activity"), file, QStringLiteral("--date-format"),
                         QStringLiteral("yyyy-MM-dd HH:mm:ss")};
        if (hashWalk)
            args << QStringLiteral("--hash-walk");
        const ProgramRun run = runProgram(args);
        ASSERT_EQ(run.status, 0) << run.err.constData();
        QList<QByteArray> lines = run.out.split('\n');
        lines.removeFirst(); // captions
        lines.removeLast();  // after the last line end

        WorkFile workFile;
        WalkOptions walk;
        walk.linearScan = !hashWalk;
        ASSERT_TRUE(WalkIndexIntoWorkFile(workFile, file, walk).workFileOpened);
        TableModel table(QStringLiteral("ListView1"), sourceColumns(activitySource()));
        TextLines workLines(workFile.fileName());
        FillActivityRows(workLines, table, nullptr, 50);
        ASSERT_EQ(lines.size(), table.rows()) << "hash walk " << hashWalk;
        ASSERT_GT(table.rows(), 10);
        for (int row = 0; row < table.rows(); ++row)
            ASSERT_EQ(lines[row], table.rowCells(row).join('\t')) << row;
    }
}
