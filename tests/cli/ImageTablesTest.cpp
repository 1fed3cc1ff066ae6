// The tables of the folder readers on a disk image: each sub-command gives
// on every Windows volume of the test images the rows it gives on the
// sample profile the images were made from (scripts/make-test-images.sh),
// the paths being those inside the image; the file times of the folder
// tables are the image's own and are left out of the comparison.
#include "TestData.h"
#include "support/RunProgram.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

// Where the sample profile lies inside the test images' volumes.
const QByteArray kInside = "/Documents and Settings/joe";

struct Table {
    const char* command;
    // The columns that hold the file system's times of a file (the
    // checkout's on the folder, the image's own inside it).
    std::set<int> fileTimes;
    // Whether the table names files a folder listing gives: inside an image
    // it ends with "Deleted", marked on the deleted note's row only.
    bool namesFiles;
};

// The rows of tab-delimited output, header left out, sorted (the folders
// of an image list their files in another order than this machine's), the
// sample folder's path made the image's, the file times and the "User"
// cell (the profile folder's name: "xp" or "joe") emptied. Inside an image
// (no folder given) the "Deleted" column of a table of files is checked and
// taken off.
QList<QByteArray> rowsOf(const QByteArray& out, const Table& table, const QByteArray& folder) {
    QList<QByteArray> rows;
    QList<QByteArray> lines = out.split('\n');
    const bool deletedColumn = folder.isEmpty() && table.namesFiles;
    if (!lines.isEmpty()) {
        EXPECT_EQ(lines.first().trimmed().endsWith("\tUser\tDeleted"), deletedColumn)
            << table.command << " " << lines.first().constData();
        lines.removeFirst();
    }
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (!folder.isEmpty())
            line.replace(folder, kInside);
        QList<QByteArray> cells = line.split('\t');
        if (deletedColumn && !cells.isEmpty()) {
            EXPECT_EQ(cells.takeLast(),
                      line.startsWith("deleted-note.txt\t") ? QByteArray("deleted") : QByteArray())
                << table.command << " " << line.constData();
        }
        for (const int c : table.fileTimes)
            if (c < cells.size())
                cells[c].clear();
        if (!cells.isEmpty())
            cells.last().clear();
        rows << cells.join('\t');
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

ProgramRun runOnImage(const char* command, const char* image, const char* partition) {
    return runProgram({QLatin1String(command), QStringLiteral("--image"),
                       testDataPath(QStringLiteral("images/") + QLatin1String(image)),
                       QStringLiteral("--partition"), QLatin1String(partition)});
}

TEST(ImageTables, EveryFolderTableOfAnImageEqualsTheFoldersTable) {
    const QString sample = samplesPath(QStringLiteral("profiles/xp"));
    const QByteArray folder = QFile::encodeName(sample);
    const Table tables[] = {
        {"temp", {2, 3}, true},     {"favorites", {1, 2}, true},  {"recent", {2, 3}, true},
        {"cookies", {}, true},      {"history", {}, false},       {"activity", {}, false},
        {"web-history", {}, false}, {"web-downloads", {}, false}, {"web-cookies", {}, false},
    };
    struct Image {
        const char* file;
        const char* partition;
    };
    const Image images[] = {
        {"disk-mbr.E01", "1"}, // NTFS
        {"disk-mbr.E01", "2"}, // FAT16
        {"disk-gpt.vhdx", "1"},
    };
    for (const Table& table : tables) {
        const ProgramRun local =
            runProgram({QLatin1String(table.command), QStringLiteral("--profile"), sample});
        ASSERT_EQ(local.status, 0) << table.command << local.err.constData();
        const QList<QByteArray> expected = rowsOf(local.out, table, folder);
        ASSERT_GT(expected.size(), 2) << table.command;
        for (const Image& image : images) {
            const ProgramRun run = runOnImage(table.command, image.file, image.partition);
            ASSERT_EQ(run.status, 0) << table.command << " " << image.file << " " << image.partition
                                     << run.err.constData();
            // Paths are the image's, never this machine's.
            EXPECT_FALSE(run.out.contains(folder)) << table.command;
            QList<QByteArray> got = rowsOf(run.out, table, QByteArray());
            // The temporary folder of every image also lists the note
            // written and deleted again after the copy.
            const qsizetype deleted = got.removeIf(
                [](const QByteArray& row) { return row.startsWith("deleted-note.txt\t"); });
            EXPECT_EQ(deleted, QByteArrayView(table.command) == "temp" ? 1 : 0)
                << table.command << " " << image.file << " " << image.partition;
            EXPECT_EQ(got, expected)
                << table.command << " " << image.file << " " << image.partition;
        }
    }
}

TEST(ImageTables, TheDeletedNoteIsATempRowWithItsStandardInformationTimes) {
    const ProgramRun run = runOnImage("temp", "disk-mbr.E01", "1");
    ASSERT_EQ(run.status, 0) << run.err.constData();
    QByteArray note;
    for (const QByteArray& line : run.out.split('\n'))
        if (line.startsWith("deleted-note.txt\t"))
            note = line;
    ASSERT_FALSE(note.isEmpty()) << run.out.constData();
    const QList<QByteArray> cells = note.split('\t');
    ASSERT_GE(cells.size(), 5);
    EXPECT_EQ(cells[1], ".txt");
    EXPECT_EQ(cells[4], kInside + "/Local Settings/Temp/deleted-note.txt");
    // Its $STANDARD_INFORMATION times, created and accessed, as istat
    // gives them (2026-12-09 10:28:16.6312952 UTC, MFT entry 186).
    EXPECT_EQ(cells[2], "9 Dec 2026 10:28:16");
    EXPECT_EQ(cells[3], "9 Dec 2026 10:28:16");
    // The trailing "Deleted" column marks it, after the user.
    EXPECT_EQ(cells.last(), "deleted");
    EXPECT_EQ(run.out.left(run.out.indexOf('\n')).split('\t').last(), "Deleted");
}

} // namespace
