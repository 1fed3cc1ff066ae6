// The block scan on several threads must give the rows of the scan on one
// thread, in the same order, whatever the number of threads and wherever
// records and their texts cross the stretches the threads take.
#include "cache/ParallelBlockScan.h"
#include "cache/IndexImage.h"

#include <QRandomGenerator>

using namespace vc;
using namespace vc::testing;

namespace {

class ParallelBlockScan : public FixedTimeTexts {
protected:
    // The work-file lines of the parallel scan, each ended by a line feed,
    // and how many pieces reached the writer.
    struct Scan {
        QByteArray lines;
        int records = 0;
        int writes = 0;
    };
    Scan scan(const QString& path, int threads) {
        Scan result;
        ScanOutput output;
        output.appendText = [](const RecordFields& fields, QByteArray& text) {
            AppendWorkFileLine(fields, text);
            text.append('\n');
        };
        output.write = [&](const QByteArray& text) {
            result.lines.append(text);
            ++result.writes;
        };
        EXPECT_NE(ScanCacheIndexInParallel(path, threads, WalkOptions{}, output), 0.0);
        result.records = output.RecordCount;
        return result;
    }
};

} // namespace

TEST_F(ParallelBlockScan, SameRowsInFileOrderForAnyNumberOfThreads) {
    // 8 MiB: records of 16 blocks with long headers (so each thread reads
    // more text over its stretches than one stretch's share), URL, LEAK and
    // REDR records at random places, and records whose texts run across the
    // 256 KiB stretch boundaries.
    const int blocks = 8 * 8192;
    IndexImage image("5.2", blocks);
    image.setDirectory(0, "DIRZERO0");
    QRandomGenerator random(42);
    qint64 at = 1024;
    int placed = 0;
    while (at + 2048 < qint64(blocks) * 128) {
        const qint64 r = at;
        if (random.bounded(10) == 0) {
            image.putRedrRecord(r, "http://redirect/" + QByteArray::number(placed));
            at += 128 * (1 + random.bounded(4));
        } else {
            IndexImage::UrlRecord rec;
            rec.signature = random.bounded(5) == 0 ? "LEAK" : "URL ";
            rec.blocks = 16;
            rec.modified = fileTimeOf(1000000000 + random.bounded(500000000));
            rec.accessed = fileTimeOf(1000000000 + random.bounded(500000000));
            rec.url = "http://example.org/" + QByteArray::number(placed) + "?q=&x";
            rec.fileName = "file" + QByteArray::number(placed) + ".GIF";
            rec.header = QByteArray(1500 + random.bounded(400), 'h');
            image.putUrlRecord(r, rec);
            at += 2048;
        }
        // Near a stretch boundary, a record that starts just before it.
        const qint64 boundary = (at / (1 << 18) + 1) * (1 << 18);
        if (boundary - at < 4096 && boundary - 256 > at)
            at = boundary - 256;
        ++placed;
    }
    const QString path = image.writeTo(m_dir);
    const WalkResult one = walkFile(path, true);
    ASSERT_GT(one.recordCount, 3000);
    for (int threads : {1, 2, 3, 8}) {
        const Scan many = scan(path, threads);
        EXPECT_EQ(many.records, one.recordCount) << threads << " threads";
        ASSERT_EQ(many.lines, one.workFile) << threads << " threads";
        if (threads > 1) {
            EXPECT_LE(many.writes, 32) << "whole stretches are written at once";
        }
    }
}

TEST_F(ParallelBlockScan, StatedSizesAndFilesWithoutRecords) {
    // A stated size beyond the file, a stated size of 0, and a size that is
    // not a whole number of blocks: the same rows as on one thread.
    for (uint32_t stated : {0u, 1u << 30, 300000u, 129u}) {
        IndexImage image("5.2", 4096);
        for (int i = 0; i < 40; ++i) {
            IndexImage::UrlRecord rec;
            rec.url = "http://r" + QByteArray::number(i) + "/";
            image.putUrlRecord(1024 + 12800 * i, rec);
        }
        image.setStatedSize(stated);
        const QString path = image.writeTo(m_dir, QStringLiteral("s%1.dat").arg(stated));
        const WalkResult one = walkFile(path, true);
        const Scan many = scan(path, 2);
        EXPECT_EQ(many.records, one.recordCount) << stated;
        EXPECT_EQ(many.lines, one.workFile) << stated;
    }
    // A file that cannot be opened gives version 0 and no rows.
    ScanOutput output;
    output.appendText = [](const RecordFields&, QByteArray&) {};
    output.write = [](const QByteArray&) {};
    CollectingReporter reports;
    WalkOptions options;
    options.context.report = &reports;
    EXPECT_EQ(
        ScanCacheIndexInParallel(m_dir.filePath(QStringLiteral("none.dat")), 2, options, output),
        0.0);
    EXPECT_EQ(reports.errors.size(), 1);
    EXPECT_EQ(output.RecordCount, 0);
}
