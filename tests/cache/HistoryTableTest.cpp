// The history folder search and the History rows.
#include "cache/HistoryTable.h"
#include "TestData.h"
#include "cache/HistoryIndexSearch.h"
#include "cache/IndexImage.h"
#include "support/LinesOf.h"
#include "tables/TableModel.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace vc::testing {
namespace {

QByteArray literalReplaceEscapedSpaces(QByteArray text) {
    // The rule as stated: handle the first occurrence again and again.
    const QByteArray p = "%20";
    for (;;) {
        const qsizetype b = text.indexOf(p);
        if (b < 0)
            return text;
        if (b == 0)
            text.remove(0, p.size());
        else if (b == text.size() - p.size())
            text.chop(p.size());
        else
            text.replace(b, p.size(), " ");
    }
}

TEST(HistoryRows, EscapedSpacesAndTheAtCut) {
    EXPECT_EQ(ReplaceEscapedSpaces("my%20page%20here"), "my page here");
    EXPECT_EQ(ReplaceEscapedSpaces("%20%20lead%20"), "lead");
    EXPECT_EQ(ReplaceEscapedSpaces("a%20%20"), "a ");
    EXPECT_EQ(ReplaceEscapedSpaces("%20"), "");
    EXPECT_EQ(ReplaceEscapedSpaces("%2%2020"), "%2 20");
    // One pass gives what the repeated rule gives, on any mix.
    QRandomGenerator rng(11);
    const char* parts[] = {"%20", "%2", "0", "a", " ", "%"};
    for (int i = 0; i < 3000; ++i) {
        QByteArray text;
        for (int n = int(rng.bounded(8)); n > 0; --n)
            text += parts[rng.bounded(6)];
        ASSERT_EQ(ReplaceEscapedSpaces(text), literalReplaceEscapedSpaces(text)) << text.data();
    }

    EXPECT_EQ(HistoryRowCells("URL\tVisited: joe@http://a.example/x%20y\tm\ta\tf\td\th"),
              (QList<QByteArray>{"http://a.example/x y", "m", "a", "URL", "f d h"}));
    // Two "@": everything after the first one stays.
    EXPECT_EQ(HistoryRowCells("URL\tVisited: joe@mailto:bob@b.example\t\t\t\t\t")[0],
              "mailto:bob@b.example");
    // No "@": the whole address; empty file, folder and header: two spaces.
    const auto leak = HistoryRowCells("LEAK\thttp://c.example/\tm\ta\t\t\t");
    EXPECT_EQ(leak[0], "http://c.example/");
    EXPECT_EQ(leak[3], "LEAK");
    EXPECT_EQ(leak[4], "  ");
}

TEST(HistoryRows, AppendsToExistingRowsAndMovesTheBar) {
    TableModel table(
        QStringLiteral("ieH_ListView"),
        {{77, false, 0}, {78, true, 0}, {79, true, 0}, {82, false, 0}, {91, false, 0}});
    table.appendRow({"old"});
    CountingProgress bar;
    bar.setPosition(10);
    vc::testing::LinesOf lines{"URL\tu1\tm\ta\t\t\t", "REDR\tu2\t\t\t\t\t"};
    FillHistoryRows(lines, table, &bar, 25);
    ASSERT_EQ(table.rows(), 3);
    EXPECT_EQ(table.cell(0, 0), "old");
    EXPECT_EQ(table.cell(2, 3), "REDR");
    EXPECT_EQ(bar.position(), 35);
    vc::testing::LinesOf none{};
    FillHistoryRows(none, table, &bar, 25);
    EXPECT_EQ(bar.position(), 35);
}

class HistorySearch : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    void makeFile(const QString& relative) {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QFile f(path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QTemporaryDir m_dir;
};

// Depth first in listing order, found independently with Qt's unsorted
// listing (the same readdir order).
void expectedOrder(const QString& folder, QStringList& out) {
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QFileInfo& e : entries) {
        if (e.isSymLink())
            continue;
        if (e.isDir())
            expectedOrder(e.filePath(), out);
        else if (e.fileName().toUpper() == QLatin1String("INDEX.DAT"))
            out << e.absoluteFilePath();
    }
}

TEST_F(HistorySearch, FindsEveryLetterCaseDepthFirstInListingOrder) {
    for (const char* f :
         {"History.IE5/index.dat", "History.IE5/MSHist012015081720150824/INDEX.DAT",
          "History.IE5/MSHist012015082520150826/Index.Dat", "History.IE5/desktop.ini",
          "History.IE5/MSHist012015082520150826/sub/deeper/index.dat", "other/index.dat.bak",
          "other/x/index.DAT"})
        makeFile(QString::fromLatin1(f));
    const QString before = QDir::currentPath();
    QStringList found;
    FindIndexFiles(found, m_dir.path());
    EXPECT_EQ(QDir::currentPath(), before);
    QStringList expected;
    expectedOrder(m_dir.path(), expected);
    EXPECT_EQ(found, expected);
    EXPECT_EQ(found.size(), 5);
    for (const QString& f : found)
        EXPECT_TRUE(QDir::isAbsolutePath(f)) << qPrintable(f);

    // A relative start folder still gives absolute paths; appending keeps
    // what the list held.
    QDir::setCurrent(m_dir.path());
    QStringList more{QStringLiteral("kept")};
    FindIndexFiles(more, QStringLiteral("other"));
    QDir::setCurrent(before);
    ASSERT_EQ(more.size(), 2);
    EXPECT_EQ(more[1], path(QStringLiteral("other/x/index.DAT")));

    // Nothing found, nothing appended; a missing folder is no error.
    QStringList none;
    FindIndexFiles(none, path(QStringLiteral("missing")));
    FindIndexFiles(none, QString());
    EXPECT_TRUE(none.isEmpty());
}

TEST_F(HistorySearch, LinksBackIntoTheTreeEndAndThousandsOfFoldersAreSearched) {
    makeFile(QStringLiteral("a/index.dat"));
    ASSERT_TRUE(QFile::link(m_dir.path(), path(QStringLiteral("a/loop"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("a/index.dat")), path(QStringLiteral("b.dat"))));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("a/linked"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("a/index.dat")),
                            path(QStringLiteral("a/linked/INDEX.DAT"))));
    // A pipe of that name would block the walker: it is not listed.
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("a/pipe"))));
    ASSERT_EQ(
        ::mkfifo(QFile::encodeName(path(QStringLiteral("a/pipe/index.dat"))).constData(), 0600), 0);
    QStringList found;
    FindIndexFiles(found, m_dir.path());
    // The link to a file named index.dat is listed; the loop is not entered.
    EXPECT_EQ(found.size(), 2);
    QFile::remove(path(QStringLiteral("a/loop")));

    // 3000 sibling folders, and a chain 300 deep, each with an index file.
    // (In memory where the system offers it: on disk the making and
    // removing of the folders costs seconds, the search itself does not.)
    QTemporaryDir wide(QDir(QStringLiteral("/dev/shm")).exists()
                           ? QStringLiteral("/dev/shm/vellacord-test-XXXXXX")
                           : QDir::tempPath() + QStringLiteral("/vellacord-test-XXXXXX"));
    ASSERT_TRUE(wide.isValid());
    const std::filesystem::path top(QFile::encodeName(wide.path()).toStdString());
    auto touch = [](const std::filesystem::path& p) { std::ofstream(p).put('x'); };
    for (int i = 0; i < 3000; ++i) {
        const auto f = top / ("MSHist" + std::to_string(i));
        std::filesystem::create_directory(f);
        if (i % 10 == 0)
            touch(f / "index.dat");
    }
    auto deep = top / "d";
    for (int i = 0; i < 300; ++i) {
        std::filesystem::create_directory(deep);
        touch(deep / "index.dat");
        deep /= "d";
    }
    QStringList many;
    FindIndexFiles(many, wide.path());
    EXPECT_EQ(many.size(), 300 + 300);
    std::filesystem::remove_all(top);
}

} // namespace
} // namespace vc::testing
