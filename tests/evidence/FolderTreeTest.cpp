// The folder-tree walk shared by the history search and the folder tables.
#include "evidence/FolderTree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <map>

#include <gtest/gtest.h>

using namespace vc;

namespace {

// A folder's last-access time set two days back: a listing that moves it
// would show even where the file system is mounted relatime.
void ageFolder(const QByteArray& path) {
    struct timespec times[2];
    times[0].tv_sec = ::time(nullptr) - 2 * 86400;
    times[0].tv_nsec = 0;
    times[1].tv_sec = times[0].tv_sec;
    times[1].tv_nsec = 0;
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
}

qint64 accessTime(const QByteArray& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.constData(), &st), 0);
    return qint64(st.st_atim.tv_sec);
}

TEST(FolderTree, TheWalkKeepsTheFoldersAccessTimes) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray root = QFile::encodeName(dir.path()) + '/';
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("a/b"))));
    QFile file(QFile::decodeName(root + "a/b/c.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    // The folders are the walker's own (or the test runs as root), so
    // O_NOATIME is allowed.
    const QByteArray folders[] = {root, root + "a", root + "a/b"};
    for (const QByteArray& folder : folders)
        ageFolder(folder);
    std::map<QByteArray, qint64> before;
    for (const QByteArray& folder : folders)
        before[folder] = accessTime(folder);
    int visits = 0;
    WalkFolderTree(dir.path(), UnreadableEntry::Skip, [&](const FolderTreeEntry&) { ++visits; });
    EXPECT_EQ(visits, 1);
    for (const QByteArray& folder : folders)
        EXPECT_EQ(accessTime(folder), before[folder]) << folder.constData();
}

TEST(FolderTree, LinksAreVisitedWithTheirTargetsTypeAndFoldersOnlyOnce) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray root = QFile::encodeName(dir.path()) + '/';
    auto touch = [&](const char* name) {
        QFile f(QFile::decodeName(root + name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("sub/deeper"))));
    touch("file.txt");
    touch("sub/deeper/inner.txt");
    ASSERT_EQ(::mkfifo((root + "pipe").constData(), 0600), 0);
    // A link to a pipe must not pass for a file: whoever opens it would wait.
    ASSERT_EQ(::symlink("../pipe", (root + "sub/to-pipe").constData()), 0);
    ASSERT_EQ(::symlink("../file.txt", (root + "sub/to-file").constData()), 0);
    // Links to folders (here one back up the tree) and dangling links are
    // passed over.
    ASSERT_EQ(::symlink("..", (root + "sub/deeper/up").constData()), 0);
    ASSERT_EQ(::symlink("nowhere", (root + "dangling").constData()), 0);

    for (UnreadableEntry unreadable : {UnreadableEntry::Skip, UnreadableEntry::TryAsFolder}) {
        std::map<QByteArray, EntryType> seen;
        int visits = 0;
        WalkFolderTree(dir.path(), unreadable, [&](const FolderTreeEntry& entry) {
            EXPECT_TRUE(entry.path.endsWith('/' + entry.name)) << entry.path.constData();
            seen[entry.path.mid(root.size())] = entry.entry.type;
            ++visits;
        });
        const std::map<QByteArray, EntryType> expected{{"file.txt", EntryType::File},
                                                       {"pipe", EntryType::Other},
                                                       {"sub/to-pipe", EntryType::Other},
                                                       {"sub/to-file", EntryType::File},
                                                       {"sub/deeper/inner.txt", EntryType::File}};
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(visits, 5);
    }

    // A relative start gives absolute paths; nothing at all for a missing
    // or empty start.
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QByteArrayList paths;
    WalkFolderTree(QStringLiteral("sub/deeper"), UnreadableEntry::Skip,
                   [&](const FolderTreeEntry& entry) { paths << entry.path; });
    QDir::setCurrent(before);
    EXPECT_EQ(paths, QByteArrayList{root + "sub/deeper/inner.txt"});
    int none = 0;
    WalkFolderTree(dir.filePath(QStringLiteral("missing")), UnreadableEntry::TryAsFolder,
                   [&](const FolderTreeEntry&) { ++none; });
    WalkFolderTree(QString(), UnreadableEntry::TryAsFolder,
                   [&](const FolderTreeEntry&) { ++none; });
    EXPECT_EQ(none, 0);
}

} // namespace
