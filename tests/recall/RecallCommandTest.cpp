// The recall sub-command: one export file per gathered section, the
// summary on standard output, usage errors.
#include "TestData.h"
#include "evidence/Sources.h"
#include "support/RunProgram.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString sample() {
    return QDir(samplesPath(QStringLiteral("profiles/xp"))).absolutePath();
}

QList<QByteArray> fileLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().split('\n');
}

TEST(RecallCommandTest, WholeAndConditionalRecallOfTheSampleProfile) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString whole = out.filePath(QStringLiteral("whole"));
    ProgramRun run = runProgram({QStringLiteral("recall"), QStringLiteral("--profile"), sample(),
                                 QStringLiteral("--out"), whole, QStringLiteral("--date-format"),
                                 QStringLiteral("yyyy-MM-dd HH:mm:ss")});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    const QList<QByteArray> summary = run.out.trimmed().split('\n');
    ASSERT_EQ(summary.size(), vc::kSourceCount) << run.out.constData();
    EXPECT_TRUE(summary[2].startsWith("Internet Explorer: Cookie. Records: "));
    EXPECT_EQ(summary[8], "Chrome, Edge, Firefox: Cookies. Records: 573");
    for (const char* name : {"activity", "history", "cookie", "links", "recent", "temp",
                             "web-history", "web-downloads", "web-cookies"}) {
        const QList<QByteArray> lines =
            fileLines(QDir(whole).filePath(QString::fromLatin1(name) + QStringLiteral(".txt")));
        EXPECT_GT(lines.size(), 2) << name;
        EXPECT_TRUE(lines.value(0).endsWith('\r')) << name << ": export line ends";
    }
    const int allCookies =
        int(fileLines(QDir(whole).filePath(QStringLiteral("cookie.txt"))).size());
    // The recent documents with every column: captions, 37 rows, the end.
    const QList<QByteArray> recent = fileLines(QDir(whole).filePath(QStringLiteral("recent.txt")));
    ASSERT_EQ(recent.size(), 39);
    EXPECT_TRUE(recent[0].startsWith("Name\tFile Ext\tCreation Time\tLast Access\tLink Address\t"
                                     "Source\tMRU Position\tRecorded Time\t"));
    EXPECT_EQ(recent[0].count('\t'), 25);
    EXPECT_EQ(summary[4], "Documents: Links to recent documents and folders. Records: 37");

    const QList<QByteArray> downloads =
        fileLines(QDir(whole).filePath(QStringLiteral("web-downloads.txt")));
    ASSERT_EQ(downloads.size(), 5) << "caption line, three downloads, end";
    EXPECT_TRUE(downloads[0].startsWith("URL Address\tTarget Path\tStart Time\tEnd Time\t"));
    EXPECT_TRUE(downloads[3].startsWith("https://plaso.googlecode.com/files/plaso-static-1.0.1-"
                                        "win32-vs2008.zip\tD:\\plaso-static-1.0.1-win32-vs2008."
                                        "zip\t2013-07-18 18:59:59\t2013-07-18 19:01:18\t"
                                        "15974599\t15974599\tcomplete\tFirefox\t"))
        << downloads[3].constData();

    // The browser sections by their letters, with a phrase.
    const QString web = out.filePath(QStringLiteral("web"));
    run = runProgram({QStringLiteral("recall"), QStringLiteral("--profile"), sample(),
                      QStringLiteral("--sections"), QStringLiteral("w,D,k"),
                      QStringLiteral("--contains"), QStringLiteral("youtube"),
                      QStringLiteral("--out"), web});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    EXPECT_EQ(QDir(web).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("web-cookies.txt"), QStringLiteral("web-downloads.txt"),
                           QStringLiteral("web-history.txt")}));
    const QList<QByteArray> youtube =
        fileLines(QDir(web).filePath(QStringLiteral("web-cookies.txt")));
    ASSERT_GT(youtube.size(), 2);
    for (qsizetype i = 1; i < youtube.size() - 1; ++i)
        EXPECT_TRUE(youtube[i].contains("youtube")) << youtube[i].constData();
    EXPECT_EQ(run.out, "Chrome, Edge, Firefox: History. Records: 1\n"
                       "Chrome, Edge, Firefox: Downloads. Records: 0\n"
                       "Chrome, Edge, Firefox: Cookies. Records: 8\n");

    // Cookies of April 2008 that mention the bank, Cookie section only.
    const QString some = out.filePath(QStringLiteral("some"));
    run = runProgram(
        {QStringLiteral("recall"), QStringLiteral("--profile"), sample(),
         QStringLiteral("--sections"), QStringLiteral("c"), QStringLiteral("--date-from"),
         QStringLiteral("2008-04-30"), QStringLiteral("--date-to"), QStringLiteral("2008-04-01"),
         QStringLiteral("--contains"), QStringLiteral("bank"), QStringLiteral("--out"), some,
         QStringLiteral("--date-format"), QStringLiteral("dd.MM.yyyy HH:mm:ss")});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    EXPECT_EQ(QDir(some).entryList(QDir::Files), QStringList{QStringLiteral("cookie.txt")});
    const QList<QByteArray> lines = fileLines(QDir(some).filePath(QStringLiteral("cookie.txt")));
    ASSERT_GT(lines.size(), 2);
    EXPECT_LT(int(lines.size()), allCookies);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        EXPECT_TRUE(lines[i].contains("bank")) << lines[i].constData();
        EXPECT_EQ(lines[i].split('\t').value(3).mid(2, 8), QByteArray(".04.2008"))
            << lines[i].constData();
    }
    EXPECT_TRUE(run.out.startsWith("Internet Explorer: Cookie. Records: "));
}

