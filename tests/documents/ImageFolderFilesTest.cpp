// The temporary-files table read from a disk image in this process: the
// deleted note the image's file system still lists is a row of the table,
// its bytes are read where its clusters hold them, and the detail pane's
// facts say that it is deleted; this machine's files have no such facts.
#include "TestData.h"
#include "documents/DocumentSources.h"
#include "documents/FileDates.h"
#include "documents/RowLine.h"
#include "evidence/FolderTree.h"
#include "evidence/Machine.h"
#include "evidence/image/ImageMachine.h"
#include "evidence/image/ImageProcess.h"
#include "language/InterfaceTexts.h"
#include "language/TextIds.h"
#include "platform/TimeText.h"
#include "platform/TimeValue.h"

#include <gtest/gtest.h>

using namespace vc;

namespace {

class ImageFolderFiles : public ::testing::Test {
protected:
    void SetUp() override {
        setShowsUtc(true);
        setImageReaderProgram(QStringLiteral(VC_BINARY_PATH));
    }
    void TearDown() override {
        setImageReaderProgram(QString());
        setShowsUtc(false);
    }
};

const QByteArray kTemp = "/Documents and Settings/joe/Local Settings/Temp";

TEST_F(ImageFolderFiles, TheDeletedNoteIsATempRowReadWhereItsClustersHoldIt) {
    for (const int partition : {1, 2}) {
        QString error;
        const std::unique_ptr<Machine> machine = openImageMachine(
            testDataPath(QStringLiteral("images/disk-mbr.E01")), partition, {}, false, &error);
        ASSERT_TRUE(machine) << qPrintable(error);
        ASSERT_EQ(machine->users().size(), 1u);
        const UserProfile& user = *machine->users().front();
        const EvidenceFiles& files = user.files();

        QList<QByteArray> lines;
        collectTemporaryFiles(temporaryFolders(&user), lines, nullptr, files);
        const QByteArray path = kTemp + "/deleted-note.txt";
        QByteArray note;
        for (const QByteArray& line : lines)
            if (line.split('\t').value(4) == path)
                note = line;
        ASSERT_FALSE(note.isEmpty()) << partition;
        const QList<QByteArray> fields = expandTimeCells(note).split('\t');
        EXPECT_EQ(fields.value(0), "deleted-note.txt");
        // Its times are the file system's (FAT keeps no time of day for
        // the last access): never empty.
        EXPECT_FALSE(fields.value(2).isEmpty()) << partition;
        EXPECT_FALSE(fields.value(3).isEmpty()) << partition;

        QByteArray bytes;
        ASSERT_EQ(files.readWhole(path, 1 << 20, &bytes), EvidenceReadStatus::Ok);
        EXPECT_EQ(bytes, testDataBytes(QStringLiteral("images/deleted.txt")));

        const QStringList facts = evidenceEntryFacts(files, path);
        ASSERT_FALSE(facts.isEmpty()) << partition;
        EXPECT_EQ(facts.front(), tx(TextDeletedEntry));
        // A file in use is not said to be deleted; NTFS names its MFT entry.
        const QStringList live = evidenceEntryFacts(files, kTemp + "/install.log");
        EXPECT_FALSE(live.contains(tx(TextDeletedEntry))) << partition;
        EXPECT_EQ(!live.isEmpty() && live.front().contains(QLatin1String("MFT entry")),
                  partition == 1)
            << qPrintable(live.join(QLatin1Char('|')));
        EXPECT_TRUE(evidenceEntryFacts(files, kTemp + "/nothing-here").isEmpty());
    }
    // This machine's files have no facts of that kind.
    const QByteArray sample =
        EvidenceFiles::pathBytes(samplesPath(QStringLiteral("profiles/xp/Local Settings/Temp")));
    EXPECT_TRUE(evidenceEntryFacts(localEvidenceFiles(), sample + "/install.log").isEmpty());
}

TEST_F(ImageFolderFiles, TheWalkOfAnImageVisitsEveryFileOnceAndNoDeletedFolder) {
    QString error;
    const std::unique_ptr<Machine> machine = openImageMachine(
        testDataPath(QStringLiteral("images/disk-gpt.vhdx")), 0, {}, false, &error);
    ASSERT_TRUE(machine) << qPrintable(error);
    const EvidenceFiles& files = machine->files();
    QByteArrayList image;
    WalkFolderTree(files, QStringLiteral("/Documents and Settings/joe"), UnreadableEntry::Skip,
                   [&](const FolderTreeEntry& entry) {
                       EXPECT_TRUE(entry.path.endsWith('/' + entry.name));
                       EXPECT_NE(entry.entry.type, EntryType::Folder);
                       if (!entry.entry.deleted)
                           image << entry.path.mid(
                               qsizetype(strlen("/Documents and Settings/joe")));
                   });
    QByteArrayList local;
    const QString root = samplesPath(QStringLiteral("profiles/xp"));
    WalkFolderTree(root, UnreadableEntry::Skip, [&](const FolderTreeEntry& entry) {
        local << entry.path.mid(EvidenceFiles::pathBytes(root).size());
    });
    std::sort(image.begin(), image.end());
    std::sort(local.begin(), local.end());
    EXPECT_GT(local.size(), 50);
    EXPECT_EQ(image, local);
}

} // namespace
