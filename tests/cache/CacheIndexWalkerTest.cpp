#include "cache/CacheIndexWalker.h"
#include "cache/IndexImage.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

using namespace vc;
using namespace vc::testing;

namespace {

using Row = QList<QByteArray>;

class CacheIndexWalk : public FixedTimeTexts {};

// One record whose bytes mean different things in the three layouts: the
// URL offset byte at 52 and at 56, the directory index at 56, 57 and 60, the
// file name offset at 60 and 64, the header offset at 68 and 72.
IndexImage layoutImage(const QByteArray& version) {
    IndexImage image(version, 36);
    image.setDirectory(2, "DIR2NAME");
    image.setDirectory(144, "DIR144AB");
    image.setDirectory(176, "DIR176AB");
    const qint64 r = 4096;
    image.putBytes(r, "URL ");
    // Eight blocks: the 32-bit address-offset field of the layout before 5.0
    // (bytes 56 to 59, 0x290 here) lies inside the record.
    image.put32(r + 4, 8);
    image.put64(r + 8, fileTimeOf(1000000000));
    image.put64(r + 16, fileTimeOf(1100000000));
    image.put8(r + 52, 0x70);
    image.put8(r + 56, 0x90);
    image.put8(r + 57, 2);
    image.put32(r + 60, 0xB0);
    image.put32(r + 64, 0xC0);
    image.put32(r + 68, 0xD0);
    image.put32(r + 72, 0xF0);
    image.putText(r + 0x70, "http://five.example/");
    image.putText(r + 0x90, "http://four.example/");
    image.putText(r + 0xB0, "five.gif");
    image.putText(r + 0xC0, "four.JPG");
    image.putText(r + 0xD0, "HTTP/1.1 five\r\n");
    image.putText(r + 0xF0, "HTTP/1.1 four");
    return image;
}

} // namespace

TEST_F(CacheIndexWalk, ThreeVersionLayouts) {
    const Row five47 = {"URL",
                        "http://four.example/",
                        "2001-09-09 01:46:40",
                        "2004-11-09 11:33:20",
                        "four.JPG",
                        "DIR176AB",
                        "HTTP/1.1 four"};
    const Row five50 = {"URL",
                        "http://five.example/",
                        "2001-09-09 01:46:40",
                        "2004-11-09 11:33:20",
                        "five.gif",
                        "DIR2NAME",
                        "HTTP/1.1 five  "};
    Row five52 = five50;
    five52[5] = "DIR144AB";

    const struct {
        QByteArray version;
        double expected;
        Row row;
    } cases[] = {{"4.7", 4.7, five47}, {"5.0", 5.0, five50}, {"5.1", 5.1, five50},
                 {"5.2", 5.2, five52}, {"5.3", 5.3, five52}, {"xyz", 0.0, five47}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version.constData());
        IndexImage image = layoutImage(c.version);
        const QString path = image.writeTo(m_dir, QString::fromLatin1(c.version) + ".dat");
        for (bool linear : {true, false}) {
            if (!linear) {
                image.putHashTable(1024, 2, 0, {{0x11, 4096}});
                image.setFirstHashTable(1024);
                image.writeTo(m_dir, QString::fromLatin1(c.version) + ".dat");
            }
            const WalkResult result = walkFile(path, linear);
            EXPECT_EQ(result.version, c.expected);
            ASSERT_EQ(result.rows.size(), 1);
            EXPECT_EQ(result.rows[0], c.row);
            EXPECT_EQ(result.recordCount, 1);
        }
    }

    // The boundary of the newest layout is the double 5.2: the same file
    // decoded with a single-precision 5.2 takes the 5.0 layout.
    IndexImage image = layoutImage("5.2");
    IndexFileReader file(image.writeTo(m_dir));
    ASSERT_TRUE(file.open());
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    RecordSink sink{&buffer, 0};
    DecodeUrlRecord(file, 4096, "URL ", int32_t(image.size()), double(5.2f), sink);
    EXPECT_EQ(buffer.data(), five50.join('\t') + '\n');
    buffer.buffer().clear();
    buffer.seek(0);
    DecodeUrlRecord(file, 4096, "URL ", int32_t(image.size()), 5.2, sink);
    EXPECT_EQ(buffer.data(), five52.join('\t') + '\n');
    EXPECT_EQ(sink.RecordCount, 2);
}

