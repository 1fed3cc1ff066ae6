// The listing by names and kinds only, which the caches' readers use for
// their folders of one file per entry: the same entries as the full
// listing, each of the same kind, links leading to their targets.
#include "evidence/EvidenceFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include <algorithm>
#include <map>

#include <gtest/gtest.h>

using namespace vc;

namespace {

std::map<QByteArray, EntryType> kinds(const std::vector<EvidenceEntry>& entries) {
    std::map<QByteArray, EntryType> out;
    for (const EvidenceEntry& e : entries)
        out[e.name] = e.type;
    return out;
}

} // namespace

TEST(FolderNames, SameEntriesAndKindsAsTheFullListing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray root = QFile::encodeName(dir.path());
    QFile file(dir.filePath(QStringLiteral("0123456789abcdef_0")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("entry");
    file.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("index-dir")));
    ASSERT_EQ(::symlink("0123456789abcdef_0", (root + "/fedcba9876543210_0").constData()), 0);
    ASSERT_EQ(::symlink("index-dir", (root + "/folder-link").constData()), 0);
    ASSERT_EQ(::symlink("gone", (root + "/dangling_0").constData()), 0);

    const EvidenceFiles& files = localEvidenceFiles();
    std::vector<EvidenceEntry> full, names;
    QString error;
    ASSERT_TRUE(files.list(root, full, &error)) << error.toStdString();
    ASSERT_TRUE(files.listNames(root, names, &error)) << error.toStdString();
    EXPECT_EQ(kinds(names), kinds(full));
    EXPECT_EQ(kinds(names),
              (std::map<QByteArray, EntryType>{{"0123456789abcdef_0", EntryType::File},
                                               {"dangling_0", EntryType::Other},
                                               {"fedcba9876543210_0", EntryType::File},
                                               {"folder-link", EntryType::Folder},
                                               {"index-dir", EntryType::Folder}}));
    // A link is still known as one.
    const auto link = std::find_if(names.begin(), names.end(), [](const EvidenceEntry& e) {
        return e.name == "fedcba9876543210_0";
    });
    ASSERT_NE(link, names.end());
    EXPECT_TRUE(link->symlink);

    // A folder that is not there: the same failure.
    names.clear();
    error.clear();
    EXPECT_FALSE(files.listNames(root + "/missing", names, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(names.empty());
}
