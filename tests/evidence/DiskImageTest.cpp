// Disk images read directly: every format gives the files of the folder the
// image was made from (scripts/make-test-images.sh), deleted entries are
// listed, shadow copies are read, and damaged images give messages naming
// the layer that failed.
#include "TestData.h"
#include "evidence/image/ImageProcess.h"
#include "evidence/image/reading/ImageReading.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

using namespace vc;

namespace {

QString imagePath(const QString& name) {
    return testDataPath(QStringLiteral("images/") + name);
}

// Where the sample profile lies inside the test images' volumes.
const QByteArray kProfile = "/Documents and Settings/joe";

// Every file of the sample profile, relative to it, with its bytes.
std::vector<std::pair<QByteArray, QByteArray>> profileFiles() {
    std::vector<std::pair<QByteArray, QByteArray>> files;
    const QString root = samplesPath(QStringLiteral("profiles/xp"));
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(path);
        files.emplace_back(QFile::encodeName(path.mid(root.size())), f.readAll());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Checks that the volume holds every file of the sample profile with the
// same bytes, read whole and read in odd pieces, and that each folder lists
// the same names as the sample's folder (deleted entries aside).
void expectSampleProfile(const EvidenceFiles& files, const QString& what) {
    const auto expected = profileFiles();
    ASSERT_GT(expected.size(), 50u);
    for (const auto& [relative, bytes] : expected) {
        const QByteArray path = kProfile + relative;
        QByteArray got;
        ASSERT_EQ(files.readWhole(path, 1 << 24, &got), EvidenceReadStatus::Ok)
            << qPrintable(what) << " " << path.constData();
        EXPECT_EQ(got, bytes) << qPrintable(what) << " " << path.constData();
        const std::optional<EvidenceEntry> e = files.entry(path);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->size, bytes.size());
        EXPECT_EQ(e->type, EntryType::File);
        EXPECT_FALSE(e->deleted);
    }
    // Pieces of 1000 bytes across the largest file, backwards.
    const auto largest = std::max_element(expected.begin(), expected.end(), [](auto& a, auto& b) {
        return a.second.size() < b.second.size();
    });
    QString error;
    const std::unique_ptr<EvidenceReader> reader = files.open(kProfile + largest->first, &error);
    ASSERT_TRUE(reader) << qPrintable(error);
    QByteArray pieces(largest->second.size(), '\0');
    for (qint64 at = (pieces.size() - 1) / 1000 * 1000; at >= 0; at -= 1000)
        ASSERT_TRUE(reader->readExactly(at, pieces.data() + at,
                                        std::min<qint64>(1000, pieces.size() - at)));
    EXPECT_EQ(pieces, largest->second);
    char byte = 0;
    EXPECT_EQ(reader->readAt(pieces.size(), &byte, 1), 0);

    // The folders list what the sample's folders hold.
    const QString root = samplesPath(QStringLiteral("profiles/xp"));
    QDirIterator dirs(root, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList folders{root};
    while (dirs.hasNext())
        folders << dirs.next();
    for (const QString& folder : folders) {
        QStringList want =
            QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        std::vector<EvidenceEntry> entries;
        const QByteArray inside = kProfile + QFile::encodeName(folder.mid(root.size()));
        ASSERT_TRUE(files.list(inside, entries, &error)) << inside.constData();
        QStringList got;
        for (const EvidenceEntry& e : entries)
            if (!e.deleted)
                got << QString::fromUtf8(e.name);
        want.sort();
        got.sort();
        EXPECT_EQ(got, want) << qPrintable(what) << " " << inside.constData();
    }
}

// The deleted note of the test images: listed in the profile's temporary
// folder as deleted, its bytes still there.
void expectDeletedNote(const EvidenceFiles& files, const QString& what) {
    const QByteArray temp = kProfile + "/Local Settings/Temp";
    std::vector<EvidenceEntry> entries;
    QString error;
    ASSERT_TRUE(files.list(temp, entries, &error)) << qPrintable(error);
    const auto note = std::find_if(entries.begin(), entries.end(), [](const EvidenceEntry& e) {
        return e.name == "deleted-note.txt";
    });
    ASSERT_NE(note, entries.end()) << qPrintable(what);
    EXPECT_TRUE(note->deleted);
    EXPECT_EQ(note->type, EntryType::File);
    const QByteArray bytes = testDataBytes(QStringLiteral("images/deleted.txt"));
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_EQ(note->size, bytes.size());
    QByteArray got;
    ASSERT_EQ(files.readWhole(temp + "/deleted-note.txt", 1 << 20, &got), EvidenceReadStatus::Ok);
    EXPECT_EQ(got, bytes) << qPrintable(what);
}

std::optional<DiskImage> readInProcess(const QString& path, bool snapshots = false) {
    ImageError error;
    DiskImageOptions options;
    options.snapshots = snapshots;
    std::optional<DiskImage> image = image::readDiskImage(path, options, &error);
    EXPECT_TRUE(image) << qPrintable(error.text());
    return image;
}

ImageError failureOf(const QString& path) {
    ImageError error;
    EXPECT_FALSE(image::readDiskImage(path, DiskImageOptions{}, &error)) << qPrintable(path);
    return error;
}

QString writeTemporary(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

} // namespace

TEST(DiskImage, MbrDiskInEveryFormatHoldsTheSampleOnNtfsAndFat) {
    QTemporaryDir dir;
    // One raw file of the two pieces, for the unsplit raw image.
    const QString whole = writeTemporary(dir, QStringLiteral("disk.dd"),
                                         testDataBytes(QStringLiteral("images/disk-mbr.001")) +
                                             testDataBytes(QStringLiteral("images/disk-mbr.002")));
    struct Case {
        QString path;
        QString format;
        int segments;
    };
    for (const Case& c :
         {Case{imagePath(QStringLiteral("disk-mbr.001")), "raw", 2}, Case{whole, "raw", 1},
          Case{imagePath(QStringLiteral("disk-mbr.E01")), "EWF", 4}}) {
        const std::optional<DiskImage> image = readInProcess(c.path);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->format, c.format);
        EXPECT_EQ(image->segments, c.segments) << qPrintable(c.path);
        ASSERT_EQ(image->volumes.size(), 2u);
        EXPECT_TRUE(image->problems.empty());
        const DiskImageVolume& ntfs = image->volumes[0];
        EXPECT_EQ(ntfs.partition, 1);
        EXPECT_EQ(ntfs.offset, 1048576);
        EXPECT_EQ(ntfs.fileSystem, "NTFS");
        EXPECT_TRUE(ntfs.windows);
        EXPECT_EQ(image->volumes[1].partition, 2);
        EXPECT_EQ(image->volumes[1].fileSystem, "FAT16");
        EXPECT_TRUE(image->volumes[1].windows);
        EXPECT_EQ(image->windowsVolumes(), (std::vector<int>{0, 1}));
        EXPECT_EQ(image->files[0]->describe(),
                  imageFileName(c.path) + ", partition 1 (offset 1048576), NTFS");
        EXPECT_FALSE(image->files[0]->isLocal());
        for (size_t v = 0; v < 2; ++v) {
            const QString what = image->files[v]->describe();
            expectSampleProfile(*image->files[v], what);
            expectDeletedNote(*image->files[v], what);
            EXPECT_EQ(image->files[v]->resolveNoCase("/", {"windows", "SYSTEM32", "Config"}),
                      "/Windows/System32/config");
        }
    }
}

TEST(DiskImage, GptDiskAsVmdkVhdVhdxAndQcow2HoldsTheSample) {
    for (const char* name : {"disk-gpt.vmdk", "disk-gpt.vhd", "disk-gpt.vhdx", "disk-gpt.qcow2"}) {
        const std::optional<DiskImage> image = readInProcess(imagePath(QLatin1String(name)));
        ASSERT_TRUE(image);
        ASSERT_EQ(image->volumes.size(), 1u) << name;
        EXPECT_EQ(image->volumes[0].partitionType, "Basic data partition");
        EXPECT_EQ(image->volumes[0].offset, 1048576);
        EXPECT_TRUE(image->volumes[0].windows);
        expectSampleProfile(*image->files[0], QLatin1String(name));
        expectDeletedNote(*image->files[0], QLatin1String(name));
    }
}

TEST(DiskImage, NtfsEntriesCarryStandardInformationTimesAndFileNameDetail) {
    const std::optional<DiskImage> image = readInProcess(imagePath(QStringLiteral("disk-mbr.E01")));
    ASSERT_TRUE(image);
    const EvidenceFiles& ntfs = *image->files[0];
    const std::optional<EvidenceEntry> hive = ntfs.entry(kProfile + "/NTUSER.DAT");
    ASSERT_TRUE(hive);
    ASSERT_TRUE(hive->created && hive->modified && hive->accessed);
    EXPECT_EQ(hive->modified->kind, TimeKind::FileTime);
    // The $STANDARD_INFORMATION modification time as The Sleuth Kit's istat
    // reads it (istat -o 2048 disk-mbr.E01 176: 2026-12-09 09:32:24 UTC);
    // the sample's own file time is its checkout's, so not comparable.
    EXPECT_EQ(secondsSince1970(*hive->modified), 1796808744);
    EXPECT_GT(hive->fileId, 24u);
    EXPECT_TRUE(hive->detail.contains(QStringLiteral("$FILE_NAME created 20")))
        << qPrintable(hive->detail);
    EXPECT_TRUE(hive->detail.contains(QStringLiteral("MFT entry %1,").arg(hive->fileId)));
    // The root: a folder, without NTFS's own files and TSK's $OrphanFiles.
    const std::optional<EvidenceEntry> root = ntfs.entry("/");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->type, EntryType::Folder);
    std::vector<EvidenceEntry> top;
    ASSERT_TRUE(ntfs.list("/", top, nullptr));
    QStringList names;
    for (const EvidenceEntry& e : top)
        names << QString::fromUtf8(e.name);
    names.sort();
    EXPECT_EQ(names, (QStringList{"Documents and Settings", "Windows"}));
    // FAT keeps local times: they come back as the machine's local time.
    const std::optional<EvidenceEntry> fatHive = image->files[1]->entry(kProfile + "/NTUSER.DAT");
    ASSERT_TRUE(fatHive && fatHive->modified);
    EXPECT_EQ(fatHive->modified->kind, TimeKind::LocalFileTime);
    EXPECT_TRUE(fatHive->detail.isEmpty());
    // Missing things.
    EXPECT_FALSE(ntfs.entry(kProfile + "/no such file"));
    QString error;
    EXPECT_FALSE(ntfs.open(kProfile, &error));
    EXPECT_FALSE(error.isEmpty());
    std::vector<EvidenceEntry> none;
    EXPECT_FALSE(ntfs.list(kProfile + "/NTUSER.DAT/x", none, &error));
}

