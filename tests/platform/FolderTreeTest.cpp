// The folder-tree walk shared by the history search and the folder tables.
#include "platform/FolderTree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include <gtest/gtest.h>

using namespace vc;

namespace {

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
        std::map<QByteArray, mode_t> seen;
        int visits = 0;
        WalkFolderTree(dir.path(), unreadable, [&](const FolderTreeEntry& entry) {
            EXPECT_TRUE(entry.path.endsWith('/' + entry.name)) << entry.path.constData();
            seen[entry.path.mid(root.size())] = entry.type;
            ++visits;
        });
        const std::map<QByteArray, mode_t> expected{{"file.txt", S_IFREG},
                                                    {"pipe", S_IFIFO},
                                                    {"sub/to-pipe", S_IFIFO},
                                                    {"sub/to-file", S_IFREG},
                                                    {"sub/deeper/inner.txt", S_IFREG}};
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
