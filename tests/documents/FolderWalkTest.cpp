// The folder walk and the file times of the recent-documents and
// temporary-files tables, on real folders made for each test.
#include "documents/FolderWalk.h"
#include "documents/FileDates.h"
#include "documents/RowLine.h"
#include "platform/TimeText.h"
#include "platform/TimeValue.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include <gtest/gtest.h>

using namespace vc;

namespace {

class FolderWalk : public ::testing::Test {
protected:
    void SetUp() override {
        setShowsUtc(true);
        setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        ASSERT_TRUE(dir.isValid());
        root = QFile::encodeName(dir.path()) + '/';
    }
    void TearDown() override {
        // Names that are not UTF-8 are beyond QDir's reach: remove by bytes.
        ::nftw(QFile::encodeName(dir.path()).constData(), removeEntry, 32, FTW_DEPTH | FTW_PHYS);
        setShowsUtc(false);
    }
    static int removeEntry(const char* path, const struct stat*, int, struct FTW*) {
        ::remove(path);
        return 0;
    }

    // Creates a file by its raw name bytes below the test folder.
    void makeFile(const QByteArray& relative, const QByteArray& content = "x") {
        const QByteArray path = root + relative;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0) << path.constData();
        ASSERT_EQ(::write(fd, content.constData(), size_t(content.size())), content.size());
        ::close(fd);
    }
    void makeDir(const QByteArray& relative) {
        ASSERT_EQ(::mkdir((root + relative).constData(), 0755), 0) << relative.constData();
    }
    QList<QByteArray> walk(int cut = 0) {
        QList<QByteArray> list;
        CollectFolderFiles(list, dir.path(), QByteArray(), cut, nullptr);
        return list;
    }
    static QByteArray field(const QByteArray& line, int n) {
        return expandTimeCells(line).split('\t').value(n);
    }

    QTemporaryDir dir;
    QByteArray root;
};

// Files below folder in the order an independent lister (QDirIterator,
// unsorted) gives, each subfolder's files where the subfolder was met.
void expectedOrder(const QString& folder, QList<QByteArray>& out) {
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir() && !info.isSymLink())
            expectedOrder(info.filePath(), out);
        else if (!isSkippedFileName(QFile::encodeName(info.fileName())))
            out << QFile::encodeName(info.filePath());
    }
}

} // namespace

TEST_F(FolderWalk, ListsInDirectoryOrderWithSubfoldersInterleaved) {
    for (const char* name : {"b.doc.lnk", "a.txt.lnk", "zeta", ".hidden.lnk", "m.xls.lnk"})
        makeFile(name);
    makeDir("sub");
    makeFile("sub/inner.lnk");
    makeDir("sub/deeper");
    makeFile("sub/deeper/deepest.lnk");
    makeDir("empty");
    makeFile("c.lnk");

    const QList<QByteArray> lines = walk(4);
    QList<QByteArray> expected;
    expectedOrder(dir.path(), expected);
    ASSERT_EQ(lines.size(), 8);
    QList<QByteArray> paths;
    for (const QByteArray& line : lines)
        paths << field(line, 4);
    EXPECT_EQ(paths, expected);

    // Every line has six fields, the last (row tag) empty.
    for (const QByteArray& line : lines) {
        EXPECT_EQ(line.count('\t'), 5) << line.constData();
        EXPECT_TRUE(line.endsWith('\t'));
    }
    // Name cut 4, extension with its dot, full path of the link itself.
    const auto row = [&](const QByteArray& path) {
        for (const QByteArray& l : lines)
            if (field(l, 4) == root + path)
                return l;
        return QByteArray();
    };
    EXPECT_EQ(field(row("b.doc.lnk"), 0), "b.doc");
    EXPECT_EQ(field(row("b.doc.lnk"), 1), ".lnk");
    EXPECT_EQ(field(row("zeta"), 0), "");
    EXPECT_EQ(field(row("zeta"), 1), "");
    EXPECT_EQ(field(row(".hidden.lnk"), 0), ".hidden");
    EXPECT_EQ(field(row("sub/deeper/deepest.lnk"), 0), "deepest");
}