TEST_F(CacheIndexWalk, SignaturesAndRecordKinds) {
    IndexImage image("5.2", 64);
    image.setDirectory(0, "FOLDER00");
    IndexImage::UrlRecord rec;
    rec.url = "http://a/";
    rec.fileName = "a.htm";
    rec.header = "H";
    rec.modified = fileTimeOf(86400);
    rec.accessed = fileTimeOf(2 * 86400);
    const QList<QByteArray> signatures = {
        "URL ", "URLx", QByteArray("URL\t"), QByteArray("URL\0", 4), "LEAK", "LEAk", "LEA ", "REDx",
        "url ", "HASH"};
    qint64 r = 1024;
    for (const QByteArray& s : signatures) {
        rec.signature = s;
        image.putUrlRecord(r, rec);
        r += 512;
    }
    // A redirect with bytes in the places where a URL record keeps its other
    // fields: none of them shows.
    image.putRedrRecord(r, "http://redirect/");
    image.put8(r + 52, 0x20);
    image.put64(r + 8, fileTimeOf(5));
    image.put32(r + 60, 0x40);
    image.putText(r + 0x40, "notshown");
    const QString path = image.writeTo(m_dir);

    const WalkResult result = walkFile(path, true);
    const Row common = {
        "http://a/", "1970-01-02 00:00:00", "1970-01-03 00:00:00", "a.htm", "FOLDER00", "H"};
    const QList<QByteArray> types = {"URL", "URLx", "URL", "URL", "LEAK"};
    ASSERT_EQ(result.rows.size(), types.size() + 1);
    for (int i = 0; i < types.size(); ++i) {
        EXPECT_EQ(result.rows[i][0], types[i]);
        EXPECT_EQ(result.rows[i].mid(1), common);
    }
    EXPECT_EQ(result.rows.last(), Row({"REDR", "http://redirect/", "", "", "", "", ""}));
    EXPECT_EQ(result.recordCount, 6);
}

TEST_F(CacheIndexWalk, FieldBoundsAndGuards) {
    IndexImage image("5.2", 16);
    image.setDirectory(3, "THREE\0\x01Z");
    const qint64 r = 1024;
    // Both times 0; file name offset 60 and header offset 68: empty.
    image.putBytes(r, "URL ");
    image.put32(r + 4, 2);
    image.put8(r + 52, 0x68);
    image.putText(r + 0x68, "http://x/");
    image.put8(r + 56, 3);
    image.put32(r + 60, 60);
    image.put32(r + 68, 68);
    // A file name offset above 60 is taken; the header runs past the
    // record's two blocks and is cut before its end.
    const qint64 r2 = 1536;
    image.putBytes(r2, "URL ");
    image.put32(r2 + 4, 2);
    image.put64(r2 + 16, fileTimeOf(-7200));
    image.put8(r2 + 52, 0x68);
    image.putText(r2 + 0x68, "http://y/");
    image.put32(r2 + 60, 64);
    image.putText(r2 + 64, "abc");
    image.put32(r2 + 68, 0xF0);
    image.putText(r2 + 0xF0, "0123456789ABCDEFGHIJ");
    image.putRedrRecord(1792, "http://z/");
    const QString path = image.writeTo(m_dir);

    const WalkResult result = walkFile(path, true);
    ASSERT_EQ(result.rows.size(), 3);
    // The folder name stops at its zero byte.
    EXPECT_EQ(result.rows[0], Row({"URL", "http://x/", "", "", "", "THREE", ""}));
    // An access time before 1970 has no calendar time. Header bytes are
    // taken while the position after them is below the record's end (1792).
    EXPECT_EQ(result.rows[1], Row({"URL", "http://y/", "", " ", "abc", "", "0123456789ABCDE"}));

    // The directory name is read only when its entry ends below the stated
    // size: index 3 ends at 12 * 3 + 88 = 124.
    IndexFileReader file(path);
    ASSERT_TRUE(file.open());
    for (const auto& [size, expected] :
         {std::pair{124, QByteArray()}, std::pair{125, QByteArray("THREE")}}) {
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        RecordSink sink{&buffer, 0};
        DecodeUrlRecord(file, int32_t(r), "URL ", size, 5.2, sink);
        ASSERT_EQ(sink.RecordCount, 1);
        EXPECT_EQ(buffer.data().split('\t')[5], expected) << size;
    }
    // The URL is bound by the stated size the same way: with the size at
    // r + 0x68 + 5 four bytes are taken.
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    RecordSink sink{&buffer, 0};
    DecodeUrlRecord(file, int32_t(r), "URL ", int32_t(r + 0x68 + 5), 5.2, sink);
    EXPECT_EQ(buffer.data().split('\t')[1], "http");
    // A REDR URL likewise: two bytes below a bound three bytes on.
    buffer.buffer().clear();
    buffer.seek(0);
    DecodeRedrRecord(file, 1792, 1792 + 16 + 3, sink);
    EXPECT_EQ(buffer.data(), "REDR\tht\t\t\t\t\t\n");
}

