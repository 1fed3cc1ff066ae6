// The history, cookies and favorites sub-commands.
#include "TestData.h"
#include "support/RunProgram.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QList<QByteArray> outputLines(const ProgramRun& run) {
    QList<QByteArray> lines = run.out.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

TEST(BrowserCommands, HistoryFirstFileOrAllOfATree) {
    QTemporaryDir dir;
    for (const char* to : {"/History.IE5/index.dat", "/History.IE5/MSHist01/Index.dat"}) {
        QDir().mkpath(QFileInfo(dir.path() + to).path());
        ASSERT_TRUE(QFile::copy(testDataPath(QStringLiteral("history-ie5-index.dat")),
                                dir.path() + QLatin1String(to)));
    }
    const ProgramRun first = runProgram({QStringLiteral("history"), dir.path()});
    ASSERT_EQ(first.status, 0) << first.err.constData();
    const QList<QByteArray> lines = outputLines(first);
    ASSERT_EQ(lines.size(), 1 + 17);
    EXPECT_EQ(lines[0], "URL Address\tModification Time\tAccess Time\tType\tCached File\tUser");
    EXPECT_TRUE(lines[1].startsWith("http://www.msn.com/?ocid=iehp\t"));
    const ProgramRun all =
        runProgram({QStringLiteral("history"), dir.path(), QStringLiteral("--full")});
    ASSERT_EQ(all.status, 0);
    EXPECT_EQ(outputLines(all).size(), 1 + 2 * 17);

    const ProgramRun missing =
        runProgram({QStringLiteral("history"), dir.filePath(QStringLiteral("nothing"))});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("nothing"));
    EXPECT_EQ(runProgram({QStringLiteral("history")}).status, 2);
}

TEST(BrowserCommands, CookiesAndFavoritesOfTheSampleProfile) {
    const QString profile = samplesPath(QStringLiteral("profiles/xp"));
    const QString cookies = profile + QStringLiteral("/Cookies");
    const ProgramRun index = runProgram({QStringLiteral("cookies"), cookies});
    ASSERT_EQ(index.status, 0) << index.err.constData();
    QList<QByteArray> lines = outputLines(index);
    ASSERT_EQ(lines.size(), 1 + 8);
    EXPECT_EQ(lines[0],
              "Site\tVariable\tCreation Time\tExpiration Time\tFile Name\tValue\tFlags\tUser");

    // --text-files: the text files' records first, then the index rows.
    const ProgramRun both =
        runProgram({QStringLiteral("cookies"), cookies, QStringLiteral("--text-files")});
    ASSERT_EQ(both.status, 0) << both.err.constData();
    lines = outputLines(both);
    ASSERT_EQ(lines.size(), 1 + 15 + 8);
    EXPECT_TRUE(lines[1].startsWith("bank.example/online/\tJSESSIONID\t"));
    EXPECT_TRUE(lines[16].startsWith("bank.example/online/\t\t"));
    for (const QByteArray& line : lines)
        EXPECT_EQ(line.count('\t'), 7);

    const ProgramRun favorites =
        runProgram({QStringLiteral("favorites"), QStringLiteral("--profile"), profile});
    ASSERT_EQ(favorites.status, 0) << favorites.err.constData();
    lines = outputLines(favorites);
    ASSERT_EQ(lines.size(), 1 + 8);
    EXPECT_EQ(lines[0], "Name\tCreation Time\tLast Access\tURL Address\tStored Address\tUser");
    // Every favorite of the sample stores its address.
    for (int i = 1; i < lines.size(); ++i)
        EXPECT_TRUE(lines[i].split('\t').value(4).startsWith("http")) << lines[i].constData();
    EXPECT_FALSE(favorites.out.contains("Desktop"));
    EXPECT_EQ(runProgram({QStringLiteral("favorites")}).status, 2);
}

} // namespace