TEST_F(FolderWalk, SkipsDesktopIniAndSpreadsheetToolbarFilesOnly) {
    for (const char* name :
         {"desktop.ini", "DESKTOP.INI", "Desktop.ini", "Excel10.xlb", "EXCEL.XLB",
          "old excel.xlb.bak", "excel.xls", "desktop.ini.txt", "book.xlb"})
        makeFile(name);
    makeDir("Excel");
    makeFile("Excel/notes.xlb");
    QList<QByteArray> names;
    for (const QByteArray& line : walk(0))
        names << field(line, 0);
    std::sort(names.begin(), names.end());
    // "notes.xlb" lies in a folder named Excel, but its own name lacks EXCEL.
    EXPECT_EQ(names, (QList<QByteArray>{"book.xlb", "desktop.ini.txt", "excel.xls", "notes.xlb"}));
}

TEST_F(FolderWalk, NameCutCountsCharactersNotBytes) {
    EXPECT_EQ(cutName("report.doc.lnk", 4), "report.doc");
    EXPECT_EQ(cutName("notes.txt", 4), "notes");
    EXPECT_EQ(cutName("abc", 4), "");
    EXPECT_EQ(cutName("abc", 0), "abc");
    // "Grüße.lnk" in UTF-8: whole characters go, never half of one.
    EXPECT_EQ(cutName("Gr\xc3\xbc\xc3\x9f"
                      "e.lnk",
                      6),
              "Gr\xc3\xbc");
    EXPECT_EQ(cutName("Gr\xc3\xbc\xc3\x9f"
                      "e.lnk",
                      7),
              "Gr");
    // Not UTF-8: bytes are characters.
    EXPECT_EQ(cutName("ab\xff\xfe.lnk", 5), "ab\xff");
}

TEST_F(FolderWalk, OddNamesAreListedWithTheirBytesAndNeverSplitARow) {
    makeFile("bad\xff\xfename.lnk");
    makeFile("two\nlines.lnk");
    makeFile("tab\there.lnk");
    makeFile("latin1 caf\xe9.doc");
    const QList<QByteArray> lines = walk(4);
    ASSERT_EQ(lines.size(), 4);
    QList<QByteArray> names;
    for (const QByteArray& line : lines) {
        EXPECT_EQ(line.count('\t'), 5) << line.toHex().constData();
        EXPECT_FALSE(line.contains('\n'));
        names << field(line, 0);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (QList<QByteArray>{"bad\xff\xfename", "latin1 caf\xe9", "tab here", "two lines"}));
    for (const QByteArray& line : lines) {
        if (field(line, 0) == "bad\xff\xfename") {
            EXPECT_EQ(field(line, 4), root + "bad\xff\xfename.lnk");
        }
    }
}

TEST_F(FolderWalk, DeepTreesSymlinkLoopsAndSpecialFilesEndTheWalk) {
    // 600 nested folders, a file at the bottom.
    QByteArray path;
    for (int i = 0; i < 600; ++i) {
        path += "d/";
        makeDir(path.chopped(1));
    }
    makeFile(path + "bottom.txt");
    // Links back up the tree and to itself: never followed.
    ASSERT_EQ(::symlink("..", (root + "d/up").constData()), 0);
    ASSERT_EQ(::symlink(root.constData(), (root + "d/d/root").constData()), 0);
    ASSERT_EQ(::symlink("self", (root + "self").constData()), 0);
    ASSERT_EQ(::symlink("nowhere", (root + "dangling").constData()), 0);
    // A link to a file is listed like the file; a pipe is listed, never opened.
    makeFile("target.txt");
    ASSERT_EQ(::symlink("target.txt", (root + "alias.txt").constData()), 0);
    ASSERT_EQ(::mkfifo((root + "pipe").constData(), 0644), 0);

    QList<QByteArray> names;
    for (const QByteArray& line : walk(0))
        names << field(line, 0);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (QList<QByteArray>{"alias.txt", "bottom.txt", "pipe", "target.txt"}));
}