TEST(DiskImage, ShadowCopiesOfARealVolumeAreVolumesOfTheirOwn) {
    const std::optional<DiskImage> image =
        readInProcess(imagePath(QStringLiteral("real/vsstest.qcow2")), true);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->format, "QCOW2");
    ASSERT_EQ(image->volumes.size(), 3u);
    EXPECT_EQ(image->volumes[0].partition, 0);
    EXPECT_EQ(image->volumes[0].fileSystem, "NTFS");
    EXPECT_FALSE(image->volumes[0].windows);
    EXPECT_EQ(image->volumes[0].snapshot, 0);
    EXPECT_FALSE(image->volumes[0].snapshotCreated);
    for (int i = 1; i <= 2; ++i) {
        const DiskImageVolume& v = image->volumes[size_t(i)];
        EXPECT_EQ(v.snapshot, i);
        ASSERT_TRUE(v.snapshotCreated);
        EXPECT_EQ(v.snapshotCreated->kind, TimeKind::FileTime);
        EXPECT_TRUE(image->files[size_t(i)]->describe().contains(
            QStringLiteral("vsstest.qcow2, NTFS, shadow copy %1 (20").arg(i)))
            << qPrintable(image->files[size_t(i)]->describe());
        std::vector<EvidenceEntry> root;
        EXPECT_TRUE(image->files[size_t(i)]->list("/", root, nullptr));
        EXPECT_FALSE(root.empty());
    }
    // What each holds: the first the syslog before it was compressed, the
    // second not yet the password file.
    const auto names = [&](size_t v) {
        std::vector<EvidenceEntry> entries;
        EXPECT_TRUE(image->files[v]->list("/", entries, nullptr));
        QStringList list;
        for (const EvidenceEntry& e : entries)
            list << QString::fromUtf8(e.name);
        return list;
    };
    EXPECT_EQ(names(0), (QStringList{"another_file", "password.txt", "syslog.gz",
                                     "System Volume Information"}));
    EXPECT_EQ(names(1), (QStringList{"syslog", "System Volume Information"}));
    EXPECT_EQ(names(2), (QStringList{"another_file", "syslog.gz", "System Volume Information"}));
    QByteArray syslog;
    ASSERT_EQ(image->files[1]->readWhole("/syslog", 1 << 20, &syslog), EvidenceReadStatus::Ok);
    EXPECT_EQ(syslog.size(), 1247);
    EXPECT_TRUE(syslog.startsWith("Jan 22 07:52:33 myhostname"));
    EXPECT_FALSE(image->files[0]->entry("/syslog"));
    // As vshadowinfo gives them.
    EXPECT_EQ(fileTimeUtcText(quint64(image->volumes[1].snapshotCreated->raw)),
              "2013-12-03 06:35:09.7363787 UTC");
    EXPECT_EQ(fileTimeUtcText(quint64(image->volumes[2].snapshotCreated->raw)),
              "2013-12-03 06:37:48.9190583 UTC");
    // Without the option, the live volume alone.
    const std::optional<DiskImage> live =
        readInProcess(imagePath(QStringLiteral("real/vsstest.qcow2")));
    ASSERT_TRUE(live);
    EXPECT_EQ(live->volumes.size(), 1u);
}

