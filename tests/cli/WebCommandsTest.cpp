// web-history, web-downloads and web-cookies: the browsers' tables of a
// profile on standard output or in files, and their exit statuses.
#include "TestData.h"
#include "browsers/BrowserTestSupport.h"
#include "support/RunProgram.h"

namespace vc::testing {
namespace {

QString sample() {
    return QDir(samplesPath(QStringLiteral("profiles/xp"))).absolutePath();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QByteArray> lines(const QByteArray& text, char end = '\n') {
    QList<QByteArray> out = text.split(end);
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

const QStringList kUtc = {QStringLiteral("--utc"), QStringLiteral("--date-format"),
                          QStringLiteral("yyyy-MM-dd HH:mm:ss")};

TEST(WebCommands, SampleProfileTablesOnStandardOutputAndInFiles) {
    ProgramRun run = runProgram(
        QStringList{QStringLiteral("web-history"), QStringLiteral("--profile"), sample()} + kUtc);
    ASSERT_EQ(run.status, 0) << run.err.constData();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
    const QList<QByteArray> history = lines(run.out);
    ASSERT_EQ(history.size(), 1 + 70);
    EXPECT_EQ(history[0], "URL Address\tTitle\tVisit Time\tVisit Count\tTyped Count\t"
                          "Transition\tBrowser\tBrowser Profile\tSource File\t"
                          "Read From (Private Copy)\tBrowser's place\tUser");
    // Every Chrome visit as the sqlite3 program reads it, in the same order.
    const QList<QList<QByteArray>> chrome =
        expectedRows(QStringLiteral("chrome-History.visits.tsv"));
    ASSERT_EQ(chrome.size(), 69);
    const QByteArray database =
        QFile::encodeName(sample()) +
        "/Local Settings/Application Data/Google/Chrome/User Data/Default/History";
    for (int r = 0; r < 69; ++r) {
        const QList<QByteArray> cells = history[r + 1].split('\t');
        ASSERT_EQ(cells.size(), 12) << r;
        EXPECT_EQ(cells.mid(0, 5), chrome[r].mid(0, 5)) << r;
        // Where the row came from, and whose it is: the profile folder's name.
        EXPECT_EQ(cells.mid(6), (QList<QByteArray>{"Chrome", "Default", database, "History",
                                                   "Local Settings/Application Data/Google/"
                                                   "Chrome/User Data",
                                                   "xp"}))
            << r;
    }

    run = runProgram(
        QStringList{QStringLiteral("web-downloads"), QStringLiteral("--profile"), sample()} + kUtc);
    ASSERT_EQ(run.status, 0) << run.err.constData();
    const QList<QByteArray> downloads = lines(run.out);
    ASSERT_EQ(downloads.size(), 1 + 3);
    EXPECT_TRUE(downloads[1].startsWith(
        "http://fatloss4idiotsx.com/download/funcats/funcats_scr.exe\t/home/john/Downloads/"
        "funcats_scr.exe\t2011-05-23 08:35:30\t\t1132155\t1132155\tcomplete\tChrome\t"));
    EXPECT_TRUE(downloads[3].endsWith("/downloads.sqlite\tdownloads.sqlite\tApplication "
                                      "Data/Mozilla/Firefox/Profiles\txp"));

    // Cookies into a file (CR LF line ends), and as a spreadsheet.
    QTemporaryDir dir;
    const QString tsv = dir.filePath(QStringLiteral("cookies.txt"));
    run = runProgram({QStringLiteral("web-cookies"), QStringLiteral("--profile"), sample(),
                      QStringLiteral("--tsv"), tsv});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    EXPECT_TRUE(run.out.isEmpty());
    const QList<QByteArray> cookies = lines(readFile(tsv), '\n');
    ASSERT_EQ(cookies.size(), 1 + 573);
    for (const QByteArray& line : cookies)
        ASSERT_TRUE(line.endsWith('\r'));
    const QString xml = dir.filePath(QStringLiteral("cookies.xml"));
    run = runProgram({QStringLiteral("web-cookies"), QStringLiteral("--profile"), sample(),
                      QStringLiteral("--xml"), xml});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    const QByteArray sheet = readFile(xml);
    EXPECT_TRUE(sheet.startsWith("<?xml"));
    EXPECT_EQ(sheet.count("   <Row>"), 573);
}

TEST(WebCommands, Utf8BytesAsTheyAreAndUnreadableDatabases) {
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("joe"));
    copyTestFile(QStringLiteral("ntuser-win10.dat"), root + QStringLiteral("/NTUSER.DAT"));
    const QString chrome = root + QStringLiteral("/AppData/Local/Google/Chrome/User Data/");
    makeDatabase(chrome + QStringLiteral("Default/History"), R"(
        CREATE TABLE urls (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,
          visit_count INTEGER, typed_count INTEGER);
        CREATE TABLE visits (id INTEGER PRIMARY KEY, url INTEGER, visit_time INTEGER,
          transition INTEGER);
        INSERT INTO urls VALUES (1, 'http://example.ru/', 'Привет', 1, 0);
        INSERT INTO visits VALUES (1, 1, 13300000000000000, 1073741825);
    )");
    // A second browser profile whose History is not a database.
    QDir().mkpath(chrome + QStringLiteral("Profile 1"));
    {
        QFile broken(chrome + QStringLiteral("Profile 1/History"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray(8192, '\x5a'));
    }

    // The code page of the evidence does not touch UTF-8 text.
    const ProgramRun run =
        runProgram(QStringList{QStringLiteral("web-history"), QStringLiteral("--profile"), root,
                               QStringLiteral("--codepage"), QStringLiteral("windows-1252")} +
                   kUtc);
    EXPECT_EQ(run.status, 1) << "a database could not be read";
    EXPECT_TRUE(run.err.contains("Error! The browser database cannot be read: " +
                                 QFile::encodeName(chrome) + "Profile 1/History"))
        << run.err.constData();
    const QList<QByteArray> out = lines(run.out);
    ASSERT_EQ(out.size(), 2) << "the rows that could be read";
    EXPECT_TRUE(out[1].startsWith(QStringLiteral("http://example.ru/\tПривет\t2022-06-18 "
                                                 "04:26:40\t1\t0\ttyped, client redirect\t"
                                                 "Chrome\tDefault\t")
                                      .toUtf8()))
        << out[1].constData();

    // Usage: the profile is needed, nothing else.
    EXPECT_EQ(runProgram({QStringLiteral("web-cookies")}).status, 2);
    EXPECT_EQ(runProgram({QStringLiteral("web-downloads"), root}).status, 2);
    const ProgramRun missing =
        runProgram({QStringLiteral("web-downloads"), QStringLiteral("--profile"),
                    dir.filePath(QStringLiteral("none"))});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("none")) << missing.err.constData();
    // --help names the commands and the recall's letters.
    const ProgramRun help = runProgram({QStringLiteral("--help")});
    EXPECT_TRUE(help.out.contains("vellacord SOURCE EVIDENCE")) << help.out.constData();
    EXPECT_TRUE(help.out.contains("web-history web-downloads web-cookies"));
    EXPECT_TRUE(help.out.contains("sections: a activity, h history, c cookie, l links, r recent, "
                                  "t temp, w web-history, d web-downloads, k web-cookies"));
    EXPECT_TRUE(help.out.contains("--volume DIR [--user NAME]..."));
}

} // namespace
} // namespace vc::testing
