#include "cache/IndexFileReader.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vc;

namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath(QStringLiteral("data.bin"));
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(bytes);
    return path;
}

unsigned char expectedAt(const QByteArray& bytes, qint64 offset) {
    return offset >= 0 && offset < bytes.size() ? static_cast<unsigned char>(bytes[offset]) : 0;
}

} // namespace

// Reads at random places of a file many times larger than the page cache,
// including reads that straddle pages and the end of the file, must give the
// file's own bytes (zeros outside it), whichever slots they share.
TEST(IndexFileReader, SameBytesAtSamePositionsAcrossPages) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const qint64 size = qint64(IndexFileReader::kPageSize) * IndexFileReader::kPageSlots * 3 + 1234;
    QByteArray bytes(size, '\0');
    QRandomGenerator rng(7);
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = char(rng.bounded(256));
    IndexFileReader reader(writeFile(dir, bytes));
    ASSERT_TRUE(reader.open());
    EXPECT_EQ(reader.realSize(), size);

    for (int round = 0; round < 20000; ++round) {
        const qint64 offset = qint64(rng.bounded(int(size + 200))) - 100;
        const int count = 1 + int(rng.bounded(40));
        unsigned char out[40];
        reader.ReadAt(offset, count, out);
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(out[i], expectedAt(bytes, offset + i)) << offset << "+" << i;
        ASSERT_EQ(reader.byteAt(offset), expectedAt(bytes, offset));
    }
    // Page 0 stays right after the slot of every other page was reused.
    unsigned char head[16];
    reader.ReadAt(0, 16, head);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(head), 16), bytes.left(16));
}

TEST(IndexFileReader, TextStopsAtZeroBoundLengthAndFileEnd) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const int page = IndexFileReader::kPageSize;
    // A long text that crosses two page boundaries, then a zero, then a text
    // running into the end of the file.
    QByteArray bytes(3 * page + 100, 'x');
    bytes[10] = 'A';
    bytes[3 * page - 5] = '\0';
    IndexFileReader reader(writeFile(dir, bytes));
    ASSERT_TRUE(reader.open());

    EXPECT_EQ(reader.textAt(10, 1000000, 1 << 20), bytes.mid(10, 3 * page - 15));
    EXPECT_EQ(reader.textAt(10, 15, 1 << 20), "Axxxx");
    EXPECT_EQ(reader.textAt(10, 1000000, 3), "Axx");
    EXPECT_EQ(reader.textAt(3 * page + 90, 1 << 30, 1 << 20), QByteArray(10, 'x'));
    EXPECT_EQ(reader.textAt(3 * page - 5, 1 << 30, 100), "");
    EXPECT_EQ(reader.textAt(-5, 100, 100), "");
    EXPECT_EQ(reader.textAt(bytes.size() + 10, 1 << 30, 100), "");
    EXPECT_EQ(reader.textAt(20, 20, 100), "");
    EXPECT_EQ(reader.textAt(20, 10, 100), "");
    EXPECT_GT(reader.textBytesRead(), 3 * page);
}

TEST(IndexFileReader, MissingFileAndEmptyFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    IndexFileReader missing(dir.filePath(QStringLiteral("nothing.dat")));
    EXPECT_FALSE(missing.open());
    EXPECT_FALSE(missing.isOpen());
    EXPECT_FALSE(missing.errorString().isEmpty());

    IndexFileReader empty(writeFile(dir, QByteArray()));
    ASSERT_TRUE(empty.open());
    unsigned char out[4] = {1, 2, 3, 4};
    empty.ReadAt(0, 4, out);
    EXPECT_EQ(out[0] | out[1] | out[2] | out[3], 0);
    EXPECT_EQ(empty.byteAt(0), 0);
}