TEST(DiskImage, RealExt2VolumeInThreeFormatsHoldsNoWindows) {
    for (const char* name : {"real/image.E01", "real/image.vhd", "real/image.vmdk"}) {
        const std::optional<DiskImage> image = readInProcess(imagePath(QLatin1String(name)));
        ASSERT_TRUE(image);
        ASSERT_EQ(image->volumes.size(), 1u) << name;
        EXPECT_EQ(image->volumes[0].fileSystem, "Ext2");
        EXPECT_FALSE(image->volumes[0].windows);
        EXPECT_TRUE(image->windowsVolumes().empty());
        const QString file = imageFileName(QLatin1String(name));
        EXPECT_EQ(noWindowsVolumeText(*image),
                  file + ": no Windows volume in the image (it holds: " + file + ", Ext2)");
        std::vector<EvidenceEntry> root;
        ASSERT_TRUE(image->files[0]->list("/", root, nullptr));
        EXPECT_TRUE(std::any_of(root.begin(), root.end(),
                                [](const EvidenceEntry& e) { return e.name == "lost+found"; }));
    }
}

TEST(DiskImage, DamagedImagesNameTheLayerThatFailed) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.E01"));
    ImageError e = failureOf(missing);
    EXPECT_EQ(e.layer, ImageLayer::ImageFormat);
    EXPECT_EQ(e.image, missing);
    EXPECT_TRUE(
        e.text().startsWith(QStringLiteral("missing.E01: the image format cannot be read")));

    // An E01 cut short: its format.
    const QByteArray e01 = testDataBytes(QStringLiteral("images/disk-mbr.E01"));
    e = failureOf(writeTemporary(dir, QStringLiteral("cut.E01"), e01.left(3000)));
    EXPECT_EQ(e.layer, ImageLayer::ImageFormat) << qPrintable(e.text());

    // A QCOW2 header and nothing else.
    const QByteArray qcow = testDataBytes(QStringLiteral("images/disk-gpt.qcow2"));
    e = failureOf(writeTemporary(dir, QStringLiteral("cut.qcow2"), qcow.left(100)));
    EXPECT_EQ(e.layer, ImageLayer::ImageFormat) << qPrintable(e.text());

    // Bytes that are no disk: no table and no file system.
    e = failureOf(writeTemporary(dir, QStringLiteral("noise.raw"), QByteArray(1 << 20, 'x')));
    EXPECT_EQ(e.layer, ImageLayer::FileSystem);
    EXPECT_TRUE(e.text().contains(QStringLiteral("no partition table and no file system")));

    // The MBR disk with its NTFS boot sector wiped: the FAT volume is still
    // read, the NTFS partition is a problem that names it.
    QByteArray disk = testDataBytes(QStringLiteral("images/disk-mbr.001")) +
                      testDataBytes(QStringLiteral("images/disk-mbr.002"));
    disk.replace(1048576, 512, QByteArray(512, '\0'));
    const std::optional<DiskImage> image =
        readInProcess(writeTemporary(dir, QStringLiteral("wiped.raw"), disk));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->volumes.size(), 1u);
    EXPECT_EQ(image->volumes[0].fileSystem, "FAT16");
    ASSERT_EQ(image->problems.size(), 1u);
    EXPECT_EQ(image->problems[0].layer, ImageLayer::FileSystem);
    EXPECT_TRUE(image->problems[0].place.startsWith(QStringLiteral("partition 1")));

    // Both partitions wiped: the file system's failure is the image's.
    disk.replace(1048576 * 8, 512, QByteArray(512, '\0'));
    e = failureOf(writeTemporary(dir, QStringLiteral("wiped2.raw"), disk));
    EXPECT_EQ(e.layer, ImageLayer::FileSystem);
    EXPECT_FALSE(e.place.isEmpty());
}

