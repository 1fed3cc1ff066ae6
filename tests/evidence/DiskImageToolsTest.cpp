// The image reader against The Sleuth Kit's own tools: every name fls lists
// in a volume (NTFS's own files and TSK's orphan folder aside) is listed with
// the same entry number and the same deleted mark, and a deleted file reads
// as icat gives it.
#include "TestData.h"
#include "evidence/image/reading/ImageReading.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <set>
#include <tuple>

using namespace vc;

namespace {

using Listed = std::set<std::tuple<QByteArray, quint64, bool>>;

QByteArray runTool(const QString& tool, const QStringList& arguments) {
    QProcess p;
    p.start(tool, arguments);
    EXPECT_TRUE(p.waitForFinished(60000)) << qPrintable(tool);
    EXPECT_EQ(p.exitCode(), 0) << qPrintable(tool) << " " << p.readAllStandardError().constData();
    return p.readAllStandardOutput();
}

// fls -r -p: "r/r * 186-128-2:\tpath" (the star for a deleted name).
Listed flsListing(const QString& image, qint64 offset) {
    Listed listed;
    const QByteArray out = runTool(QStringLiteral("fls"),
                                   {QStringLiteral("-r"), QStringLiteral("-p"),
                                    QStringLiteral("-o"), QString::number(offset / 512), image});
    for (const QByteArray& line : out.split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0)
            continue;
        const QByteArray path = line.mid(tab + 1);
        if (path.startsWith('$') || path.contains(':'))
            continue; // NTFS's own files, TSK's $OrphanFiles, named streams
        QList<QByteArray> head = line.left(tab).split(' ');
        const bool deleted = head.size() > 2 && head[1] == "*";
        QByteArray address = head.last(); // "186-128-2:" in NTFS, "6:" in FAT
        address.chop(1);
        address = address.split('-').first();
        listed.insert({'/' + path, address.toULongLong(), deleted});
    }
    return listed;
}

void walk(const EvidenceFiles& files, const QByteArray& folder, Listed* listed) {
    std::vector<EvidenceEntry> entries;
    ASSERT_TRUE(files.list(folder, entries, nullptr)) << folder.constData();
    for (const EvidenceEntry& e : entries) {
        const QByteArray path = joinPath(folder, e.name);
        listed->insert({path, e.fileId, e.deleted});
        if (e.type == EntryType::Folder && !e.deleted)
            walk(files, path, listed);
    }
}

} // namespace

TEST(DiskImageTools, ListingsEqualFlsAndTheDeletedNoteEqualsIcat) {
    if (QStandardPaths::findExecutable(QStringLiteral("fls")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("icat")).isEmpty())
        GTEST_SKIP() << "The Sleuth Kit's tools (Debian sleuthkit) are not installed";
    const QString path = testDataPath(QStringLiteral("images/disk-mbr.001"));
    ImageError error;
    const std::optional<DiskImage> image = image::readDiskImage(path, DiskImageOptions{}, &error);
    ASSERT_TRUE(image) << qPrintable(error.text());
    ASSERT_EQ(image->volumes.size(), 2u);
    for (size_t v = 0; v < 2; ++v) {
        Listed ours;
        walk(*image->files[v], "/", &ours);
        const Listed theirs = flsListing(path, image->volumes[v].offset);
        EXPECT_GT(theirs.size(), 100u);
        EXPECT_EQ(ours, theirs) << qPrintable(image->files[v]->describe());
        // The deleted note, by its entry number.
        const auto note = std::find_if(ours.begin(), ours.end(), [](const auto& t) {
            return std::get<0>(t).endsWith("/deleted-note.txt");
        });
        ASSERT_NE(note, ours.end());
        EXPECT_TRUE(std::get<2>(*note));
        const QByteArray icat =
            runTool(QStringLiteral("icat"),
                    {QStringLiteral("-o"), QString::number(image->volumes[v].offset / 512), path,
                     QString::number(std::get<1>(*note))});
        QByteArray bytes;
        ASSERT_EQ(image->files[v]->readWhole(std::get<0>(*note), 1 << 20, &bytes),
                  EvidenceReadStatus::Ok);
        EXPECT_EQ(bytes, icat);
        EXPECT_EQ(bytes, testDataBytes(QStringLiteral("images/deleted.txt")));
    }
}
