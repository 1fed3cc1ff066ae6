// The encoding of tab-delimited output: --encoding, the locale's default on
// standard output, the table's own in files; a wrong name is a usage error.
#include "TestData.h"
#include "support/RunProgram.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString sample() {
    return QDir(samplesPath(QStringLiteral("profiles/xp"))).absolutePath();
}

const QByteArray kUtf8Title = "Extensions \xE2\x80\xBA by Google";
const QByteArray kCp1252Title = "Extensions \x9B by Google";

QList<QPair<QString, QString>> locale(const char* name) {
    return {{QStringLiteral("LC_ALL"), QString::fromLatin1(name)}};
}

} // namespace

TEST(OutputEncoding, ChosenByOptionLocaleAndTable) {
    const QStringList history{QStringLiteral("web-history"), QStringLiteral("--profile"), sample()};
    // The browsers' table is UTF-8: so is its output by default, in any
    // locale; in the code page on request (the "›" is 9B in windows-1252).
    ProgramRun run = runProgram(history);
    ASSERT_EQ(run.status, 0) << run.err.constData();
    EXPECT_TRUE(run.out.contains(kUtf8Title));
    run =
        runProgram(history + QStringList{QStringLiteral("--encoding"), QStringLiteral("codepage")});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    EXPECT_TRUE(run.out.contains(kCp1252Title));
    EXPECT_FALSE(run.out.contains(kUtf8Title));

    // A code-page table (the cookie text files of a folder, one cookie
    // named "Müller"): its bytes in a file and on standard output in a
    // locale that is not UTF-8; UTF-8 on standard output in a UTF-8 locale
    // and wherever --encoding utf-8 asks, through the streamed rows as
    // through the whole table (--text-files).
    QTemporaryDir dir;
    QFile cookie(dir.filePath(QStringLiteral("joe@example[1].txt")));
    ASSERT_TRUE(cookie.open(QIODevice::WriteOnly));
    cookie.write("name\nM\xFCller\nexample.com/\n1024\n2061904896\n31022181\n"
                 "3123456789\n29999999\n*\n");
    cookie.close();
    const QStringList cookies{QStringLiteral("cookies"), dir.path(),
                              QStringLiteral("--text-files")};
    run = runProgram(cookies);
    ASSERT_EQ(run.status, 0) << run.err.constData();
    EXPECT_TRUE(run.out.contains("M\xFCller")) << run.out.constData();
    run = runProgram(cookies, 120000, locale("C.UTF-8"));
    ASSERT_EQ(run.status, 0) << run.err.constData();
    EXPECT_TRUE(run.out.contains("M\xC3\xBCller")) << run.out.constData();
    EXPECT_FALSE(run.out.contains("M\xFCller"));
    run =
        runProgram(cookies + QStringList{QStringLiteral("--encoding"), QStringLiteral("codepage")},
                   120000, locale("en_US.UTF-8"));
    EXPECT_TRUE(run.out.contains("M\xFCller"));
    const QString tsv = dir.filePath(QStringLiteral("out.tsv"));
    run =
        runProgram(cookies + QStringList{QStringLiteral("--tsv"), tsv}, 120000, locale("C.UTF-8"));
    ASSERT_EQ(run.status, 0) << run.err.constData();
    QFile written(tsv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.contains("M\xFCller")) << "a file keeps the table's own encoding";
    written.close();
    run = runProgram(cookies + QStringList{QStringLiteral("--tsv"), tsv,
                                           QStringLiteral("--encoding"), QStringLiteral("UTF-8")});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().contains("M\xC3\xBCller"));

    // An unknown name: the usage message, status 2, nothing written.
    run = runProgram(cookies + QStringList{QStringLiteral("--encoding"), QStringLiteral("latin9")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("unknown encoding latin9")) << run.err.constData();
    EXPECT_TRUE(run.out.isEmpty());
}