// "--xml" at the end of a recall asks for spreadsheet files, one per section;
// elsewhere it still needs a file name.
TEST(RecallCommandTest, BareXmlWritesSpreadsheetsPerSection) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString dir = out.filePath(QStringLiteral("xml"));
    ProgramRun run = runProgram({QStringLiteral("recall"), QStringLiteral("--profile"), sample(),
                                 QStringLiteral("--sections"), QStringLiteral("h,l"),
                                 QStringLiteral("--out"), dir, QStringLiteral("--xml")});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    EXPECT_EQ(QDir(dir).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("history.xml"), QStringLiteral("links.xml")}));
    const QList<QByteArray> lines = fileLines(QDir(dir).filePath(QStringLiteral("links.xml")));
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines[0].startsWith("<?xml")) << lines[0].constData();

    run = runProgram({QStringLiteral("recall"), QStringLiteral("--profile"), sample(),
                      QStringLiteral("--xml"), QStringLiteral("--sections"), QStringLiteral("l"),
                      QStringLiteral("--out"), out.filePath(QStringLiteral("mid"))});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    EXPECT_TRUE(QFile::exists(out.filePath(QStringLiteral("mid/links.xml"))));

    run = runProgram({QStringLiteral("favorites"), QStringLiteral("--profile"), sample(),
                      QStringLiteral("--xml")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("--xml needs a value")) << run.err.constData();
}

TEST(RecallCommandTest, UsageAndInputErrors) {
    QTemporaryDir out;
    const QString dir = out.filePath(QStringLiteral("x"));
    auto status = [&](QStringList extra) {
        QStringList args{QStringLiteral("recall")};
        args << extra;
        return runProgram(args).status;
    };
    EXPECT_EQ(status({QStringLiteral("--profile"), sample()}), 2) << "no --out";
    EXPECT_EQ(status({QStringLiteral("--out"), dir}), 2) << "no --profile";
    EXPECT_EQ(status({QStringLiteral("--profile"), sample(), QStringLiteral("--out"), dir,
                      QStringLiteral("--sections"), QStringLiteral("a,z")}),
              2);
    EXPECT_EQ(status({QStringLiteral("--profile"), sample(), QStringLiteral("--out"), dir,
                      QStringLiteral("--date-from"), QStringLiteral("25.08.2015")}),
              2);
    EXPECT_EQ(status({QStringLiteral("--profile"), sample(), QStringLiteral("--out"), dir,
                      QStringLiteral("--or"), QStringLiteral("--contains"), QStringLiteral("a")}),
              2);
    EXPECT_EQ(status({QStringLiteral("--profile"), out.filePath(QStringLiteral("none")),
                      QStringLiteral("--out"), dir}),
              1);
    EXPECT_FALSE(QDir(dir).exists()) << "nothing is made for a failed run";
}

} // namespace