TEST_F(FolderWalk, MissingAndUnreadableFoldersAddNothing) {
    QList<QByteArray> list{"kept"};
    CollectFolderFiles(list, dir.path() + QStringLiteral("/missing"), QByteArray(), 0, nullptr);
    CollectFolderFiles(list, QString(), QByteArray(), 0, nullptr);
    EXPECT_EQ(list, QList<QByteArray>{"kept"});

    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    makeFile("visible.txt");
    makeDir("locked");
    makeFile("locked/secret.txt");
    makeFile("unreadable.txt");
    ::chmod((root + "locked").constData(), 0);
    ::chmod((root + "unreadable.txt").constData(), 0);
    const QList<QByteArray> lines = walk(0);
    ::chmod((root + "locked").constData(), 0755);
    QList<QByteArray> names;
    for (const QByteArray& line : lines) {
        names << field(line, 0);
        // A file that cannot be opened is listed with empty times.
        if (field(line, 0) == "unreadable.txt") {
            EXPECT_EQ(field(line, 2), "");
            EXPECT_EQ(field(line, 3), "");
        }
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (QList<QByteArray>{"unreadable.txt", "visible.txt"}));
}

TEST_F(FolderWalk, FoldersBeyondThePathLimitArePassedOverSilently) {
    // A folder the system refuses to list even to root: its path is longer
    // than PATH_MAX. Made and removed through folder handles.
    makeFile("before.txt");
    const QByteArray longName(250, 'n');
    std::vector<int> fds{::open(root.constData(), O_RDONLY | O_DIRECTORY)};
    for (int level = 0; level < 20; ++level) {
        ASSERT_EQ(::mkdirat(fds.back(), longName.constData(), 0755), 0);
        fds.push_back(::openat(fds.back(), longName.constData(), O_RDONLY | O_DIRECTORY));
        ASSERT_GE(fds.back(), 0);
    }
    const int fd = ::openat(fds.back(), "deep.txt", O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    makeFile("after.txt");

    QList<QByteArray> names;
    for (const QByteArray& line : walk(0))
        names << field(line, 0);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (QList<QByteArray>{"after.txt", "before.txt"}));

    ::unlinkat(fds.back(), "deep.txt", 0);
    for (std::size_t i = fds.size() - 1; i > 0; --i) {
        ::close(fds[i]);
        ::unlinkat(fds[i - 1], longName.constData(), AT_REMOVEDIR);
    }
    ::close(fds[0]);
}

TEST_F(FolderWalk, FileDatesTextGivesCreationAndLastAccess) {
    makeFile("a.txt");
    const QByteArray path = root + "a.txt";
    // Last access 2001-02-03 04:05:06 UTC.
    const struct timespec times[2] = {{981173106, 0}, {981173106, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
    // The cells hold the times; their texts are what a table shows.
    const QByteArray text = expandTimeCells(FileDatesText(path, '\t'));
    const QList<QByteArray> parts = text.split('|');
    ASSERT_EQ(parts.size(), 2) << text.constData();
    EXPECT_EQ(parts[1], "2001-02-03 04:05:06");
    const QList<QByteArray> shortPart = parts[0].split('\t');
    ASSERT_EQ(shortPart.size(), 2);
    EXPECT_EQ(shortPart[1], "2001-02-03 04:05:06");
    // The creation time is the birth time where the file system keeps one.
    const auto fileTimes = readFileTimes(path);
    ASSERT_TRUE(fileTimes);
    if (fileTimes->created)
        EXPECT_EQ(shortPart[0], formatTimeText(*fileTimes->created));
    else
        EXPECT_EQ(shortPart[0], "");

    // A time before 1970 has no text; the separator is the caller's.
    const struct timespec early[2] = {{-86400, 0}, {-86400, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), early, 0), 0);
    EXPECT_TRUE(expandTimeCells(FileDatesText(path, ';')).endsWith(";|"))
        << FileDatesText(path, ';').constData();

    EXPECT_EQ(FileDatesText(root + "missing", '\t'), "\t");
    // Reading the times does not touch the access time.
    EXPECT_EQ(readFileTimes(path)->accessed, -86400);
}
