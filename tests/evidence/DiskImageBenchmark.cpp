// Benchmarks of the image reader, shown, not asserted (HACKING.md):
// scripts/bench-disk-image.sh runs them (build/vellacord_core_tests
// --gtest_also_run_disabled_tests --gtest_filter='DiskImageBenchmark.*').
// The big image is made by that script and named by
// VC_BENCH_IMAGE (a 4 GiB raw disk holding the sample volume and a 256 MiB
// file big.bin); without it those two print that they were skipped.
#include "TestData.h"
#include "evidence/image/ImageProcess.h"
#include "evidence/image/reading/ImageReading.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <cstdio>

using namespace vc;

namespace {

// The peak resident memory of this process so far, in KiB.
long peakKib() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Reads every file under folder whole; the bytes read.
qint64 readAll(const EvidenceFiles& files, const QByteArray& folder) {
    std::vector<EvidenceEntry> entries;
    if (!files.list(folder, entries, nullptr))
        return 0;
    qint64 total = 0;
    for (const EvidenceEntry& e : entries) {
        const QByteArray path = joinPath(folder, e.name);
        if (e.type == EntryType::Folder)
            total += readAll(files, path);
        else if (e.type == EntryType::File && !e.deleted) {
            QByteArray bytes;
            if (files.readWhole(path, 1 << 26, &bytes) == EvidenceReadStatus::Ok)
                total += bytes.size();
        }
    }
    return total;
}

QString benchImage() {
    return qEnvironmentVariable("VC_BENCH_IMAGE");
}

} // namespace

TEST(DiskImageBenchmark, DISABLED_ReadingTheSampleFromTheE01AgainstTheFolder) {
    setImageReaderProgram(QStringLiteral(VC_BINARY_PATH));
    const QByteArray folder = QFile::encodeName(samplesPath(QStringLiteral("profiles/xp")));
    const QString e01 = testDataPath(QStringLiteral("images/disk-mbr.E01"));
    const QByteArray inside = "/Documents and Settings/joe";
    constexpr int kRounds = 10;
    double folderMs = 0, processOpenMs = 0, processMs = 0, openMs = 0, inProcessMs = 0;
    qint64 bytes = 0;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer t;
        t.start();
        bytes = readAll(localEvidenceFiles(), folder);
        folderMs += t.nsecsElapsed() / 1e6;

        t.restart();
        ImageError error;
        std::optional<DiskImage> image = openDiskImage(e01, DiskImageOptions{}, &error);
        ASSERT_TRUE(image) << qPrintable(error.text());
        processOpenMs += t.nsecsElapsed() / 1e6;
        t.restart();
        EXPECT_EQ(readAll(*image->files[0], inside), bytes);
        processMs += t.nsecsElapsed() / 1e6;
        image.reset();

        t.restart();
        image = image::readDiskImage(e01, DiskImageOptions{}, &error);
        ASSERT_TRUE(image);
        openMs += t.nsecsElapsed() / 1e6;
        t.restart();
        EXPECT_EQ(readAll(*image->files[0], inside), bytes);
        inProcessMs += t.nsecsElapsed() / 1e6;
    }
    // One request and its answer between the processes: entries of a folder
    // not listed before are asked for one by one.
    ImageError error;
    const std::optional<DiskImage> image = openDiskImage(e01, DiskImageOptions{}, &error);
    ASSERT_TRUE(image);
    QElapsedTimer t;
    t.start();
    constexpr int kRequests = 2000;
    for (int i = 0; i < kRequests; ++i)
        EXPECT_TRUE(image->files[0]->entry(inside + "/NTUSER.DAT"));
    const double roundTripUs = t.nsecsElapsed() / 1e3 / kRequests;
    std::printf("one request to the reader process and its answer: %.1f us\n", roundTripUs);
    std::printf("every file of the sample (%lld bytes), mean of %d rounds:\n"
                "  folder                        %8.2f ms\n"
                "  E01 through the reader process %7.2f ms (%.2f x); opening it %.2f ms\n"
                "  E01 in this process            %7.2f ms (%.2f x); opening it %.2f ms\n",
                static_cast<long long>(bytes), kRounds, folderMs / kRounds, processMs / kRounds,
                processMs / folderMs, processOpenMs / kRounds, inProcessMs / kRounds,
                inProcessMs / folderMs, openMs / kRounds);
    setImageReaderProgram(QString());
}

TEST(DiskImageBenchmark, DISABLED_OpeningA4GiBRawImageAndListingItsProfiles) {
    if (benchImage().isEmpty())
        GTEST_SKIP() << "VC_BENCH_IMAGE is not set (scripts/bench-disk-image.sh)";
    setImageReaderProgram(QStringLiteral(VC_BINARY_PATH));
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer t;
        t.start();
        ImageError error;
        const std::optional<DiskImage> image =
            openDiskImage(benchImage(), DiskImageOptions{}, &error);
        ASSERT_TRUE(image) << qPrintable(error.text());
        const double openMs = t.nsecsElapsed() / 1e6;
        QStringList profiles;
        for (size_t v : image->windowsVolumes()) {
            const EvidenceFiles& files = *image->files[v];
            std::vector<EvidenceEntry> entries;
            ASSERT_TRUE(files.list("/Documents and Settings", entries, nullptr));
            for (const EvidenceEntry& e : entries)
                if (e.type == EntryType::Folder &&
                    files.isFile(joinPath("/Documents and Settings/" + e.name, "NTUSER.DAT")))
                    profiles << QString::fromUtf8(e.name);
        }
        std::printf("4 GiB raw image (%lld bytes): opened, volumes found and Windows looked for in "
                    "%.1f ms; profiles %s listed after %.1f ms\n",
                    static_cast<long long>(image->volumes.empty() ? 0 : image->volumes[0].size),
                    openMs, qPrintable(profiles.join(QLatin1Char(','))), t.nsecsElapsed() / 1e6);
        EXPECT_EQ(profiles, QStringList{QStringLiteral("joe")});
    }
    setImageReaderProgram(QString());
}

TEST(DiskImageBenchmark, DISABLED_ReadingA256MiBFileKeepsMemoryFlat) {
    if (benchImage().isEmpty())
        GTEST_SKIP() << "VC_BENCH_IMAGE is not set (scripts/bench-disk-image.sh)";
    ImageError error;
    const std::optional<DiskImage> image =
        image::readDiskImage(benchImage(), DiskImageOptions{}, &error);
    ASSERT_TRUE(image) << qPrintable(error.text());
    const long before = peakKib();
    QString why;
    const std::unique_ptr<EvidenceReader> reader = image->files[0]->open("/big.bin", &why);
    ASSERT_TRUE(reader) << qPrintable(why);
    std::vector<char> buffer(1 << 20);
    qint64 total = 0;
    QElapsedTimer t;
    t.start();
    for (qint64 n; (n = reader->readAt(total, buffer.data(), qint64(buffer.size()))) > 0;)
        total += n;
    const double ms = t.nsecsElapsed() / 1e6;
    EXPECT_EQ(total, reader->size());
    std::printf("read %lld bytes in %.0f ms (%.0f MiB/s); peak memory %ld KiB before, %ld KiB "
                "after (+%ld KiB)\n",
                static_cast<long long>(total), ms, total / 1048576.0 / (ms / 1000), before,
                peakKib(), peakKib() - before);
}
