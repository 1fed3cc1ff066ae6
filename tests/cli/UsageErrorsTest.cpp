#include "TestData.h"
#include "support/RunProgram.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A command line the program cannot take is refused with the usage message
// and status 2 before any window starts; asking for the window without a
// display says so (status 1) instead of aborting.
TEST(UsageErrors, RefusedBeforeAnyWindowStarts) {
    const QList<QStringList> wrong = {
        {QStringLiteral("bogus")},
        {QStringLiteral("activty"), QStringLiteral("x.dat")},
        {QStringLiteral("--profile")},
        {QStringLiteral("--profle"), QStringLiteral("x")},
        {QStringLiteral("--codepage"), QStringLiteral("no-such-page")},
        {QStringLiteral("activity"), QStringLiteral("--hash-wlak"), QStringLiteral("x.dat")},
        {QStringLiteral("recall"), QStringLiteral("--profile")},
    };
    for (const QStringList& arguments : wrong) {
        const ProgramRun run = runProgram(arguments, 60000);
        EXPECT_EQ(run.status, 2) << qPrintable(arguments.join(' '));
        EXPECT_TRUE(run.err.contains("usage:")) << qPrintable(arguments.join(' '));
    }
    const ProgramRun window =
        runProgram({QStringLiteral("--profile"), samplesPath(QStringLiteral("profiles/xp"))});
    EXPECT_EQ(window.status, 1);
    EXPECT_TRUE(window.err.contains("no display")) << window.err.constData();
}

// On the command line one end of a date range alone leaves the other end
// open: --date-from D means from D on, --date-to D up to D.
TEST(UsageErrors, LoneDateEndsOpenTheRange) {
    const QString profile = samplesPath(QStringLiteral("profiles/xp"));
    QTemporaryDir dir;
    auto rows = [&](const QString& name, const QStringList& dates) {
        QStringList arguments = {QStringLiteral("recall"),
                                 QStringLiteral("--profile"),
                                 profile,
                                 QStringLiteral("--sections"),
                                 QStringLiteral("a"),
                                 QStringLiteral("--out"),
                                 dir.filePath(name)};
        arguments << dates;
        const ProgramRun run = runProgram(arguments);
        EXPECT_EQ(run.status, 0) << run.err.constData();
        QFile file(QDir(dir.filePath(name)).filePath(QStringLiteral("activity.txt")));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().count('\n') - 1;
    };
    auto lone = [&](const char* option, const char* date) {
        return rows(QString::fromLatin1(option) + QString::fromLatin1(date),
                    {QString::fromLatin1(option), QString::fromLatin1(date)});
    };
    // Every dated Activity row of the sample was last accessed on 2015-08-25.
    const auto all =
        rows(QStringLiteral("all"), {QStringLiteral("--date-from"), QStringLiteral("1970-01-01"),
                                     QStringLiteral("--date-to"), QStringLiteral("3000-12-31")});
    EXPECT_GT(all, 0);
    EXPECT_EQ(lone("--date-from", "2015-08-25"), all);
    EXPECT_EQ(lone("--date-from", "2015-08-26"), 0);
    EXPECT_EQ(lone("--date-to", "2015-08-25"), all);
    EXPECT_EQ(lone("--date-to", "2015-08-24"), 0);
}