TEST(DiskImage, ReadingPastTheImagesEndGivesTheBytesBeforeIt) {
    QByteArray disk = testDataBytes(QStringLiteral("images/disk-mbr.001")) +
                      testDataBytes(QStringLiteral("images/disk-mbr.002"));
    const QByteArray hive = testDataBytes(QStringLiteral("../../samples/profiles/xp/NTUSER.DAT"));
    ASSERT_GT(hive.size(), 100000);
    // The hive's first cluster in the NTFS partition; the image is cut
    // 40000 bytes into the hive.
    const qsizetype at = disk.indexOf(hive.left(4096), 1048576);
    ASSERT_GT(at, 0);
    // The second partition, which would start past the end, out of the
    // table (TSK refuses a table with a partition that starts there).
    disk.replace(446 + 16, 16, QByteArray(16, '\0'));
    QTemporaryDir dir;
    const std::optional<DiskImage> image =
        readInProcess(writeTemporary(dir, QStringLiteral("cut.raw"), disk.left(at + 40000)));
    ASSERT_TRUE(image);
    ASSERT_FALSE(image->volumes.empty());
    QString error;
    const std::unique_ptr<EvidenceReader> reader =
        image->files[0]->open(kProfile + "/NTUSER.DAT", &error);
    ASSERT_TRUE(reader) << qPrintable(error);
    EXPECT_EQ(reader->size(), hive.size());
    QByteArray got(hive.size(), '\0');
    qint64 have = 0;
    qint64 n = 0;
    while ((n = reader->readAt(have, got.data() + have, 65536)) > 0)
        have += n;
    EXPECT_EQ(n, -1);
    EXPECT_FALSE(reader->errorString().isEmpty());
    EXPECT_GE(have, 36864);
    EXPECT_LT(have, hive.size());
    EXPECT_EQ(got.left(have), hive.left(have));
    QByteArray whole;
    EXPECT_EQ(image->files[0]->readWhole(kProfile + "/NTUSER.DAT", 1 << 24, &whole),
              EvidenceReadStatus::Unreadable);
}