namespace {

// Three URL records at 1024, 1536 and 2048 of a small 5.2 file.
IndexImage threeRecordImage(int blocks = 24) {
    IndexImage image("5.2", blocks);
    for (int i = 0; i < 3; ++i) {
        IndexImage::UrlRecord rec;
        rec.url = "http://r" + QByteArray::number(i) + "/";
        image.putUrlRecord(1024 + 512 * i, rec);
    }
    return image;
}

QList<QByteArray> urls(const WalkResult& result) {
    QList<QByteArray> out;
    for (const Row& row : result.rows)
        out << row.value(1);
    return out;
}

} // namespace

TEST_F(CacheIndexWalk, StatedSizeZeroBeyondTheFileAndNegative) {
    IndexImage image = threeRecordImage();
    image.putHashTable(512, 2, 0, {{0x10, 1024}, {0x20, 2048}});
    image.setFirstHashTable(512);
    const QList<QByteArray> all = {"http://r0/", "http://r1/", "http://r2/"};

    // Size 0: the block scan reads nothing, the bar still ends at the end of
    // the share, the version is still returned; the hash walk still works
    // (no division by the size).
    image.setStatedSize(0);
    const QString path = image.writeTo(m_dir);
    for (bool linear : {true, false}) {
        CountingProgress progress;
        progress.setPosition(10);
        const WalkResult result = walkFile(path, linear, &progress, 40);
        EXPECT_EQ(result.version, 5.2);
        EXPECT_EQ(result.rows.size(), linear ? 0 : 2);
        EXPECT_EQ(progress.position(), 50);
    }

    // A stated size far beyond the real file gives the rows of the real
    // size, and the strings stop at the real end.
    image.setStatedSize(0x7fffffff);
    image.putBytes(image.size() - 128, "URL ");
    image.put8(image.size() - 128 + 52, 0x70);
    image.putBytes(image.size() - 128 + 0x70, QByteArray(16, 'T'));
    image.writeTo(m_dir);
    WalkResult result = walkFile(path, true);
    ASSERT_EQ(result.rows.size(), 4);
    EXPECT_EQ(urls(result).mid(0, 3), all);
    EXPECT_EQ(result.rows[3][1], QByteArray(16, 'T'));

    // 2^31 and more read as negative: the block scan ends at once.
    image.setStatedSize(0x80000000u);
    image.writeTo(m_dir);
    CountingProgress progress;
    result = walkFile(path, true, &progress, 50);
    EXPECT_EQ(result.rows.size(), 0);
    EXPECT_EQ(progress.position(), 50);
}

TEST_F(CacheIndexWalk, HashEntriesFreeUsedAndWithoutRecord) {
    IndexImage image = threeRecordImage();
    image.putHashTable(512, 2, 0,
                       {{0x03, 1024},         // free entry with a valid offset: skipped
                        {0x00000300, 1536},   // 3 only in a higher byte: used
                        {0x03000000, 2048},   // likewise
                        {0x10, 0},            // no record
                        {0x10, 0x0BADF00D},   // no record
                        {0x10, 0x7fff0000},   // beyond the file: zeros, no signature
                        {0x10, 0x90000000}}); // negative offset
    image.setFirstHashTable(512);
    const WalkResult result = walkFile(image.writeTo(m_dir), false);
    EXPECT_EQ(urls(result), QList<QByteArray>({"http://r1/", "http://r2/"}));
    // The block scan of the same file finds all three.
    EXPECT_EQ(walkFile(image.writeTo(m_dir), true).rows.size(), 3);
}

