// The cookie text file reader: record layout, number lines, files cut
// short, hostile files.
#include "cache/CookieTextFile.h"
#include "cache/IndexImage.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"
#include "platform/TimeValue.h"
#include "support/RecordingMessages.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace vc::testing {
namespace {

class CookieTextFile : public FixedTimeTexts {
protected:
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("c.txt")) {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return path;
    }
    // Every work-file line of one file, split into fields.
    QList<QList<QByteArray>> lines(const QString& path, const QByteArray& name = "c.txt") {
        QBuffer out;
        out.open(QIODevice::ReadWrite);
        EXPECT_TRUE(ReadCookieFile(path, name, out, LoadContext{}));
        QList<QList<QByteArray>> result;
        QByteArray all = out.data();
        EXPECT_TRUE(all.isEmpty() || all.endsWith('\n'));
        all.chop(1);
        if (out.data().isEmpty())
            return result;
        for (const QByteArray& line : all.split('\n'))
            result.append(expandTimeCells(line).split('\t'));
        return result;
    }
};

// A record in the browser's layout with the times given as FILETIMEs.
QByteArray record(const QByteArray& name, const QByteArray& value, const QByteArray& host,
                  const QByteArray& flags, uint64_t expires, uint64_t created) {
    return name + '\n' + value + '\n' + host + '\n' + flags + '\n' +
           QByteArray::number(uint32_t(expires)) + '\n' +
           QByteArray::number(uint32_t(expires >> 32)) + '\n' +
           QByteArray::number(uint32_t(created)) + '\n' +
           QByteArray::number(uint32_t(created >> 32)) + "\n*\n";
}

TEST_F(CookieTextFile, RecordsInFileOrderWithTheirFieldsAndTimes) {
    const QByteArray bytes =
        record("session", "a81f3c", "example.com/", "1536", fileTimeOf(1230768000),
               fileTimeOf(1205487000)) +
        record("prefs", "lang=en", "example.com/prefs/", "1024", fileTimeOf(1277899200),
               fileTimeOf(1205487060)) +
        record("id", "x", "ads.example/", "0", fileTimeOf(1300000000), fileTimeOf(1205488015));
    const auto rows = lines(write(bytes), "joe@example[1].txt");
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0],
              (QList<QByteArray>{"example.com/", "session", "2008-03-14 09:30:00",
                                 "2009-01-01 00:00:00", "joe@example[1].txt", "a81f3c", "1536"}));
    EXPECT_EQ(rows[1][0], "example.com/prefs/");
    EXPECT_EQ(rows[1][3], "2010-06-30 12:00:00");
    EXPECT_EQ(rows[2][1], "id");
    EXPECT_EQ(rows[2][2], "2008-03-14 09:46:55");
}

TEST_F(CookieTextFile, EmptyFilesExtraLineFeedsAndFilesCutShort) {
    // An empty file still gives one line: empty texts, times from 0.
    auto rows = lines(write(""));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0], (QList<QByteArray>{"", "", "1970-01-01 00:00:00", "1970-01-01 00:00:00",
                                          "c.txt", "", ""}));

    // One line feed after the last "*" line is one more, empty record.
    const QByteArray one = record("a", "1", "h/", "0", fileTimeOf(1300000000), 0);
    rows = lines(write(one + "\n"));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][0], "h/");
    EXPECT_EQ(rows[1][0], "");
    EXPECT_EQ(rows[1][2], "1970-01-01 00:00:00");

    // A file ending inside its second record: the lines read so far are
    // kept, the rest are empty or 0, and the record is the last.
    rows = lines(write(one + "b\nvalue\nhost2/"));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1], (QList<QByteArray>{"host2/", "b", "1970-01-01 00:00:00",
                                          "1970-01-01 00:00:00", "c.txt", "value", ""}));
}

