#include "cache/IndexImage.h"

#include "TestData.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vc;
using namespace vc::testing;

namespace {

using Row = QList<QByteArray>;

class RealIndexFile : public FixedTimeTexts {};

QList<Row> sorted(QList<Row> rows) {
    std::sort(rows.begin(), rows.end(),
              [](const Row& a, const Row& b) { return a.join('\t') < b.join('\t'); });
    return rows;
}

} // namespace

// Rows checked field by field against a hex dump of the file.
TEST_F(RealIndexFile, ContentIndexBothWalks) {
    const QString path = testDataPath(QStringLiteral("content-ie5-index.dat"));
    const WalkResult linear = walkFile(path, true);
    EXPECT_EQ(linear.version, 5.2);
    ASSERT_EQ(linear.rows.size(), 35);
    EXPECT_EQ(linear.recordCount, 35);
    int urls = 0;
    int redirects = 0;
    for (const Row& row : linear.rows) {
        ASSERT_EQ(row.size(), 7);
        urls += row[0] == "URL";
        redirects += row[0] == "REDR";
    }
    EXPECT_EQ(urls, 21);
    EXPECT_EQ(redirects, 14);

    // Record at 0x6000: the access time's low half is 0xee8b1260, above 2^31.
    const Row& first = linear.rows[0];
    EXPECT_EQ(first[0], "URL");
    EXPECT_EQ(first[1], "http://static-hp-neu.s-msn.com/sc/54/4f1880.ico");
    EXPECT_EQ(first[2], "2015-03-06 09:24:44");
    EXPECT_EQ(first[3], "2015-08-25 11:05:20");
    EXPECT_EQ(first[4], "4f1880[1].ico");
    EXPECT_EQ(first[5], "ENG3X4ZR");
    EXPECT_TRUE(first[6].startsWith("HTTP/1.1 200 OK  Content-Type: image/x-icon  ETag: "));
    EXPECT_TRUE(first[6].endsWith("Content-Length: 4286    ~U:gold_administrator  "));

    // Record at 0x6680: no modification time, header offset 0.
    EXPECT_EQ(linear.rows[4],
              Row({"URL",
                   "http://download.microsoft.com/download/7/1/7/"
                   "7179A150-F2D2-4502-9D70-4B59EA148EAA/IE11-Windows6.1-x64-en-us.exe",
                   "", "2015-08-25 11:08:53", "IE11-Windows6.1-x64-en-us[1].exe", "ENG3X4ZR", ""}));
    // Redirect at 0x6b00.
    EXPECT_EQ(linear.rows[7],
              Row({"REDR", "http://go.microsoft.com/fwlink/?LinkId=299196", "", "", "", "", ""}));

    // Every record of this file has a hash entry: the same rows.
    const WalkResult hashed = walkFile(path, false);
    EXPECT_EQ(hashed.version, 5.2);
    EXPECT_EQ(sorted(hashed.rows), sorted(linear.rows));
}

TEST_F(RealIndexFile, HistoryIndexListsUnreferencedRecordsOnlyInTheBlockScan) {
    const QString path = testDataPath(QStringLiteral("history-ie5-index.dat"));
    const WalkResult linear = walkFile(path, true);
    ASSERT_EQ(linear.rows.size(), 17);
    // Record at 0x5000: both times 0x01d0df25ed800b00, directory index 0xfe
    // (an empty name), header offset 0xa4 at the byte 0x10.
    EXPECT_EQ(linear.rows[0],
              Row({"URL", "Visited: gold_administrator@http://www.msn.com/?ocid=iehp",
                   "2015-08-25 11:05:18", "2015-08-25 11:05:18", "", "", " "}));
    // Record at 0x6400, the 14th record in the file.
    EXPECT_EQ(linear.rows[13][1], "Visited: gold_administrator@http://www.microsoft.com/en-us/"
                                  "download/confirmation.aspx?id=40901");
    EXPECT_EQ(linear.rows[13][2], "2015-08-25 11:15:32");

    const WalkResult hashed = walkFile(path, false);
    ASSERT_EQ(hashed.rows.size(), 15);
    QList<Row> rest = linear.rows;
    for (const Row& row : hashed.rows) {
        const qsizetype at = rest.indexOf(row);
        ASSERT_GE(at, 0) << row.join('|').constData();
        rest.removeAt(at);
    }
    // The two the hash tables no longer point to: 0x6400 and 0x7280.
    ASSERT_EQ(rest.size(), 2);
    EXPECT_EQ(rest[0], linear.rows[13]);
    EXPECT_EQ(rest[1], linear.rows[16]);
}
