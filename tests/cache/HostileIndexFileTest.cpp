#include "cache/IndexImage.h"

#include "TestData.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace vc;
using namespace vc::testing;

namespace {

class HostileIndexFile : public FixedTimeTexts {
protected:
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("bad.dat")) {
        const QString path = m_dir.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
        return path;
    }
};

QByteArray randomBytes(QRandomGenerator& rng, qsizetype size) {
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(rng.bounded(256));
    return bytes;
}

void put32(QByteArray& bytes, qsizetype at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((v >> (8 * i)) & 0xff);
}

} // namespace

TEST_F(HostileIndexFile, RandomBytesAndTinyFiles) {
    QRandomGenerator rng(20261208);
    for (int round = 0; round < 40; ++round) {
        const qsizetype size = 64 + rng.bounded(200000);
        QByteArray bytes = randomBytes(rng, size);
        if (round % 2) {
            // A believable header: version, a stated size near the real one,
            // a hash table somewhere in the file, and many blocks that carry
            // a signature over random contents.
            bytes.replace(24, 4, QByteArray("5.2\0", 4));
            put32(bytes, 28, uint32_t(size + rng.bounded(4096)) - 2048);
            put32(bytes, 32, rng.bounded(uint32_t(size)));
            static const char* kinds[] = {"URL ", "LEAK", "REDR"};
            for (qsizetype b = 128; b + 4 <= size; b += 128) {
                if (rng.bounded(3) == 0)
                    bytes.replace(b, 4, kinds[rng.bounded(3)]);
            }
        }
        const QString path = write(bytes);
        for (bool linear : {true, false}) {
            CountingProgress progress;
            const WalkResult result = walkFile(path, linear, &progress, 50);
            EXPECT_EQ(result.rows.size(), result.recordCount);
            EXPECT_LE(result.rows.size(), size / 8 + 1);
            EXPECT_EQ(progress.position(), 50);
            for (const auto& row : result.rows)
                ASSERT_EQ(row.size(), 7);
        }
    }
    for (qsizetype size : {0, 1, 27, 30, 35, 100}) {
        QByteArray bytes = IndexImage("5.2", 1).bytes().left(size);
        const QString path = write(bytes);
        for (bool linear : {true, false}) {
            const WalkResult result = walkFile(path, linear);
            EXPECT_EQ(result.rows.size(), 0);
            EXPECT_EQ(result.version, size >= 27 ? 5.2 : (size >= 26 ? 5.0 : 0.0)) << size;
        }
    }
}

TEST_F(HostileIndexFile, TruncatedRealFiles) {
    for (const char* name : {"content-ie5-index.dat", "history-ie5-index.dat"}) {
        QFile in(testDataPath(QString::fromLatin1(name)));
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        const QByteArray whole = in.readAll();
        for (bool linear : {true, false}) {
            const qsizetype full = walkFile(in.fileName(), linear).rows.size();
            ASSERT_GT(full, 0);
            for (qsizetype cut = 0; cut < whole.size(); cut += 1021) {
                const WalkResult result = walkFile(write(whole.left(cut), "cut.dat"), linear);
                EXPECT_LE(result.rows.size(), full) << name << " " << cut;
                EXPECT_EQ(result.version, cut >= 27 ? 5.2 : result.version);
            }
        }
    }
}

// Every block a URL record over bytes that are never zero: each address
// runs on to the longest field text, and the walk stops once the decoders
// have taken more text than sound records of the file could hold, instead of
// reading the file again for every block.
TEST_F(HostileIndexFile, StringsThatNeverEnd) {
    const qsizetype size = 2 * 1024 * 1024;
    QByteArray bytes(size, 'A');
    bytes.replace(24, 4, QByteArray("5.2\0", 4));
    put32(bytes, 28, uint32_t(size));
    put32(bytes, 32, 0);
    for (qsizetype b = 128; b < size; b += 128) {
        bytes.replace(b, 4, "URL ");
        put32(bytes, b + 4, 0x7fffffff);
    }
    const WalkResult result = walkFile(write(bytes), true);
    ASSERT_GT(result.rows.size(), 0);
    EXPECT_LT(result.rows.size(), size / 128 / 10);
    for (const auto& row : result.rows) {
        EXPECT_EQ(row[1].size(), kMaxFieldLength);
        EXPECT_EQ(row[5], "AAAAAAAA");
    }
}

// A leaked record keeps filler where its address offset was: 0xDEADBEEF,
// whose low byte 0xEF points into the record after it. A 32-bit value not
// smaller than the record means no address is stored; sane ones (and the
// records around) read as before, in all three layouts.
TEST_F(HostileIndexFile, LeakedRecordWithFillerForAnAddressOffsetStoresNoAddress) {
    for (const QByteArray& layout : {QByteArray("5.2"), QByteArray("5.0"), QByteArray("4.7")}) {
        SCOPED_TRACE(layout.toStdString());
        IndexImage image(layout, 64);
        const int urlAt = layout == "4.7" ? 56 : 52;
        IndexImage::UrlRecord leak;
        leak.signature = "LEAK";
        leak.blocks = 2;
        leak.url = "http://leaked.example/";
        leak.fileName = "LEAKED.HTM";
        image.putUrlRecord(1024, leak, layout);
        image.put32(1024 + urlAt, 0xDEADBEEF);
        IndexImage::UrlRecord next;
        next.url = "http://next.example/page";
        next.blocks = 2;
        image.putUrlRecord(1280, next, layout);
        // A record whose offset field is exactly its size, and one just inside.
        IndexImage::UrlRecord edge = next;
        edge.url = "http://edge.example/";
        image.putUrlRecord(1536, edge, layout);
        image.put32(1536 + urlAt, 2 * 128);
        IndexImage::UrlRecord sane = next;
        sane.url = "http://sane.example/";
        image.putUrlRecord(1792, sane, layout);
        const WalkResult walk = walkFile(image.writeTo(m_dir), true);
        ASSERT_EQ(walk.rows.size(), 4);
        EXPECT_EQ(walk.rows[0][0], "LEAK");
        EXPECT_EQ(walk.rows[0][1], "");
        EXPECT_EQ(walk.rows[0][4], "LEAKED.HTM"); // its other fields as stored
        EXPECT_EQ(walk.rows[1][1], "http://next.example/page");
        EXPECT_EQ(walk.rows[2][1], "");
        EXPECT_EQ(walk.rows[3][1], "http://sane.example/");
    }
}
