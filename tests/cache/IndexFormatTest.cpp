#include "cache/IndexFormat.h"
#include "cache/ActivityTable.h"
#include "cache/IndexImage.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vc;
using vc::testing::fileTimeOf;
using vc::testing::ZoneGuard;

namespace {

void fileTimeBytes(uint64_t value, unsigned char* out) {
    for (int i = 0; i < 8; ++i)
        out[i] = (value >> (8 * i)) & 0xff;
}

int64_t unixOf(uint64_t fileTime) {
    unsigned char b[8];
    fileTimeBytes(fileTime, b);
    return FileTimeToUnix(b);
}

double versionOf(const char (&text)[5]) {
    return ParseCacheIndexVersion(reinterpret_cast<const unsigned char*>(text));
}

} // namespace

TEST(IndexFormat, LittleEndianValueIsSigned32Bit) {
    const unsigned char small[4] = {0x00, 0xc0, 0x00, 0x00};
    EXPECT_EQ(LittleEndianValue(small, 4), 0xc000);
    const unsigned char ordered[4] = {0x01, 0x02, 0x03, 0x04};
    EXPECT_EQ(LittleEndianValue(ordered, 4), 0x04030201);
    EXPECT_EQ(LittleEndianValue(ordered, 1), 1);
    EXPECT_EQ(LittleEndianValue(ordered, 2), 0x0201);
    // Sizes and offsets of 2^31 and more compare as negative.
    const unsigned char high[4] = {0x00, 0x00, 0x00, 0x80};
    EXPECT_EQ(LittleEndianValue(high, 4), INT32_MIN);
    const unsigned char all[4] = {0xff, 0xff, 0xff, 0xff};
    EXPECT_EQ(LittleEndianValue(all, 4), -1);
}

TEST(IndexFormat, FileTimeToUnixKeepsSecondsBeyond2038) {
    EXPECT_EQ(unixOf(0), 0);
    EXPECT_EQ(unixOf(fileTimeOf(1)), 1);
    EXPECT_EQ(unixOf(fileTimeOf(1440500720, 2619991)), 1440500720);
    // The low half read as a signed number would put this time 429 s early.
    EXPECT_EQ(unixOf(0x01d0df25ee8b1260ULL), 1440500720);
    // After January 2038 the seconds no longer fit in 32 bits.
    EXPECT_EQ(unixOf(fileTimeOf(2145916800)), 2145916800);       // 2038-01-01
    EXPECT_EQ(unixOf(fileTimeOf(2208988800)), 2208988800);       // 2040-01-01
    EXPECT_EQ(unixOf(fileTimeOf(16725225600LL)), 16725225600LL); // 2500-01-01
    // Before 1970: negative, truncated toward zero.
    EXPECT_EQ(unixOf(fileTimeOf(-86400)), -86400);
    EXPECT_EQ(unixOf(fileTimeOf(-1, 5000000)), 0);
    EXPECT_EQ(unixOf(10000000), -11644473599);
    EXPECT_EQ(unixOf(~0ULL), 1833029933770LL);
}

TEST(IndexFormat, FileTimeTextsAfter2038AndBefore1970) {
    const ZoneGuard zone("UTC");
    const QString oldFormat = dateTimeFormat();
    setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    unsigned char b[8];
    fileTimeBytes(fileTimeOf(2208988800 + 3661), b);
    EXPECT_EQ(FileTimeText(b), "2040-01-01 01:01:01");
    fileTimeBytes(fileTimeOf(0x80000000LL + 100), b);
    EXPECT_EQ(FileTimeText(b), "2038-01-19 03:15:48");
    fileTimeBytes(0, b);
    EXPECT_EQ(FileTimeText(b), "");
    // No calendar time before 1970: the unconverted text.
    fileTimeBytes(fileTimeOf(-3600), b);
    EXPECT_EQ(FileTimeText(b), kUnconvertedTimeText);
    fileTimeBytes(~0ULL, b);
    EXPECT_EQ(FileTimeText(b), kUnconvertedTimeText);
    setDateTimeFormat(oldFormat);
}

TEST(IndexFormat, CleanControlCharsReplacesBelow32AndCutsAtZero) {
    QByteArray text("a\tb\r\nc\x01\x1f"
                    "d \x7f\x80\xff",
                    13);
    CleanControlChars(text);
    EXPECT_EQ(text, QByteArray("a b  c  d \x7f\x80\xff"));
    QByteArray cut("URL\0xyz", 7);
    CleanControlChars(cut);
    EXPECT_EQ(cut, "URL");
    QByteArray empty;
    CleanControlChars(empty);
    EXPECT_TRUE(empty.isEmpty());

    // Every byte value at every place of a long field (the cleaning goes
    // sixteen bytes at a time, with a tail), against a byte-by-byte rule.
    for (int length : {7, 8, 9, 15, 16, 17, 23, 31, 32, 33, 64}) {
        for (int value = 1; value < 256; ++value) {
            for (int at = 0; at < length; ++at) {
                QByteArray field(length, 'x');
                field[at] = char(value);
                QByteArray expected = field;
                if (value < 32)
                    expected[at] = ' ';
                CleanControlChars(field);
                ASSERT_EQ(field, expected) << "value " << value << " at " << at;
            }
        }
    }
    // A zero byte anywhere cuts there, with control bytes before and after it.
    for (int length : {5, 16, 17, 40}) {
        for (int at = 0; at < length; ++at) {
            QByteArray field(length, '\n');
            field[at] = '\0';
            CleanControlChars(field);
            ASSERT_EQ(field, QByteArray(at, ' ')) << length << " " << at;
        }
    }
}

TEST(IndexFormat, VersionFollowsAtofRules) {
    EXPECT_EQ(versionOf("5.2\0"), 5.2);
    EXPECT_EQ(versionOf("4.7\0"), 4.7);
    EXPECT_EQ(versionOf("5.0\0"), 5.0);
    EXPECT_EQ(versionOf("5.2x"), 5.2);
    EXPECT_EQ(versionOf(" 5.1"), 5.1);
    EXPECT_EQ(versionOf("5\0.9"), 5.0);
    EXPECT_EQ(versionOf("abc\0"), 0.0);
    EXPECT_EQ(versionOf("\0\0\0\0"), 0.0);
    EXPECT_EQ(versionOf("-1.5"), -1.5);
    EXPECT_EQ(versionOf("1e1\0"), 10.0);
    // "5.2" read in single precision lies below the double 5.2, and would
    // select the layout for versions below 5.2.
    EXPECT_LT(double(float(versionOf("5.2\0"))), 5.2);
    EXPECT_FALSE(versionOf("5.2\0") < 5.2);
}

TEST(IndexFormat, FileExtensionLower) {
    EXPECT_EQ(FileExtensionLower("picture[1].GIF"), ".gif");
    EXPECT_EQ(FileExtensionLower("a.b.Htm"), ".htm");
    EXPECT_EQ(FileExtensionLower("noextension"), "");
    EXPECT_EQ(FileExtensionLower("trailing."), ".");
    EXPECT_EQ(FileExtensionLower(""), "");
    EXPECT_EQ(FileExtensionLower("dir.x\\file"), "");
    EXPECT_EQ(FileExtensionLower(".hidden"), ".hidden");
}