// The reader in a process of its own: the same files, and a reader that
// crashes or hangs gives a message instead of taking the program with it.
class DiskImageProcess : public ::testing::Test {
protected:
    void SetUp() override { setImageReaderProgram(QStringLiteral(VC_BINARY_PATH)); }
    void TearDown() override {
        setImageReaderProgram(QString());
        setImageReaderTimeout(60000);
    }
    // A stand-in for the program that runs a shell command.
    QString fakeReader(const QByteArray& command) {
        const QString path = m_dir.filePath(QStringLiteral("reader.sh"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + command + "\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        return path;
    }
    static qint64 readPid(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toLongLong() : 0;
    }
    QTemporaryDir m_dir;
};

TEST_F(DiskImageProcess, GivesTheFilesOfTheImage) {
    ImageError error;
    std::optional<DiskImage> image =
        openDiskImage(imagePath(QStringLiteral("disk-mbr.E01")), DiskImageOptions{}, &error);
    ASSERT_TRUE(image) << qPrintable(error.text());
    EXPECT_EQ(image->format, "EWF");
    EXPECT_EQ(image->segments, 4);
    ASSERT_EQ(image->volumes.size(), 2u);
    EXPECT_TRUE(image->volumes[0].windows);
    EXPECT_EQ(image->files[1]->describe(), "disk-mbr.E01, partition 2 (offset 8388608), FAT16");
    expectSampleProfile(*image->files[0], QStringLiteral("process"));
    expectDeletedNote(*image->files[0], QStringLiteral("process"));
    const std::optional<EvidenceEntry> e = image->files[0]->entry(kProfile + "/NTUSER.DAT");
    ASSERT_TRUE(e && e->modified);
    EXPECT_EQ(e->modified->kind, TimeKind::FileTime);
    EXPECT_TRUE(e->detail.contains(QStringLiteral("MFT entry")));

    // Shadow copies through the process too.
    image = openDiskImage(imagePath(QStringLiteral("real/vsstest.qcow2")), DiskImageOptions{true},
                          &error);
    ASSERT_TRUE(image) << qPrintable(error.text());
    ASSERT_EQ(image->volumes.size(), 3u);
    EXPECT_EQ(image->volumes[2].snapshot, 2);

    // An image it cannot read: the reader's own message comes back.
    EXPECT_FALSE(
        openDiskImage(m_dir.filePath(QStringLiteral("none.vmdk")), DiskImageOptions{}, &error));
    EXPECT_EQ(error.layer, ImageLayer::ImageFormat);
    EXPECT_TRUE(error.text().startsWith(QStringLiteral("none.vmdk: the image format")));
}

TEST_F(DiskImageProcess, AReaderThatCrashesOrHangsGivesAMessage) {
    setImageReaderProgram(fakeReader("kill -SEGV $$"));
    ImageError error;
    EXPECT_FALSE(openDiskImage(QStringLiteral("/x/disk.E01"), DiskImageOptions{}, &error));
    EXPECT_EQ(error.layer, ImageLayer::Reader);
    EXPECT_EQ(error.text(), "disk.E01: the image reader stopped: ended by signal 11 "
                            "(Segmentation fault)");

    setImageReaderProgram(fakeReader("sleep 30"));
    setImageReaderTimeout(300);
    EXPECT_FALSE(openDiskImage(QStringLiteral("/x/disk.E01"), DiskImageOptions{}, &error));
    EXPECT_EQ(error.layer, ImageLayer::Reader);
    EXPECT_TRUE(error.text().contains(QStringLiteral("no answer within 0.3 s")))
        << qPrintable(error.text());
}

TEST_F(DiskImageProcess, AReaderThatStopsLaterIsStartedAgain) {
    // The program itself, started through a script that notes its process.
    const QString pidFile = m_dir.filePath(QStringLiteral("pid"));
    setImageReaderProgram(fakeReader("echo $$ > '" + QFile::encodeName(pidFile) + "'\nexec '" +
                                     VC_BINARY_PATH + "' \"$@\""));
    ImageError error;
    const std::optional<DiskImage> image =
        openDiskImage(imagePath(QStringLiteral("disk-gpt.qcow2")), DiskImageOptions{}, &error);
    ASSERT_TRUE(image) << qPrintable(error.text());
    const EvidenceFiles& files = *image->files[0];
    QString why;
    std::unique_ptr<EvidenceReader> reader = files.open(kProfile + "/NTUSER.DAT", &why);
    ASSERT_TRUE(reader) << qPrintable(why);
    // The reader is ended from outside, as a crash would end it.
    const qint64 pid = readPid(pidFile);
    ASSERT_GT(pid, 0);
    ASSERT_EQ(::kill(pid_t(pid), SIGKILL), 0);
    // What came with the opening is still there; what lies past it needs the
    // reader.
    char buffer[16];
    EXPECT_EQ(reader->readAt(0, buffer, sizeof buffer), 16);
    EXPECT_EQ(reader->readAt(500000, buffer, sizeof buffer), -1);
    EXPECT_TRUE(reader->errorString().contains(QStringLiteral("the image reader stopped")))
        << qPrintable(reader->errorString());
    // The next request starts it again; the file opened before stays closed.
    EXPECT_TRUE(files.isFile(kProfile + "/Local Settings/History/History.IE5/index.dat"));
    EXPECT_EQ(reader->readAt(500000, buffer, sizeof buffer), -1);
    reader = files.open(kProfile + "/NTUSER.DAT", &why);
    ASSERT_TRUE(reader);
    ASSERT_TRUE(reader->readExactly(0, buffer, 4));
    EXPECT_EQ(QByteArray(buffer, 4), "regf");
}
