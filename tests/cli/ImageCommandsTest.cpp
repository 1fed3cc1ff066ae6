// --image FILE on the sub-commands and the recall: the Windows volume of a
// disk image read like the folder it was made from, --partition choosing
// another volume, clear messages for an image without Windows, a partition
// that holds none, and options that go with --image alone.
#include "TestData.h"
#include "support/RunProgram.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString imagePath(const char* name) {
    return testDataPath(QStringLiteral("images/") + QLatin1String(name));
}

// The first cells of the rows of tab-delimited output (header left out).
QSet<QByteArray> firstCells(const QByteArray& out) {
    QSet<QByteArray> cells;
    QList<QByteArray> lines = out.split('\n');
    if (!lines.isEmpty())
        lines.removeFirst();
    for (const QByteArray& line : lines)
        if (!line.isEmpty())
            cells.insert(line.left(line.indexOf('\t')));
    return cells;
}

TEST(ImageCommands, TheImagesVolumesGiveTheRowsOfTheFolderTheyWereMadeFrom) {
    // The image holds the sample profile as "Documents and Settings/joe"
    // twice: on an NTFS partition and on a FAT16 one.
    const ProgramRun folder = runProgram({QStringLiteral("favorites"), QStringLiteral("--profile"),
                                          samplesPath(QStringLiteral("profiles/xp"))});
    ASSERT_EQ(folder.status, 0) << folder.err.constData();
    const QSet<QByteArray> expected = firstCells(folder.out);
    ASSERT_GT(expected.size(), 3);
    for (const char* partition : {"1", "2"}) {
        const ProgramRun image = runProgram(
            {QStringLiteral("favorites"), QStringLiteral("--image"), imagePath("disk-mbr.E01"),
             QStringLiteral("--partition"), QLatin1String(partition)});
        ASSERT_EQ(image.status, 0) << partition << image.err.constData();
        EXPECT_EQ(firstCells(image.out), expected) << partition;
        // Paths are those inside the image, not this machine's.
        EXPECT_TRUE(image.out.contains("/Documents and Settings/joe/Favorites/")) << partition;
        EXPECT_FALSE(image.out.contains(QFile::encodeName(samplesPath(QString()))));
    }

    // A profile's Temp folder inside the image: the files the folder holds.
    const ProgramRun temp = runProgram({QStringLiteral("temp"), QStringLiteral("--profile"),
                                        samplesPath(QStringLiteral("profiles/xp"))});
    const ProgramRun imageTemp =
        runProgram({QStringLiteral("temp"), QStringLiteral("--image"), imagePath("disk-mbr.E01")});
    ASSERT_EQ(imageTemp.status, 0) << imageTemp.err.constData();
    const QSet<QByteArray> imageNames = firstCells(imageTemp.out);
    for (const QByteArray& name : firstCells(temp.out))
        EXPECT_TRUE(imageNames.contains(name)) << name.constData();
}

TEST(ImageCommands, TheRecallOfAnImageWritesEverySection) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const ProgramRun run =
        runProgram({QStringLiteral("recall"), QStringLiteral("--image"), imagePath("disk-gpt.vhdx"),
                    QStringLiteral("--out"), out.path()});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    QFile favorites(QDir(out.path()).filePath(QStringLiteral("links.txt")));
    ASSERT_TRUE(favorites.open(QIODevice::ReadOnly));
    EXPECT_TRUE(favorites.readAll().contains("/Documents and Settings/joe/Favorites/"));
}

TEST(ImageCommands, ImagesWithoutWindowsAndWrongOptionsAreNamed) {
    // Two shadow copies, but of a volume without Windows.
    const ProgramRun noWindows =
        runProgram({QStringLiteral("temp"), QStringLiteral("--image"),
                    imagePath("real/vsstest.qcow2"), QStringLiteral("--snapshots")});
    EXPECT_EQ(noWindows.status, 1);
    EXPECT_TRUE(noWindows.err.contains("vsstest.qcow2: no Windows volume in the image"))
        << noWindows.err.constData();
    EXPECT_TRUE(noWindows.err.contains("NTFS")) << noWindows.err.constData();

    const ProgramRun noPartition =
        runProgram({QStringLiteral("temp"), QStringLiteral("--image"), imagePath("disk-mbr.E01"),
                    QStringLiteral("--partition"), QStringLiteral("3")});
    EXPECT_EQ(noPartition.status, 1);
    EXPECT_TRUE(noPartition.err.contains("partition 3 holds no Windows volume"))
        << noPartition.err.constData();
    EXPECT_TRUE(noPartition.err.contains("partition 2")) << noPartition.err.constData();

    const ProgramRun missing = runProgram(
        {QStringLiteral("temp"), QStringLiteral("--image"), imagePath("no-such-image.E01")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("no-such-image.E01")) << missing.err.constData();

    // Options of an image without one, and two kinds of evidence at once.
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("temp"), QStringLiteral("--snapshots"),
                      QStringLiteral("--profile"), samplesPath(QStringLiteral("profiles/xp"))},
          QStringList{QStringLiteral("temp"), QStringLiteral("--image"), imagePath("disk-mbr.E01"),
                      QStringLiteral("--partition"), QStringLiteral("first")},
          QStringList{QStringLiteral("temp"), QStringLiteral("--image"), imagePath("disk-mbr.E01"),
                      QStringLiteral("--volume"), samplesPath(QStringLiteral("volumes/pc"))}}) {
        const ProgramRun run = runProgram(arguments);
        EXPECT_EQ(run.status, 2) << qPrintable(arguments.join(QLatin1Char(' ')));
    }

    // A Windows volume without shadow copies read with --snapshots: said,
    // and the live volume read.
    const ProgramRun noCopies =
        runProgram({QStringLiteral("win-typed"), QStringLiteral("--image"),
                    imagePath("disk-gpt.qcow2"), QStringLiteral("--snapshots")});
    EXPECT_EQ(noCopies.status, 0) << noCopies.err.constData();
    EXPECT_TRUE(noCopies.err.contains("no shadow copies")) << noCopies.err.constData();
    EXPECT_FALSE(firstCells(noCopies.out).isEmpty());
}

} // namespace