TEST_F(CookieTextFile, NumberLinesAreUnsignedSaturatedAndCutAt999) {
    EXPECT_EQ(ParseCookieNumber("  \t42xyz"), 42u);
    EXPECT_EQ(ParseCookieNumber("3000000000"), 3000000000u);
    EXPECT_EQ(ParseCookieNumber("4294967296"), 4294967295u);
    EXPECT_EQ(ParseCookieNumber("99999999999999999999999"), 4294967295u);
    EXPECT_EQ(ParseCookieNumber("-5"), 0u);
    EXPECT_EQ(ParseCookieNumber(""), 0u);
    EXPECT_EQ(ParseCookieNumber("12\r"), 12u);

    // A low half above 2^31 joins to the FILETIME it came from.
    const uint64_t ft = (uint64_t(29918645) << 32) | 3000000000u;
    unsigned char bytes[8];
    for (int i = 0; i < 8; ++i)
        bytes[i] = (ft >> (8 * i)) & 0xff;
    EXPECT_EQ(CookieTimeText(3000000000u, 29918645), FileTimeText(bytes));

    // 1500 digits: 999 are kept, the 1000th byte is passed over as the line
    // end, and the next number line starts right after it.
    const QByteArray longLine = QByteArray(1500, '7');
    const QByteArray bytes2 = "n\nv\nh\nf\n" + longLine + "\n5\n0\n0\n*\n";
    QList<CookieRecord> got;
    ASSERT_TRUE(ReadCookieRecords(write(bytes2), [&](const CookieRecord& r) { got.append(r); }));
    ASSERT_FALSE(got.isEmpty());
    EXPECT_EQ(got[0].expirationLow, 4294967295u);
    // The rest of the long line (500 sevens) is read as the high half.
    EXPECT_EQ(got[0].expirationHigh, 4294967295u);
    EXPECT_EQ(got[0].creationLow, 5u);
    EXPECT_EQ(got[0].creationHigh, 0u);
}

TEST_F(CookieTextFile, CarriageReturnsStayTabsBecomeSpaces) {
    const QByteArray bytes = "name\r\nva\tlue\r\nhost/\r\n9216\r\n1\r\n2\r\n3\r\n4\r\n*\r\n";
    QList<CookieRecord> got;
    ASSERT_TRUE(ReadCookieRecords(write(bytes), [&](const CookieRecord& r) { got.append(r); }));
    ASSERT_GE(got.size(), 1);
    EXPECT_EQ(got[0].name, "name\r");
    EXPECT_EQ(got[0].flags, "9216\r");
    EXPECT_EQ(got[0].expirationLow, 1u);
    EXPECT_EQ(got[0].creationHigh, 4u);
    // With CR LF the "*" line is not where the reader skips: the third
    // byte of "*\r\n" starts the next record, as the browser's reader does.
    EXPECT_EQ(got.size(), 2);
    const QByteArray line = CookieWorkFileLine(got[0], "f.txt");
    EXPECT_EQ(line.count('\t'), 6);
    EXPECT_TRUE(line.contains("va lue\r"));
}

TEST_F(CookieTextFile, UnreadableFileIsNamedInTheMessage) {
    CollectingReporter reports;
    LoadContext context;
    context.report = &reports;
    QBuffer out;
    out.open(QIODevice::ReadWrite);
    const QString missing = m_dir.filePath(QStringLiteral("gone.txt"));
    EXPECT_FALSE(ReadCookieFile(missing, "gone.txt", out, context));
    ASSERT_EQ(reports.errors.size(), 1);
    EXPECT_TRUE(
        reports.errors[0].startsWith(QStringLiteral("Error! The cookie file cannot be opened!")));
    EXPECT_TRUE(reports.errors[0].contains(missing));
    EXPECT_TRUE(out.data().isEmpty());
}

TEST_F(CookieTextFile, HostileFilesGiveBoundedRows) {
    // Random bytes: records of whatever the lines hold, every line with its
    // seven fields, and the whole file consumed.
    QByteArray noise(200000, '\0');
    QRandomGenerator rng(7);
    for (char& c : noise)
        c = char(rng.bounded(256));
    const auto rows = lines(write(noise));
    EXPECT_GT(rows.size(), 0);
    for (const auto& r : rows)
        EXPECT_EQ(r.size(), 7);

    // One line of 3 MB: one record, the name cut to the kept length.
    const QByteArray huge(3 * 1024 * 1024, 'x');
    QList<CookieRecord> got;
    ASSERT_TRUE(ReadCookieRecords(write(huge), [&](const CookieRecord& r) { got.append(r); }));
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0].name.size(), kMaxCookieLineLength);
    EXPECT_TRUE(got[0].value.isEmpty());
}

TEST_F(CookieTextFile, ListsTextFilesByNameWithoutRegardToCase) {
    QDir dir(m_dir.path());
    for (const char* name : {"b@site[1].txt", "A@site[1].TXT", "c@site[2].txt", ".hidden.txt",
                             "index.dat", "notes.txt.bak"})
        write("x", QString::fromLatin1(name));
    dir.mkdir(QStringLiteral("folder.txt"));
    QFile::link(m_dir.filePath(QStringLiteral("c@site[2].txt")),
                m_dir.filePath(QStringLiteral("link.txt")));
    EXPECT_EQ(ListCookieTextFiles(m_dir.path()),
              (QStringList{"A@site[1].TXT", "b@site[1].txt", "c@site[2].txt"}));
}

} // namespace
} // namespace vc::testing