TEST_F(CacheIndexWalk, HashChainsThatLoopOrLie) {
    IndexImage image = threeRecordImage(40);
    const QString path = image.writeTo(m_dir);
    const auto walkChain = [&](uint32_t first) {
        image.setFirstHashTable(first);
        image.writeTo(m_dir);
        return urls(walkFile(path, false));
    };
    // A table whose length (the only one yet) claims far more blocks than the file has: its
    // entries end with the file.
    image.putHashTable(3072, 0x7fffffff, 0, {{0x10, 1024}, {0x10, 1536}});
    EXPECT_EQ(walkChain(3072), QList<QByteArray>({"http://r0/", "http://r1/"}));
    // 3072 -> 3328 -> 3584 -> back to 3328: every table walked once.
    image.putHashTable(3072, 1, 3328, {{0x10, 1024}});
    image.putHashTable(3328, 1, 3584, {{0x10, 1536}});
    image.putHashTable(3584, 1, 3328, {{0x10, 2048}});
    EXPECT_EQ(walkChain(3072), QList<QByteArray>({"http://r0/", "http://r1/", "http://r2/"}));
    // A table that names itself as the next.
    image.putHashTable(3840, 1, 3840, {{0x10, 2048}, {0x10, 1024}});
    EXPECT_EQ(walkChain(3840), QList<QByteArray>({"http://r2/", "http://r0/"}));
    // A first table beyond the file, at a negative offset, or unaligned
    // inside a record: nothing or only what its bytes give, and an end.
    EXPECT_TRUE(walkChain(0x7ffff000).isEmpty());
    EXPECT_TRUE(walkChain(0x80000010).isEmpty());
    walkChain(1030);
    // 64 overlapping tables 16 bytes apart, chained in a loop, each claiming
    // 1024 blocks; read as entries, every table's length field points at the
    // record at 1024. Unbounded, the walk would list it thousands of times;
    // it ends after at most one pass over the file's bytes.
    for (int t = 0; t < 64; ++t) {
        image.put32(4096 + t * 16 + 4, 1024);
        image.put32(4096 + t * 16 + 8, uint32_t(4096 + ((t + 1) % 64) * 16));
    }
    const QList<QByteArray> listed = walkChain(4096);
    EXPECT_FALSE(listed.isEmpty());
    EXPECT_LE(listed.size(), image.size() / 8 + 1);
    EXPECT_EQ(listed.count("http://r0/"), listed.size());
}

TEST_F(CacheIndexWalk, ProgressMovesForwardWithinItsShare) {
    IndexImage image = threeRecordImage(400);
    image.putHashTable(4096, 32, 0, {{0x10, 1024}});
    image.setFirstHashTable(4096);
    const QString path = image.writeTo(m_dir);
    for (bool linear : {true, false}) {
        struct Watch : CountingProgress {
            int highest = 0;
            bool backwards = false;
            void setPosition(int p) override {
                backwards = backwards || p < position();
                highest = std::max(highest, p);
                CountingProgress::setPosition(p);
            }
        } progress;
        progress.setPosition(20);
        walkFile(path, linear, &progress, 50);
        EXPECT_FALSE(progress.backwards);
        EXPECT_EQ(progress.highest, 70);
        EXPECT_EQ(progress.position(), 70);
        // Once per unit at most, plus the first setting above.
        EXPECT_LE(progress.moves(), 51);
        EXPECT_GT(progress.moves(), 2);
    }
}

TEST_F(CacheIndexWalk, FileThatCannotBeOpenedNamesThePath) {
    CollectingReporter reports;
    const QString path = m_dir.filePath(QStringLiteral("missing/index.dat"));
    CountingProgress progress;
    const WalkResult result = walkFile(path, true, &progress, 50, &reports);
    EXPECT_EQ(result.version, 0.0);
    EXPECT_EQ(result.recordCount, 0);
    EXPECT_TRUE(result.workFile.isEmpty());
    ASSERT_EQ(reports.errors.size(), 1);
    EXPECT_EQ(reports.errors[0], tx(TextCannotOpenIndexFile) + ":\n" + path);
    EXPECT_TRUE(reports.errors[0].startsWith("Error! The index.dat file cannot be opened!"));
}

TEST_F(CacheIndexWalk, DirectoryIndexBeyondTheFile) {
    // A stated size larger than the file lets index 250 pass the guard; its
    // name lies beyond the real end and reads as nothing.
    IndexImage image("5.2", 8);
    image.setStatedSize(8192);
    IndexImage::UrlRecord rec;
    rec.url = "http://d/";
    rec.directory = 250;
    image.putUrlRecord(256, rec);
    const WalkResult result = walkFile(image.writeTo(m_dir), true);
    ASSERT_EQ(result.rows.size(), 1);
    EXPECT_EQ(result.rows[0][1], "http://d/");
    EXPECT_EQ(result.rows[0][5], "");
}
